#include "quillet/ui/page_setup_dialog.h"

#include "quillet/ui/page_painter.h"
#include "quillet/ui/print_dialogs.h"
#include "shared/platform/clock.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace quillet {

namespace {

// A nominal resolution for the preview's page; the text is laid out at it as on a printer.
constexpr qreal kPreviewDpi = 300;

QString sourceName(QPrinter::PaperSource source)
{
    switch (source) {
    case QPrinter::Upper: return QStringLiteral("Oberer Schacht");
    case QPrinter::Lower: return QStringLiteral("Unterer Schacht");
    case QPrinter::Middle: return QStringLiteral("Mittlerer Schacht");
    case QPrinter::Manual: return QStringLiteral("Manuelle Zufuhr");
    case QPrinter::Envelope: return QStringLiteral("Umschlag");
    case QPrinter::EnvelopeManual: return QStringLiteral("Umschlag manuell");
    case QPrinter::Tractor: return QStringLiteral("Traktor");
    case QPrinter::SmallFormat: return QStringLiteral("Kleinformat");
    case QPrinter::LargeFormat: return QStringLiteral("Großformat");
    case QPrinter::LargeCapacity: return QStringLiteral("Großraumfach");
    case QPrinter::Cassette: return QStringLiteral("Kassette");
    case QPrinter::FormSource: return QStringLiteral("Formularzufuhr");
    case QPrinter::CustomSource: return QStringLiteral("Benutzerdefiniert");
    case QPrinter::Auto:
    default: return QStringLiteral("Automatisch");
    }
}

} // namespace

// The preview: the sheet's first page at small scale, drawn by the printout's painter.
class PageSetupDialog::PagePreview : public QWidget {
public:
    explicit PagePreview(PageSetupDialog* dialog) : QWidget(dialog), m_dialog(dialog)
    {
        setObjectName(QStringLiteral("imgVorschau"));
        setMinimumSize(200, 280);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const PrintSetup setup = m_dialog->setup();
        QSizeF mm = setup.pageSize.size(QPageSize::Millimeter);
        if (setup.orientation == QPageLayout::Landscape)
            mm.transpose();
        const QSizeF pagePx = mm / 25.4 * kPreviewDpi;
        if (pagePx.isEmpty())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const QRectF area = QRectF(rect()).adjusted(8, 8, -8, -8);
        const qreal scale = std::min(area.width() / pagePx.width(), area.height() / pagePx.height());
        const QSizeF shown = pagePx * scale;
        const QRectF sheet(area.center() - QPointF(shown.width() / 2, shown.height() / 2), shown);
        painter.fillRect(sheet.translated(3, 3), palette().color(QPalette::Dark));
        painter.fillRect(sheet, Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(sheet);

        const PagePainter pages({pagePx, kPreviewDpi, kPreviewDpi}, m_dialog->m_font, setup.page);
        const QString& text = m_dialog->m_preview.text;
        PageBreaker breaker = pages.breaker(text, 0, text.size());
        const std::vector<PageBreaker::Row> rows = breaker.nextPage();
        painter.translate(sheet.topLeft());
        painter.scale(scale, scale);
        painter.setClipRect(QRectF(QPointF(0, 0), pagePx));
        pages.paint(painter, breaker, rows, {m_dialog->m_preview.name, 1, m_dialog->m_clock.now()});
    }

private:
    PageSetupDialog* m_dialog;
};

PageSetupDialog::PageSetupDialog(const PrintSetup& setup, const QFont& font, Preview preview, PrintDialogs& dialogs,
                                 const Clock& clock, QWidget* parent)
    : QDialog(parent), m_setup(setup), m_font(font), m_preview(std::move(preview)), m_dialogs(dialogs), m_clock(clock)
{
    setObjectName(QStringLiteral("frmSeiteEinrichten"));
    setWindowTitle(QStringLiteral("Seite einrichten"));

    m_view = new PagePreview(this);

    auto* paper = new QGroupBox(QStringLiteral("Papier"), this);
    auto* paperForm = new QFormLayout(paper);
    m_size = new QComboBox(paper);
    m_size->setObjectName(QStringLiteral("cbGroesse"));
    m_source = new QComboBox(paper);
    m_source->setObjectName(QStringLiteral("cbQuelle"));
    auto* sizeLabel = new QLabel(QStringLiteral("&Größe:"), paper);
    sizeLabel->setBuddy(m_size);
    auto* sourceLabel = new QLabel(QStringLiteral("Qu&elle:"), paper);
    sourceLabel->setBuddy(m_source);
    paperForm->addRow(sizeLabel, m_size);
    paperForm->addRow(sourceLabel, m_source);

    auto* orientation = new QGroupBox(QStringLiteral("Orientierung"), this);
    auto* orientationBox = new QVBoxLayout(orientation);
    m_portrait = new QRadioButton(QStringLiteral("&Hochformat"), orientation);
    m_portrait->setObjectName(QStringLiteral("optHochformat"));
    m_landscape = new QRadioButton(QStringLiteral("&Querformat"), orientation);
    m_landscape->setObjectName(QStringLiteral("optQuerformat"));
    orientationBox->addWidget(m_portrait);
    orientationBox->addWidget(m_landscape);

    auto* margins = new QGroupBox(QStringLiteral("Ränder"), this);
    auto* marginGrid = new QGridLayout(margins);
    struct MarginField {
        int index;  // left, top, right, bottom
        const char* caption;
        const char* name;
        int row;
        int column;
    };
    const MarginField fields[] = {{0, "&Links:", "edLinks", 0, 0},
                                  {2, "&Rechts:", "edRechts", 0, 2},
                                  {1, "&Oben:", "edOben", 1, 0},
                                  {3, "&Unten:", "edUnten", 1, 2}};
    for (const MarginField& f : fields) {
        auto* spin = new QDoubleSpinBox(margins);
        spin->setObjectName(QLatin1String(f.name));
        spin->setLocale(QLocale(QLocale::German, QLocale::Germany));
        spin->setDecimals(2);
        spin->setSuffix(QStringLiteral(" mm"));
        spin->setRange(0, 999.99);
        auto* label = new QLabel(QString::fromUtf8(f.caption), margins);
        label->setBuddy(spin);
        marginGrid->addWidget(label, f.row, f.column);
        marginGrid->addWidget(spin, f.row, f.column + 1);
        m_margins[static_cast<size_t>(f.index)] = spin;
        connect(spin, &QDoubleSpinBox::valueChanged, m_view, qOverload<>(&QWidget::update));
    }

    m_header = new QLineEdit(this);
    m_header->setObjectName(QStringLiteral("edKopfzeile"));
    m_header->setMaxLength(PageSettings::kMaxLineLength);
    m_footer = new QLineEdit(this);
    m_footer->setObjectName(QStringLiteral("edFusszeile"));
    m_footer->setMaxLength(PageSettings::kMaxLineLength);
    auto* lines = new QFormLayout;
    auto* headerLabel = new QLabel(QStringLiteral("&Kopfzeile:"), this);
    headerLabel->setBuddy(m_header);
    auto* footerLabel = new QLabel(QStringLiteral("&Fußzeile:"), this);
    footerLabel->setBuddy(m_footer);
    lines->addRow(headerLabel, m_header);
    lines->addRow(footerLabel, m_footer);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));
    m_printer = new QPushButton(QStringLiteral("Dru&cker..."), this);
    m_printer->setObjectName(QStringLiteral("cmdDrucker"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(m_printer);

    auto* middle = new QHBoxLayout;
    middle->addWidget(orientation);
    middle->addWidget(margins, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(paper);
    layout->addLayout(middle);
    layout->addLayout(lines);
    layout->addLayout(buttons);

    fillPaperLists();
    (m_setup.orientation == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
    updateMinimumMargins();
    showPage(m_setup.page);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_printer, &QPushButton::clicked, this, &PageSetupDialog::choosePrinter);
    connect(m_size, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(m_sizes.size()))
            m_setup.pageSize = m_sizes[static_cast<size_t>(index)];
        updateMinimumMargins();
        m_view->update();
    });
    connect(m_source, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(m_sources.size()))
            m_setup.paperSource = m_sources[static_cast<size_t>(index)];
    });
    connect(m_landscape, &QRadioButton::toggled, this, [this](bool on) {
        m_setup.orientation = on ? QPageLayout::Landscape : QPageLayout::Portrait;
        updateMinimumMargins();
        m_view->update();
    });
    connect(m_header, &QLineEdit::textChanged, m_view, qOverload<>(&QWidget::update));
    connect(m_footer, &QLineEdit::textChanged, m_view, qOverload<>(&QWidget::update));
}

void PageSetupDialog::showPage(const PageSettings& page)
{
    const int values[] = {page.marginLeft, page.marginTop, page.marginRight, page.marginBottom};
    for (size_t i = 0; i < 4; ++i)
        m_margins[i]->setValue(std::max(values[i], m_minimum[i]) / 100.0);
    m_header->setText(page.header);
    m_footer->setText(page.footer);
}

PrintSetup PageSetupDialog::setup() const
{
    PrintSetup setup = m_setup;
    int* values[] = {&setup.page.marginLeft, &setup.page.marginTop, &setup.page.marginRight,
                     &setup.page.marginBottom};
    for (size_t i = 0; i < 4; ++i)
        *values[i] = std::max(static_cast<int>(std::lround(m_margins[i]->value() * 100)), m_minimum[i]);
    setup.page.header = PageSettings::limited(m_header->text());
    setup.page.footer = PageSettings::limited(m_footer->text());
    return setup;
}

void PageSetupDialog::fillPaperLists()
{
    QPrinter printer;
    m_setup.applyTo(printer);
    const QPrinterInfo info(printer);

    m_sizes.clear();
    if (printer.outputFormat() == QPrinter::NativeFormat && !info.isNull())
        for (const QPageSize& size : info.supportedPageSizes())
            m_sizes.push_back(size);
    if (m_sizes.empty()) {
        for (QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B5, QPageSize::Letter,
                                         QPageSize::Legal, QPageSize::Executive})
            m_sizes.emplace_back(id);
    }
    auto current = std::find_if(m_sizes.begin(), m_sizes.end(),
                                [this](const QPageSize& s) { return s.isEquivalentTo(m_setup.pageSize); });
    if (current == m_sizes.end()) {
        m_sizes.push_back(m_setup.pageSize);
        current = m_sizes.end() - 1;
    }
    const int sizeIndex = static_cast<int>(current - m_sizes.begin());

    m_sources.clear();
#ifdef Q_OS_WIN
    for (QPrinter::PaperSource source : printer.supportedPaperSources())
        m_sources.push_back(source);
#endif
    // Elsewhere Qt names no sources of a printer: the printer takes its paper itself.
    if (std::find(m_sources.begin(), m_sources.end(), m_setup.paperSource) == m_sources.end())
        m_sources.insert(m_sources.begin(), m_setup.paperSource);
    const int sourceIndex =
        static_cast<int>(std::find(m_sources.begin(), m_sources.end(), m_setup.paperSource) - m_sources.begin());

    const QSignalBlocker blockSize(m_size);
    const QSignalBlocker blockSource(m_source);
    m_size->clear();
    for (const QPageSize& size : m_sizes)
        m_size->addItem(size.name());
    m_size->setCurrentIndex(sizeIndex);
    m_source->clear();
    for (QPrinter::PaperSource source : m_sources)
        m_source->addItem(sourceName(source));
    m_source->setCurrentIndex(sourceIndex);
}

void PageSetupDialog::updateMinimumMargins()
{
    QPrinter printer;
    m_setup.applyTo(printer);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF minimum = layout.minimumMargins();
    const qreal values[] = {minimum.left(), minimum.top(), minimum.right(), minimum.bottom()};
    for (size_t i = 0; i < 4; ++i) {
        m_minimum[i] = static_cast<int>(std::ceil(values[i] * 100 - 1e-6));
        m_margins[i]->setMinimum(m_minimum[i] / 100.0);
    }
}

void PageSetupDialog::choosePrinter()
{
    QPrinter printer(QPrinter::HighResolution);
    m_setup.applyTo(printer);
    if (!m_dialogs.choosePrinter(printer, this))
        return;
    m_setup.takeFrom(printer);
    fillPaperLists();
    {
        const QSignalBlocker block(m_landscape);
        (m_setup.orientation == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
    }
    updateMinimumMargins();
    m_view->update();
}

} // namespace quillet

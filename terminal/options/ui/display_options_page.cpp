#include "terminal/options/ui/display_options_page.h"

#include "shared/ui/widget_helpers.h"
#include "terminal/core/kunde_settings.h"
#include "terminal/display/ui/display_style.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {

QIcon swatch(const QColor& color)
{
    QPixmap p(16, 16);
    p.fill(color);
    return QIcon(p);
}

} // namespace

DisplayOptionsPage::DisplayOptionsPage(QWidget* parent) : OptionPage(parent)
{
    setObjectName(QStringLiteral("frm9"));
    auto* outer = new QVBoxLayout(this);

    auto* fontBox = new QGroupBox(QStringLiteral("Schrift der Datenanzeige"), this);
    auto* fontGrid = new QGridLayout(fontBox);
    m_fontLabel = named(new QLabel(fontBox), "frm9_lblSchrift");
    auto* chooseFont = named(new QPushButton(QStringLiteral("Schrift..."), fontBox), "frm9_cmdSchrift");
    m_sample = named(new QLabel(QStringLiteral("AaBbCc 0123 äöü ß"), fontBox), "frm9_lblBeispiel");
    m_sample->setAutoFillBackground(true);
    m_sample->setMinimumHeight(40);
    m_sample->setFrameShape(QFrame::StyledPanel);
    fontGrid->addWidget(m_fontLabel, 0, 0);
    fontGrid->addWidget(chooseFont, 0, 1);
    fontGrid->addWidget(m_sample, 1, 0, 1, 2);
    fontGrid->setColumnStretch(0, 1);
    outer->addWidget(fontBox);

    auto* colorBox = new QGroupBox(QStringLiteral("Farben"), this);
    auto* colorRow = new QHBoxLayout(colorBox);
    m_foregroundButton = named(new QPushButton(QStringLiteral("Schriftfarbe..."), colorBox), "frm9_cmdFarbeVG");
    m_backgroundButton = named(new QPushButton(QStringLiteral("Hintergrundfarbe..."), colorBox), "frm9_cmdFarbeHG");
    colorRow->addWidget(m_foregroundButton);
    colorRow->addWidget(m_backgroundButton);
    colorRow->addStretch(1);
    outer->addWidget(colorBox);

    auto* linesBox = new QGroupBox(QStringLiteral("Datenanzeige"), this);
    auto* lines = new QGridLayout(linesBox);
    m_maxLines = named(new QLineEdit(linesBox), "frm9_edMaxZeile");
    m_maxLines->setMaximumWidth(100);
    m_maxLines->setPlaceholderText(QStringLiteral("Standard"));
    lines->addWidget(new QLabel(QStringLiteral("Maximale Zeilenanzahl:"), linesBox), 0, 0);
    lines->addWidget(m_maxLines, 0, 1);
    lines->addWidget(new QLabel(QStringLiteral("(1 bis %1; leer: Standard)").arg(kMaxLines), linesBox), 0, 2);
    lines->setColumnStretch(3, 1);
    m_functionBar = named(new QCheckBox(QStringLiteral("Funktionsleiste anzeigen"), linesBox), "frm9_chkFLeiste");
    lines->addWidget(m_functionBar, 1, 0, 1, 3);
    outer->addWidget(linesBox);
    outer->addStretch(1);

    connect(chooseFont, &QPushButton::clicked, this, &DisplayOptionsPage::frm9_cmdSchrift_Click);
    connect(m_foregroundButton, &QPushButton::clicked, this,
            [this] { chooseColor(m_foreground, QStringLiteral("Schriftfarbe")); });
    connect(m_backgroundButton, &QPushButton::clicked, this,
            [this] { chooseColor(m_background, QStringLiteral("Hintergrundfarbe")); });
}

QString DisplayOptionsPage::describeFont(const QFont& font)
{
    QString text = font.family() + QStringLiteral(", ") + QString::number(font.pointSize()) + QStringLiteral(" pt");
    if (font.bold())
        text += QStringLiteral(", fett");
    if (font.italic())
        text += QStringLiteral(", kursiv");
    if (font.underline())
        text += QStringLiteral(", unterstrichen");
    return text;
}

void DisplayOptionsPage::load(const KundeSettings& s)
{
    m_record = s.schrift;
    m_font = DisplayStyle::fontFromRecord(s.schrift);
    m_foreground = DisplayStyle::colorFromSetting(s.farbeVG);
    m_background = DisplayStyle::colorFromSetting(s.farbeHG);
    showNumber(m_maxLines, s.maxZeilen, true);
    m_functionBar->setChecked(s.fLeisteAktiv);
    showFont();
    showColors();
}

void DisplayOptionsPage::apply(KundeSettings& s) const
{
    s.schrift = m_record;
    s.farbeVG = DisplayStyle::settingFromColor(m_foreground);
    s.farbeHG = DisplayStyle::settingFromColor(m_background);
    s.maxZeilen = numberValue(m_maxLines);
    s.fLeisteAktiv = m_functionBar->isChecked();
}

std::optional<OptionPage::Problem> DisplayOptionsPage::check() const
{
    return numberProblem(m_maxLines, QStringLiteral("Maximale Zeilenanzahl"), 1, kMaxLines, true);
}

void DisplayOptionsPage::frm9_cmdSchrift_Click()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, m_font, this, QStringLiteral("Schrift der Datenanzeige"),
                                              QFontDialog::DontUseNativeDialog);
    if (!ok)
        return;
    m_font = chosen;
    m_record = DisplayStyle::recordFromFont(chosen);
    showFont();
}

void DisplayOptionsPage::chooseColor(QColor& color, const QString& title)
{
    const QColor chosen = QColorDialog::getColor(color, this, title, QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return;
    color = chosen;
    showColors();
}

void DisplayOptionsPage::showFont()
{
    m_fontLabel->setText(QStringLiteral("Aktuell: ") + describeFont(m_font));
    m_sample->setFont(m_font);
}

void DisplayOptionsPage::showColors()
{
    m_foregroundButton->setIcon(swatch(m_foreground));
    m_backgroundButton->setIcon(swatch(m_background));
    QPalette p = m_sample->palette();
    // The display shows equal colours as black on white; so does the sample.
    const bool equal = m_background == m_foreground;
    p.setColor(QPalette::Window, equal ? QColor(Qt::white) : m_background);
    p.setColor(QPalette::WindowText, equal ? QColor(Qt::black) : m_foreground);
    m_sample->setPalette(p);
}

} // namespace tarvex

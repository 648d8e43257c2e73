#include "terminal/platform/qt_printer.h"

#include "shared/runtime_error.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtMath>

namespace tarvex {

namespace {

int alignmentFlags(PrintAlign align)
{
    switch (align) {
    case PrintAlign::Center: return Qt::AlignHCenter;
    case PrintAlign::Right: return Qt::AlignRight;
    case PrintAlign::Left: break;
    }
    return Qt::AlignLeft;
}

} // namespace

QtPrinter::QtPrinter() = default;

QtPrinter::QtPrinter(const QString& pdfFile) : m_pdfFile(pdfFile) {}

QtPrinter::~QtPrinter() = default;

QPrinter& QtPrinter::device()
{
    if (m_printer)
        return *m_printer;
    if (m_pdfFile.isEmpty()) {
        // Without a default printer the first one set up is used.
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
            info = QPrinterInfo::availablePrinters().first();
        if (info.isNull())
            throw RuntimeError(ErrorCode::DeviceIo, QStringLiteral("Kein Drucker eingerichtet"));
        m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(m_pdfFile);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
    }
    // Everything is placed in sheet coordinates; the margins are the caller's.
    m_printer->setFullPage(true);
    return *m_printer;
}

QFont QtPrinter::fontOf(const PrintFont& font, bool bold)
{
    QFont f(font.family);
    f.setPointSize(font.pointSize > 0 ? font.pointSize : 10);
    f.setBold(bold);
    return f;
}

const QFontMetricsF& QtPrinter::measure(const PrintFont& font, bool bold)
{
    const std::tuple<QString, int, bool> key{font.family, font.pointSize, bold};
    if (!m_metrics || m_metricsFont != key) {
        m_metrics = std::make_unique<QFontMetricsF>(fontOf(font, bold), &device());
        m_metricsFont = key;
    }
    return *m_metrics;
}

PrinterMetrics QtPrinter::metrics(const PrintFont& font)
{
    QPrinter& p = device();
    PrinterMetrics m;
    if (m_pdfFile.isEmpty()) {
        const QPrinterInfo info(p);
        m.driverName = info.makeAndModel().isEmpty() ? p.printerName() : info.makeAndModel();
        m.port = p.printerName();
    } else {
        m.driverName = QStringLiteral("PDF");
        m.port = m_pdfFile;
    }
    m.resolution = p.resolution();
    const QPageLayout layout = p.pageLayout();
    const QRect sheet = layout.fullRectPixels(m.resolution);
    m.paperWidth = sheet.width();
    m.paperHeight = sheet.height();
    // The area the printer reaches: the sheet less the printer's smallest margins.
    QPageLayout reach = layout;
    reach.setMode(QPageLayout::StandardMode);
    reach.setMargins(layout.minimumMargins());
    const QRect area = reach.paintRectPixels(m.resolution);
    m.left = area.left();
    m.top = area.top();
    m.width = area.width();
    m.height = area.height();
    m.copies = p.copyCount();
    const QFontMetricsF& fm = measure(font);
    m.textHeight = qRound(fm.height());
    m.textWidth = qRound(fm.horizontalAdvance(QLatin1Char('X')));
    return m;
}

int QtPrinter::textWidth(const QString& text, const PrintFont& font, bool bold)
{
    return qCeil(measure(font, bold).horizontalAdvance(text));
}

void QtPrinter::print(const PrintJob& job)
{
    QPrinter& p = device();
    p.setDocName(job.documentName);
    QPainter painter;
    if (!painter.begin(&p))
        throw RuntimeError(ErrorCode::DeviceIo, m_pdfFile.isEmpty() ? p.printerName() : m_pdfFile);
    const QFont normal = fontOf(job.font);
    const QFont bold = fontOf(job.font, true);
    QPen pen(Qt::black);
    pen.setWidth(qMax(1, p.resolution() / 150));
    painter.setPen(pen);
    for (qsizetype i = 0; i < job.pages.size(); ++i) {
        if (i > 0 && !p.newPage()) {
            painter.end();
            throw RuntimeError(ErrorCode::DeviceIo, job.documentName);
        }
        const PrintPage& page = job.pages.at(i);
        for (const PrintRule& r : page.rules)
            painter.drawLine(r.x1, r.y, r.x2, r.y);
        for (const PrintText& t : page.texts) {
            painter.setFont(t.bold ? bold : normal);
            painter.drawText(QRect(t.x, t.y, t.width, t.height),
                             alignmentFlags(t.align) | Qt::AlignTop | Qt::TextSingleLine, t.text);
        }
    }
    if (!painter.end())
        throw RuntimeError(ErrorCode::DeviceIo, job.documentName);
}

} // namespace tarvex

#include "quillet/ui/print_job.h"

#include "quillet/ui/page_painter.h"
#include "shared/platform/clock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>

namespace quillet {

PrintJob::PrintJob(QPrinter& printer, Source source, PrintChoice choice, const QFont& font, const PageSettings& page,
                   const Clock& clock, QObject* parent)
    : QObject(parent),
      m_printer(printer),
      m_source(std::move(source)),
      m_choice(choice),
      m_font(font),
      m_page(page),
      m_clock(clock)
{
    m_choice.copies = std::max(1, m_choice.copies);
}

bool PrintJob::begin()
{
    // Copies are made here, not by the driver.
    m_printer.setCopyCount(1);
    m_printer.setCollateCopies(false);
    m_printer.setFullPage(true);
    return m_painter.begin(&m_printer);
}

PrintJob::Result PrintJob::run()
{
    const qreal dpi = m_printer.resolution();
    const PagePainter pages({m_printer.paperRect(QPrinter::DevicePixel).size(), dpi, dpi}, m_font, m_page);
    PageBreaker breaker = pages.breaker(m_source.text, m_source.begin, m_source.end);

    // Collated: the whole document once per copy; otherwise every page once per copy.
    const int documentCopies = m_choice.collate ? m_choice.copies : 1;
    const int pageCopies = m_choice.collate ? 1 : m_choice.copies;
    for (int copy = 0; copy < documentCopies; ++copy) {
        breaker.restart();
        int pageNumber = 0;
        while (!breaker.atEnd()) {
            const std::vector<PageBreaker::Row> rows = breaker.nextPage();
            ++pageNumber;
            for (int k = 0; k < pageCopies; ++k) {
                if (m_sheets > 0 && !m_printer.newPage()) {
                    discard();
                    return Result::Failed;
                }
                pages.paint(m_painter, breaker, rows, {m_source.name, pageNumber, m_clock.now()});
                ++m_sheets;
                emit sheetPrinted(m_sheets);
                emit progressed(static_cast<int>(1000.0 * (copy + breaker.progress()) / documentCopies));
                // The window and the progress window stay responsive; a cancel comes in here.
                QCoreApplication::processEvents();
                if (m_cancelled)
                    break;
            }
            if (m_cancelled) {
                discard();
                return Result::Cancelled;
            }
        }
    }
    if (!m_painter.end() || m_printer.printerState() == QPrinter::Error) {
        discard();
        return Result::Failed;
    }
    return Result::Completed;
}

void PrintJob::discard()
{
    m_printer.abort();
    if (m_painter.isActive())
        m_painter.end();
    // A file output does not stay behind half written; only a plain file is removed, never
    // a device or what a link points to.
    const QFileInfo file(m_printer.outputFileName());
    if (m_printer.outputFormat() == QPrinter::PdfFormat && file.isFile() && !file.isSymLink())
        QFile::remove(file.filePath());
}

} // namespace quillet

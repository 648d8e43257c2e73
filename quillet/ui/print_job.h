#pragma once

#include "quillet/page_settings.h"
#include "quillet/ui/print_dialogs.h"

#include <QFont>
#include <QObject>
#include <QPainter>
#include <QString>

class Clock;
class QPrinter;

namespace quillet {

// One printout of a text on a printer (or a PDF file): pages laid out one at a time, each
// with its header and footer; copies made here, page by page or document by document
// (collated), so every output shows them. Between pages pending events are processed, so
// the window stays responsive and a cancel takes effect before the next page.
class PrintJob : public QObject {
    Q_OBJECT
public:
    struct Source {
        QString text;
        qsizetype begin = 0;
        qsizetype end = 0;
        QString name;  // what "&n" stands for
    };
    enum class Result { Completed, Cancelled, Failed };

    PrintJob(QPrinter& printer, Source source, PrintChoice choice, const QFont& font, const PageSettings& page,
             const Clock& clock, QObject* parent = nullptr);

    // Starts the job on the printer; false when it cannot be started.
    bool begin();
    // Prints every page. A cancelled job is not completed: the printer's job is aborted
    // and a PDF file written so far is removed; so is the file of a job the printer fails.
    Result run();
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }
    int sheetsPrinted() const { return m_sheets; }

signals:
    // How far the job is, 0 … 1000.
    void progressed(int permille);
    void sheetPrinted(int sheets);

private:
    void discard();

    QPrinter& m_printer;
    Source m_source;
    PrintChoice m_choice;
    QFont m_font;
    PageSettings m_page;
    const Clock& m_clock;
    QPainter m_painter;
    bool m_cancelled = false;
    int m_sheets = 0;
};

} // namespace quillet

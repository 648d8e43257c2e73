#pragma once

#include "quillet/page_settings.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

namespace quillet {

// The page setup of one main window: the page values and the printer and paper chosen.
// Without a chosen printer the system's default printer is used.
struct PrintSetup {
    PageSettings page;
    bool printerChosen = false;
    QString printerName;  // a printer of the system
    QString outputFile;   // or a PDF file chosen in the printer's place
    QPageSize pageSize = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPrinter::PaperSource paperSource = QPrinter::Auto;

    // The paper of the default printer, or A4 when there is none.
    static PrintSetup initial(const PageSettings& page);
    // Whether the system has any printer at all.
    static bool anyPrinter();

    // Sets `printer` up with this choice (printer or file, paper, orientation, source; the
    // whole sheet as the drawing area). False when the chosen printer no longer exists.
    bool applyTo(QPrinter& printer) const;
    // Takes printer or file, paper, orientation and source from `printer`.
    void takeFrom(const QPrinter& printer);
};

} // namespace quillet

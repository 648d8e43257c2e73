#include "quillet/ui/print_setup.h"

#include <QPrinterInfo>

namespace quillet {

PrintSetup PrintSetup::initial(const PageSettings& page)
{
    PrintSetup setup;
    setup.page = page;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull() && info.defaultPageSize().isValid())
        setup.pageSize = info.defaultPageSize();
    return setup;
}

bool PrintSetup::anyPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool PrintSetup::applyTo(QPrinter& printer) const
{
    bool found = true;
    if (printerChosen && !outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
    } else if (printerChosen) {
        found = QPrinterInfo::availablePrinterNames().contains(printerName);
        if (found) {
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(printerName);
        }
    }
    printer.setFullPage(true);
    printer.setPageSize(pageSize);
    printer.setPageOrientation(orientation);
    printer.setPaperSource(paperSource);
    return found;
}

void PrintSetup::takeFrom(const QPrinter& printer)
{
    printerChosen = true;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printerName.clear();
        outputFile = printer.outputFileName();
    } else {
        printerName = printer.printerName();
        outputFile.clear();
    }
    const QPageLayout layout = printer.pageLayout();
    if (layout.pageSize().isValid())
        pageSize = layout.pageSize();
    orientation = layout.orientation();
    paperSource = printer.paperSource();
}

} // namespace quillet

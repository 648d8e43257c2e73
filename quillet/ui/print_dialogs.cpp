#include "quillet/ui/print_dialogs.h"

#include <QPrintDialog>
#include <QPrinter>

namespace quillet {

std::optional<PrintChoice> QtPrintDialogs::askPrint(QPrinter& printer, bool hasSelection, QWidget* parent)
{
    printer.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies;
    if (hasSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintChoice choice;
    choice.copies = std::max(1, printer.copyCount());
    choice.collate = printer.collateCopies();
    choice.selectionOnly = hasSelection && printer.printRange() == QPrinter::Selection;
    return choice;
}

bool QtPrintDialogs::choosePrinter(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucker"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quillet

#pragma once

#include <optional>

class QPrinter;
class QWidget;

namespace quillet {

// What the print dialog leaves besides the printer itself.
struct PrintChoice {
    int copies = 1;
    bool collate = false;
    bool selectionOnly = false;
};

// The system's printing dialogs, behind an interface so tests can print without them.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // The print dialog: printer (or a file), all or the selection, copies, collate. The
    // printer is set up as chosen; nothing comes back when the dialog is cancelled.
    virtual std::optional<PrintChoice> askPrint(QPrinter& printer, bool hasSelection, QWidget* parent) = 0;
    // The printer choice of the page setup; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent) = 0;
};

// Qt's print dialog.
class QtPrintDialogs : public PrintDialogs {
public:
    std::optional<PrintChoice> askPrint(QPrinter& printer, bool hasSelection, QWidget* parent) override;
    bool choosePrinter(QPrinter& printer, QWidget* parent) override;
};

} // namespace quillet

#include "terminal/serial/ui/serial_windows.h"

#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/terminal_context.h"
#include "terminal/serial/ui/port_dialog.h"
#include "terminal/serial/ui/send_characters_dialog.h"

#include <QPointer>

namespace tarvex {

SerialWindows::SerialWindows(TerminalContext& context, SerialModule& serial, QWidget* window)
{
    // The function table outlives the window; without it the dialogs have no parent.
    const QPointer<QWidget> parent(window);
    context.functions.add(Fn::Schnittstelle, [&context, &serial, parent] {
        PortDialog dialog(context, serial, parent);
        dialog.exec();
    });
    context.functions.add(Fn::ZeichenSenden, [&context, &serial, parent] {
        SendCharactersDialog dialog(context, serial, parent);
        dialog.exec();
    });
}

} // namespace tarvex

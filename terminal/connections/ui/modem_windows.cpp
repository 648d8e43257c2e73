#include "terminal/connections/ui/modem_windows.h"

#include "terminal/connections/modem_module.h"
#include "terminal/connections/ui/phone_book_dialog.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/display/ui/display_view.h"

#include <QPointer>

namespace tarvex {

ModemWindows::ModemWindows(TerminalContext& context, ModemModule& modem, MainWindow& window, QObject* parent)
    : QObject(parent), m_ctx(context), m_modem(modem), m_window(window)
{
    // The function table outlives this object: the entries check that it still exists.
    const QPointer<ModemWindows> self(this);
    for (const auto& [number, mode] : {std::pair{Fn::Telefonbuch, 1}, std::pair{Fn::TelefonbuchBearbeiten, 0}}) {
        m_ctx.functions.add(number, FunctionEntry{[self, mode] {
                                                      if (self)
                                                          self->Telefonbuch(mode);
                                                  },
                                                  QStringLiteral("Telefonbuch"),
                                                  QStringLiteral("Telefonbuch öffnen und Rufnummer wählen"),
                                                  {}, {}, {}});
    }
}

void ModemWindows::Telefonbuch(int /*mode*/)
{
    QString number;
    {
        PhoneBookDialog dialog(m_ctx, m_window.displayActions(), &m_window);
        if (dialog.exec() != QDialog::Accepted)
            return;
        number = dialog.number();
    }
    // The modem asks before it dials and does nothing while the port is closed (the book
    // opened with 350 for editing only).
    m_modem.modem().ModemFunktionen(ModemFunctions::Waehlen, number);
    if (m_ctx.state.connectionActive)
        m_window.display()->setFocus();
}

} // namespace tarvex

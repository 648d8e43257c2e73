#include "terminal/connections/ui/dial_up_windows.h"

#include "terminal/connections/ui/dial_up_window.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_context.h"

namespace tarvex {

DialUpWindows::DialUpWindows(TerminalContext& context, DialUpSystem& system, QWidget* parent)
    : QObject(parent), m_ctx(context), m_system(system), m_parent(parent)
{
    const QPointer<DialUpWindows> self(this);
    m_ctx.functions.add(Fn::DfueVerbindungen, FunctionEntry{[self] {
                                                                if (self)
                                                                    self->DFU_Verbindungen();
                                                            },
                                                            QStringLiteral("DFÜ-Verbindungen"),
                                                            QStringLiteral("DFÜ-Verbindung des Systems aufbauen oder trennen"),
                                                            {}, {}, {}});
}

DialUpWindow* DialUpWindows::window() const
{
    return m_window;
}

void DialUpWindows::DFU_Verbindungen()
{
    guarded(m_ctx.errors, "DFU_Verbindungen", 0, QString(), [&] {
        if (m_window) {
            m_window->raise();
            m_window->activateWindow();
            return;
        }
        m_window = new DialUpWindow(m_system, m_ctx.prompter, m_ctx.shell, m_ctx.help, m_parent);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->load();
        m_window->show();
    });
}

} // namespace tarvex

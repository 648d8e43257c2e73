#include "terminal/script/ui/continuous_send_windows.h"

#include "terminal/core/function_numbers.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/script/scriptablauf.h"
#include "terminal/script/ui/continuous_send_dialog.h"
#include "terminal/script/ui/script_engine.h"
#include "terminal/serial/serial_module.h"
#include "terminal/display/ui/display_view.h"


namespace tarvex {

ContinuousSendWindows::ContinuousSendWindows(TerminalContext& context, SerialModule& serial, ScriptEngine& scripts,
                                             MainWindow& window, QObject* parent)
    : QObject(parent), m_ctx(context), m_serial(serial), m_scripts(scripts), m_window(window)
{
    // The function table outlives this object: the entry checks that it still exists.
    const QPointer<ContinuousSendWindows> self(this);
    m_ctx.functions.add(Fn::Dauertest, FunctionEntry{[self] {
                                                         if (self)
                                                             self->DauertestSenden();
                                                     },
                                                     QStringLiteral("Dauertest"),
                                                     QStringLiteral("Daten wiederholt senden (Dauertest)"),
                                                     {}, {}, {}});
}

ContinuousSendDialog* ContinuousSendWindows::dialog() const
{
    return m_dialog;
}

void ContinuousSendWindows::DauertestSenden()
{
    if (m_dialog && m_dialog->isVisible()) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    guarded(m_ctx.errors, "DauertestSenden", 0, QString(), [&] {
        if (!m_dialog) {
            // A script of the test runs as its double click in the script bar does.
            // Scriptablauf returns once the script has ended: its waits run the events.
            auto runScript = [this](const QString& item) {
                if (m_scripts.interpreter().running())
                    return ContinuousSend::ScriptStart::Busy;
                if (!m_scripts.selectScript(item))
                    return ContinuousSend::ScriptStart::Missing;
                m_scripts.runSelected();
                return ContinuousSend::ScriptStart::Ran;
            };
            // Kept (hidden) between openings, so a test still ending after the close
            // never loses its window.
            m_dialog = new ContinuousSendDialog(m_ctx, m_serial.line(), runScript, &m_window);
            connect(m_dialog, &QDialog::finished, this, [this] {
                if (m_ctx.state.connectionActive)
                    m_window.display()->setFocus();
            });
            m_dialog->move(m_window.geometry().topLeft() + QPoint(40, 60));
        }
        if (!m_dialog->running())
            m_dialog->prepare();
        m_dialog->show();
        m_dialog->raise();
        m_dialog->activateWindow();
    });
}

} // namespace tarvex

#include "terminal/connections/ui/telnet_windows.h"

#include "terminal/connections/telnet_session.h"
#include "terminal/connections/ui/telnet_window.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_context.h"

#include <QPlainTextEdit>

namespace tarvex {

TelnetWindows::TelnetWindows(TerminalContext& context, DisplayActions& actions, QWidget* parent)
    : QObject(parent), m_ctx(context), m_actions(actions), m_parent(parent),
      m_session(new tarvex::TelnetSession(context.prompter, context.errors, this))
{
    // The function table outlives this object: the entry checks that it still exists.
    const QPointer<TelnetWindows> self(this);
    m_ctx.functions.add(Fn::Telnet, FunctionEntry{[self] {
                                                      if (self)
                                                          self->TelnetSession();
                                                  },
                                                  QStringLiteral("Telnet"),
                                                  QStringLiteral("Telnet-Session: eine TCP-Verbindung annehmen"),
                                                  {}, {}, {}});
}

TelnetWindows::~TelnetWindows()
{
    delete m_window;
}

TelnetWindow* TelnetWindows::window() const
{
    return m_window;
}

void TelnetWindows::TelnetSession()
{
    guarded(m_ctx.errors, "TelnetSession", 0, QString(), [&] {
        if (!m_window)
            m_window = new TelnetWindow(m_ctx, *m_session, m_actions, m_parent);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
        m_window->display()->setFocus();
    });
}

} // namespace tarvex

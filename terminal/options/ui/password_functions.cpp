#include "terminal/options/ui/password_functions.h"

#include "terminal/core/function_numbers.h"
#include "terminal/core/terminal_context.h"
#include "terminal/options/ui/login_prompt.h"

namespace tarvex {

PasswordFunctions::PasswordFunctions(TerminalContext& context, QWidget* window, std::function<void()> endProgram)
    : m_ctx(context), m_window(window), m_endProgram(std::move(endProgram))
{
    m_ctx.functions.add(Fn::Anmelden, [this] { PasswortAbfrage(); });
    m_ctx.functions.setEnabledRule(Fn::Anmelden, [this] { return !m_ctx.state.settings.passwort.isEmpty(); });
}

void PasswordFunctions::PasswortAbfrage()
{
    const QString password = m_ctx.state.settings.passwort;
    if (password.isEmpty()) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Es ist kein Passwort definiert.\r\rSie müssen erst ein Passwort anlegen,\r"
                                              "um diese Funktion zu nutzen."),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        QMetaObject::invokeMethod(this, [this] { m_ctx.functions.PrgFunktionen(Fn::OptionenPasswort); },
                                  Qt::QueuedConnection);
        return;
    }
    // Asked again while the prompt is up (a queued start-up request): one prompt is enough.
    if (m_prompt)
        return;
    LoginPrompt prompt(password, m_ctx.prompter, m_endProgram, m_window);
    m_prompt = &prompt;
    prompt.exec();
}

} // namespace tarvex

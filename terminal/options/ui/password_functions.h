#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace tarvex {

class LoginPrompt;
struct TerminalContext;

// The access password behind function 725: the log-in prompt (frm3), modal on the main
// window. The function is greyed while no password is defined; run anyway (a key, the
// function bar) it says so and opens the options on the password page (806).
class PasswordFunctions : public QObject
{
    Q_OBJECT
public:
    // `endProgram` is the program's orderly end, run when the user chooses to end at the prompt.
    PasswordFunctions(TerminalContext& context, QWidget* window, std::function<void()> endProgram);

    // The log-in: returns when the right password was entered or the program is ending.
    void PasswortAbfrage();

private:
    TerminalContext& m_ctx;
    QWidget* m_window;
    std::function<void()> m_endProgram;
    QPointer<LoginPrompt> m_prompt;
};

} // namespace tarvex

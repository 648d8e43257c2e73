#pragma once

#include <QDialog>

#include <functional>

class Prompter;
class QLineEdit;

namespace tarvex {

// The log-in prompt (frm3): the password is entered masked; OK passes only with the right
// entry, otherwise the prompt stays. The only other way out is ending the program:
// "Beenden", the close box and Escape all ask whether to end it, and No keeps the prompt.
class LoginPrompt : public QDialog
{
    Q_OBJECT
public:
    // `endProgram` runs the program's orderly end; the prompt closes after it.
    LoginPrompt(QString password, Prompter& prompter, std::function<void()> endProgram, QWidget* parent = nullptr);

    // Close box and Escape: the same question as "Beenden".
    void reject() override;

private:
    void frm3_cmdOK_Click();
    void frm3_cmdBeenden_Click();

    QString m_password;
    Prompter& m_prompter;
    std::function<void()> m_endProgram;
    QLineEdit* m_entry = nullptr;
};

} // namespace tarvex

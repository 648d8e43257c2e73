#include "terminal/options/ui/login_prompt.h"

#include "shared/platform/prompter.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/terminal_state.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

LoginPrompt::LoginPrompt(QString password, Prompter& prompter, std::function<void()> endProgram, QWidget* parent)
    : QDialog(parent), m_password(std::move(password)), m_prompter(prompter), m_endProgram(std::move(endProgram))
{
    setObjectName(QStringLiteral("frm3"));
    setWindowTitle(QStringLiteral("Benutzer anmelden"));
    setModal(true);
    setMinimumWidth(320);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(named(new QLabel(QStringLiteral("Bitte geben Sie das Passwort ein:"), this), "frm3_lblPasswort"));
    m_entry = named(new QLineEdit(this), "frm3_edPasswort");
    m_entry->setEchoMode(QLineEdit::Password);
    outer->addWidget(m_entry);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), "frm3_cmdOK");
    ok->setDefault(true);
    auto* quit = named(new QPushButton(QStringLiteral("Beenden"), this), "frm3_cmdBeenden");
    quit->setAutoDefault(false);
    buttons->addWidget(ok);
    buttons->addWidget(quit);
    outer->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &LoginPrompt::frm3_cmdOK_Click);
    connect(quit, &QPushButton::clicked, this, &LoginPrompt::frm3_cmdBeenden_Click);
    m_entry->setFocus();
}

void LoginPrompt::frm3_cmdOK_Click()
{
    if (m_entry->text() == m_password) {
        accept();
        return;
    }
    m_prompter.message(QStringLiteral("Sicherheitshinweis"),
                       QStringLiteral("Ihre Eingabe ist nicht korrekt!\r\rBitte geben Sie ein korrektes Passwort ein."),
                       BoxButtons::Ok, BoxIcon::Exclamation);
    m_entry->clear();
    m_entry->setFocus();
}

void LoginPrompt::frm3_cmdBeenden_Click()
{
    if (!m_prompter.ask(QStringLiteral("Wollen Sie ") + TerminalState::kTitle + QStringLiteral(" wirklich beenden?")))
        return;
    m_endProgram();
    done(QDialog::Rejected);
}

void LoginPrompt::reject()
{
    frm3_cmdBeenden_Click();
}

} // namespace tarvex

#include "terminal/options/ui/mail_options_page.h"

#include "shared/ui/widget_helpers.h"
#include "terminal/core/kunde_settings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

MailOptionsPage::MailOptionsPage(QWidget* parent) : OptionPage(parent)
{
    setObjectName(QStringLiteral("frmMail"));
    auto* outer = new QVBoxLayout(this);

    auto* serverBox = new QGroupBox(QStringLiteral("Postausgangsserver (SMTP) für Alarm-E-Mails"), this);
    auto* server = new QFormLayout(serverBox);
    m_server = named(new QLineEdit(serverBox), "frmMail_edServer");
    m_server->setPlaceholderText(QStringLiteral("z. B. mail.example.com"));
    server->addRow(QStringLiteral("Server:"), m_server);
    m_encryption = named(new QComboBox(serverBox), "frmMail_cbVerschluesselung");
    m_encryption->addItems({QStringLiteral("Keine"), QStringLiteral("STARTTLS"), QStringLiteral("TLS (SMTPS)")});
    server->addRow(QStringLiteral("Verschlüsselung:"), m_encryption);
    m_port = named(new QLineEdit(serverBox), "frmMail_edPort");
    m_port->setMaximumWidth(80);
    m_port->setPlaceholderText(QStringLiteral("Standard"));
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(m_port);
    portRow->addWidget(new QLabel(QStringLiteral("(leer: 25, bei TLS (SMTPS) 465)"), serverBox));
    portRow->addStretch(1);
    server->addRow(QStringLiteral("Port:"), portRow);
    m_sender = named(new QLineEdit(serverBox), "frmMail_edAbsender");
    server->addRow(QStringLiteral("Absender:"), m_sender);
    m_timeLimit = named(new QLineEdit(serverBox), "frmMail_edZeitlimit");
    m_timeLimit->setMaximumWidth(80);
    m_timeLimit->setPlaceholderText(QStringLiteral("30"));
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(m_timeLimit);
    limitRow->addWidget(new QLabel(QStringLiteral("Sekunden (1 bis %1; leer: 30)").arg(kMaxTimeLimit), serverBox));
    limitRow->addStretch(1);
    server->addRow(QStringLiteral("Zeitlimit:"), limitRow);
    outer->addWidget(serverBox);

    auto* loginBox = new QGroupBox(QStringLiteral("Anmeldung am Server"), this);
    auto* login = new QFormLayout(loginBox);
    m_user = named(new QLineEdit(loginBox), "frmMail_edBenutzer");
    m_user->setPlaceholderText(QStringLiteral("leer: ohne Anmeldung"));
    login->addRow(QStringLiteral("Benutzer:"), m_user);
    m_password = named(new QLineEdit(loginBox), "frmMail_edPasswort");
    m_password->setEchoMode(QLineEdit::Password);
    login->addRow(QStringLiteral("Passwort:"), m_password);
    auto* note = new QLabel(QStringLiteral("Das Passwort steht lesbar in der Datei kunde.ini."), loginBox);
    note->setWordWrap(true);
    login->addRow(note);
    outer->addWidget(loginBox);
    outer->addStretch(1);
}

void MailOptionsPage::load(const KundeSettings& s)
{
    m_server->setText(s.mailServer);
    showNumber(m_port, s.mailPort, true);
    m_encryption->setCurrentIndex(qBound(0, s.mailVerschluesselung, 2));
    m_sender->setText(s.mailAbsender);
    m_user->setText(s.mailBenutzer);
    m_password->setText(s.mailPasswort);
    showNumber(m_timeLimit, s.mailZeitlimit, true);
}

void MailOptionsPage::apply(KundeSettings& s) const
{
    s.mailServer = m_server->text().trimmed();
    s.mailPort = numberValue(m_port);
    s.mailVerschluesselung = m_encryption->currentIndex();
    s.mailAbsender = m_sender->text().trimmed();
    s.mailBenutzer = m_user->text().trimmed();
    // Blanks may belong to a password.
    s.mailPasswort = m_password->text();
    s.mailZeitlimit = numberValue(m_timeLimit);
}

std::optional<OptionPage::Problem> MailOptionsPage::check() const
{
    if (auto p = numberProblem(m_port, QStringLiteral("Port"), 1, 65535, true))
        return p;
    return numberProblem(m_timeLimit, QStringLiteral("Zeitlimit"), 1, kMaxTimeLimit, true);
}

} // namespace tarvex

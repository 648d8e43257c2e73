#pragma once

#include <QString>

namespace zendor {

// The mail server zendor sends through when no dialog is wanted: section "Mail" of
// kunde.ini in the customer data folder.
//   Server      host name or address (empty: mail cannot be sent)
//   Port        default 25 (465 with Verschluesselung=2)
//   Absender    sender address (From and envelope sender)
//   Benutzer    user name for the login (empty: no login)
//   Passwort    password for the login
//   Verschluesselung  0 none, 1 STARTTLS (required), 2 TLS from the start (smtps)
//   Zeitlimit   seconds the whole sending may take (default 30, 1 to 600)
struct MailSettings
{
    QString server;
    int port = 25;
    QString sender;
    QString user;
    QString password;
    int encryption = 0;
    int timeoutSeconds = 30;

    static MailSettings load(const QString& dataDir);
};

} // namespace zendor

#pragma once

#include "zendor/mail/mail_request.h"

#include <QString>
#include <QStringList>

class Shell;

namespace zendor {

// Opens the desktop mail program's compose window with the mail filled in, for the user
// to edit and send: xdg-email where present (recipients, subject, text, attachments),
// a mailto: address otherwise (attachments cannot travel in a mailto: address).
class ComposeLauncher
{
public:
    explicit ComposeLauncher(Shell& shell) : m_shell(shell) {}

    bool open(const MailRequest& mail);

    static QStringList xdgEmailArguments(const MailRequest& mail);
    static QString mailtoUrl(const MailRequest& mail);

private:
    Shell& m_shell;
};

} // namespace zendor

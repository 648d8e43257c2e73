#pragma once

#include <QString>
#include <QStringList>

namespace zendor {

// One mail as the mail functions hand it on. Lines of the text are separated by "\r".
struct MailRequest
{
    QString to;
    QString cc;
    QString bcc;
    QString subject;
    QString text;
    QStringList attachments; // existing files only
    int importance = -1;     // 0 low, 1 normal, 2 high; -1: no importance header
};

} // namespace zendor

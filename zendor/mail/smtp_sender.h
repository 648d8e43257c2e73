#pragma once

#include "zendor/mail/mail_request.h"
#include "zendor/mail/mail_settings.h"

#include <QByteArray>
#include <QString>

namespace zendor {

// Sends a mail through an SMTP server with libcurl: a MIME message with the text as
// UTF-8 (quoted-printable) and the attachments (base64); To, CC and BCC as envelope
// recipients, BCC not in the headers. Every step is bounded by the settings' time limit.
class SmtpSender
{
public:
    struct Result
    {
        bool ok = false;
        int number = 0;  // the number shown to the user (see failureText)
        QString reason;  // German, for the user
    };

    // Numbers of failures found before talking to a server.
    static constexpr int kNoServer = 2;
    static constexpr int kNoSender = 4;
    static constexpr int kNoRecipient = 5;

    static Result send(const MailSettings& settings, const MailRequest& mail);

    // The addresses of a field: split at ";" and ",", trimmed, empty ones dropped.
    static QStringList addresses(const QString& field);
    // An RFC 2047 encoded header value when the text is not plain ASCII.
    static QByteArray encodeHeader(const QString& text);
    // Header values never carry line breaks.
    static QString singleLine(const QString& text);
};

} // namespace zendor

#pragma once

#include <QString>

namespace zendor {

class ZendorContext;
struct MailRequest;

// Functions 9 (through the mail system) and 4 (through the office mail client, with
// importance). a = 0 sends at once through the configured SMTP server; a != 0 opens
// the mail in the desktop mail program for the user to edit and send.
class FunktionEmail
{
public:
    enum class Kind { Allgemein, Outlook };

    FunktionEmail(const ZendorContext& ctx, Kind kind) : m_ctx(ctx), m_kind(kind) {}
    void run(const QString& record);

    // The failure box text: "MAPI32.DLL nicht gefunden /Mail nicht gesendet. (n)" and
    // the reason below it.
    static QString failureText(int number, const QString& reason);

private:
    void mail(const QString& record);
    void failed(int number, const QString& reason) const;

    const ZendorContext& m_ctx;
    Kind m_kind;
};

} // namespace zendor

#pragma once

#include "zendor/mail/mail_request.h"

#include <QString>

namespace zendor {

class ZendorContext;

// The preparation both mail functions share: fields 2 to 8 of the record, the mail text
// from field 6 or from the file it names, the mode pair a/b of field 8.
class MailPreparation
{
public:
    static constexpr int kMaxAttachmentsAllgemein = 10;

    // a: first character of field 8 as a number (not 0: the user edits the mail first);
    // b: its last character (the importance).
    static int modeA(const QString& field8);
    static int modeB(const QString& field8);
    // The mail text: the lines of the file field 6 names ("\r" before every line), or
    // field 6 itself.
    static QString mailText(const ZendorContext& ctx, const QString& body);
    // Function 9: the first ten pieces of field 7 that name existing files.
    static QStringList attachmentsAllgemein(const ZendorContext& ctx, const QString& field7);
    // Function 4: every piece that names an existing file; *lastExists tells whether the
    // last piece did.
    static QStringList attachmentsOutlook(const ZendorContext& ctx, const QString& field7, bool* lastExists);
};

} // namespace zendor

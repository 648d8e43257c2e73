#include "zendor/mail/mail_preparation.h"

#include "shared/number_text.h"
#include "shared/text_file.h"
#include "zendor/zendor_context.h"
#include "zendor/zendor_paths.h"

#include <QFileInfo>

namespace zendor {

int MailPreparation::modeA(const QString& field8)
{
    return field8.isEmpty() ? 0 : leadingInt(field8.left(1));
}

int MailPreparation::modeB(const QString& field8)
{
    return field8.isEmpty() ? 0 : leadingInt(field8.right(1));
}

QString MailPreparation::mailText(const ZendorContext& ctx, const QString& body)
{
    QString path = body;
    const bool looksRelativeFile = !body.isEmpty() && !ZendorPaths::isAbsolute(body, false) && body.size() >= 4
        && body.at(body.size() - 4) == QLatin1Char('.');
    if (looksRelativeFile)
        path = ctx.resolvePath(body, false);
    else if (ZendorPaths::isAbsolute(body, true))
        path = ctx.resolvePath(body, true);
    else
        return body; // plain text; never looked up in whatever folder is current
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return body;
    QString text;
    for (const QString& line : TextFile::readLines(path))
        text += QLatin1Char('\r') + line;
    return text;
}

QStringList MailPreparation::attachmentsAllgemein(const ZendorContext& ctx, const QString& field7)
{
    QStringList out;
    if (field7.isEmpty())
        return out;
    const QStringList pieces = field7.split(QLatin1Char(';'));
    for (int i = 0; i < pieces.size() && i < kMaxAttachmentsAllgemein; ++i) {
        const QString p = ctx.resolvePath(pieces.at(i).trimmed(), true);
        if (!p.isEmpty() && QFileInfo(p).isFile())
            out << p;
    }
    return out;
}

QStringList MailPreparation::attachmentsOutlook(const ZendorContext& ctx, const QString& field7, bool* lastExists)
{
    QStringList out;
    *lastExists = false;
    const QStringList pieces = field7.split(QLatin1Char(';'));
    for (int i = 0; i < pieces.size(); ++i) {
        const QString p = ctx.resolvePath(pieces.at(i).trimmed(), true);
        const bool exists = !p.isEmpty() && QFileInfo(p).isFile();
        if (exists)
            out << p;
        if (i == pieces.size() - 1)
            *lastExists = exists;
    }
    return out;
}

} // namespace zendor

#pragma once

#include "quillet/text_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace quillet {

// The text of a sheet as the file a mail carries: in a folder of its own below the editor's
// mail folder, named after the document. The desktop's mail program reads the file only
// after the compose call has returned (and again when the mail is sent), so the file is not
// deleted at once: folders older than kKeepHours are removed at the next send and at start.
class MailAttachment {
public:
    static constexpr int kKeepHours = 24;

    // The document's file name, or its tab label when it has no file.
    static QString fileName(const QString& path, const QString& label);
    // The bytes as saving would write them; characters the file's encoding cannot hold make
    // the file UTF-8 instead of losing them.
    static QByteArray encode(const QString& text, const TextFormat& format);
    // Writes `bytes` as `root`/<new folder>/`name`; the path, or empty with `error` set.
    static QString write(const QString& root, const QString& name, const QByteArray& bytes, QString* error);
    // Removes the mail folders below `root` last changed more than kKeepHours before `now`.
    static void removeOld(const QString& root, const QDateTime& now);
};

} // namespace quillet

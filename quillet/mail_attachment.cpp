#include "quillet/mail_attachment.h"

#include "quillet/title_rule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

namespace quillet {
namespace {

const QString kFolderPrefix = QStringLiteral("mail-");

} // namespace

QString MailAttachment::fileName(const QString& path, const QString& label)
{
    return path.isEmpty() ? label : TitleRule::fileNamePart(path);
}

QByteArray MailAttachment::encode(const QString& text, const TextFormat& format)
{
    bool lossy = false;
    const QByteArray bytes = TextFile::encode(text, format, &lossy);
    if (!lossy)
        return bytes;
    TextFormat utf8 = format;
    utf8.encoding = TextFormat::Encoding::Utf8;
    return TextFile::encode(text, utf8);
}

QString MailAttachment::write(const QString& root, const QString& name, const QByteArray& bytes, QString* error)
{
    if (!QDir().mkpath(root)) {
        *error = QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.").arg(QDir::toNativeSeparators(root));
        return {};
    }
    // Other users have no business reading what is mailed.
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QTemporaryDir folder(root + u'/' + kFolderPrefix + QStringLiteral("XXXXXX"));
    if (!folder.isValid()) {
        *error = folder.errorString();
        return {};
    }
    folder.setAutoRemove(false);
    const QString path = folder.filePath(name);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        QDir(folder.path()).removeRecursively();
        return {};
    }
    return path;
}

void MailAttachment::removeOld(const QString& root, const QDateTime& now)
{
    const QDir dir(root);
    if (!dir.exists())
        return;
    // Only folders named like ours are touched.
    const QFileInfoList folders =
        dir.entryInfoList({kFolderPrefix + QStringLiteral("??????")}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& info : folders) {
        if (info.isSymLink())
            continue;
        if (info.lastModified().secsTo(now) > qint64(kKeepHours) * 3600)
            QDir(info.absoluteFilePath()).removeRecursively();
    }
}

} // namespace quillet

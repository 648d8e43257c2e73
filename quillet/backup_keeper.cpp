#include "quillet/backup_keeper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace quillet {

BackupKeeper::BackupKeeper(InstanceFile& instanceFile, QString ownKey, QString tempFolder)
    : m_instanceFile(instanceFile), m_ownKey(std::move(ownKey)), m_tempFolder(std::move(tempFolder))
{
}

void BackupKeeper::tick(const QString& text, bool modified)
{
    if (modified && !text.isEmpty()) {
        if (m_backupPath.isEmpty()) {
            QTemporaryFile file(QDir(m_tempFolder).filePath(QStringLiteral("quillet-XXXXXX.bak")));
            file.setAutoRemove(false);
            if (!file.open())
                return;
            m_backupPath = file.fileName();
            file.close();
            m_instanceFile.set(m_ownKey, m_backupPath);
        }
        // The backup holds the text as it is in the editor, in UTF-8.
        QSaveFile out(m_backupPath);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(text.toUtf8());
            out.commit();
        }
    } else if (!modified && !m_backupPath.isEmpty()) {
        discard();
    }
}

void BackupKeeper::discard()
{
    if (m_backupPath.isEmpty())
        return;
    m_instanceFile.remove(m_ownKey);
    QFile::remove(m_backupPath);
    m_backupPath.clear();
}

QList<BackupKeeper::Orphan> BackupKeeper::orphans(const InstanceFile& instanceFile, const QString& ownKey,
                                                 const std::function<bool(const QString&)>& isRunning)
{
    QList<Orphan> result;
    const QMap<QString, QString> entries = instanceFile.entries();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it.key() == ownKey || isRunning(it.key()))
            continue;
        result.append({it.key(), it.value()});
    }
    return result;
}

bool BackupKeeper::isBackupFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.fileName().startsWith(QLatin1String("quillet-")) &&
           info.fileName().endsWith(QLatin1String(".bak"));
}

std::optional<QString> BackupKeeper::readBackup(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

} // namespace quillet

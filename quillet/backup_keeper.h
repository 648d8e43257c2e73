#pragma once

#include "quillet/instance_file.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace quillet {

// The crash backup of one main window: written by the backup timer while the current sheet
// has unsaved changes, registered in the instance file, removed at a normal close.
class BackupKeeper {
public:
    BackupKeeper(InstanceFile& instanceFile, QString ownKey, QString tempFolder);

    // One tick of the backup timer with the current sheet's text.
    void tick(const QString& text, bool modified);
    // Removes this window's entry and its backup file.
    void discard();
    const QString& backupPath() const { return m_backupPath; }

    struct Orphan {
        QString key;
        QString backupPath;
    };
    // Entries of editors that are no longer running (damaged keys count as not running).
    static QList<Orphan> orphans(const InstanceFile& instanceFile, const QString& ownKey,
                                 const std::function<bool(const QString&)>& isRunning);
    static std::optional<QString> readBackup(const QString& path);
    // Only files this editor created as backups are read or deleted on behalf of an entry.
    static bool isBackupFile(const QString& path);

private:
    InstanceFile& m_instanceFile;
    QString m_ownKey;
    QString m_tempFolder;
    QString m_backupPath;
};

} // namespace quillet

#pragma once

#include <QMap>
#include <QString>

namespace quillet {

// The instance file: section "Quillet", one key per running editor window (its process id)
// whose value is the path of that window's backup file.
class InstanceFile {
public:
    explicit InstanceFile(QString path);

    // Beside the program ("quillet.tmp") when that folder is writable, else in the per-user
    // data folder.
    static QString defaultPath(const QString& programPath, const QString& userDataFolder);

    const QString& path() const { return m_path; }
    QMap<QString, QString> entries() const;
    void set(const QString& key, const QString& backupPath);
    void remove(const QString& key);

private:
    QString m_path;
};

} // namespace quillet

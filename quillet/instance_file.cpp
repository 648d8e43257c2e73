#include "quillet/instance_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace quillet {
namespace {

const QString kSection = QStringLiteral("Quillet");

} // namespace

InstanceFile::InstanceFile(QString path)
    : m_path(std::move(path))
{
}

QString InstanceFile::defaultPath(const QString& programPath, const QString& userDataFolder)
{
    const QFileInfo program(programPath);
    const QString name = program.completeBaseName() + QStringLiteral(".tmp");
    const QFileInfo folder(program.absolutePath());
    if (folder.isDir() && folder.isWritable())
        return program.absolutePath() + u'/' + name;
    QDir().mkpath(userDataFolder);
    return QDir(userDataFolder).filePath(name);
}

QMap<QString, QString> InstanceFile::entries() const
{
    QMap<QString, QString> result;
    QSettings file(m_path, QSettings::IniFormat);
    file.beginGroup(kSection);
    for (const QString& key : file.childKeys()) {
        const QVariant value = file.value(key);
        if (value.canConvert<QString>())
            result.insert(key, value.toString());
    }
    return result;
}

void InstanceFile::set(const QString& key, const QString& backupPath)
{
    QSettings file(m_path, QSettings::IniFormat);
    file.setValue(kSection + u'/' + key, backupPath);
    file.sync();
}

void InstanceFile::remove(const QString& key)
{
    QSettings file(m_path, QSettings::IniFormat);
    file.remove(kSection + u'/' + key);
    file.sync();
}

} // namespace quillet

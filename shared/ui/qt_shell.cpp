#include "shared/ui/qt_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

bool QtShell::startProgram(const QString& program, const QStringList& arguments, const QString& workingDir)
{
    const QString path = findProgram(program);
    if (path.isEmpty())
        return false;
    return QProcess::startDetached(path, arguments, workingDir);
}

QString QtShell::findProgram(const QString& program) const
{
    if (program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\'))) {
        const QFileInfo fi(program);
        return fi.isFile() && fi.isExecutable() ? fi.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

bool QtShell::openFolder(const QString& path)
{
    if (!QFileInfo(path).isDir())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtShell::openDocument(const QString& path)
{
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtShell::openUrl(const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

#include "shared/app_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString AppFolders::withTrailingSlash(const QString& dir)
{
    QString d = dir;
    d.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}

namespace {

bool ensureWritableFolder(const QString& dir)
{
    QDir d(dir);
    if (!d.exists() && !QDir().mkpath(dir))
        return false;
    QFileInfo fi(dir);
    return fi.isDir() && fi.isWritable();
}

} // namespace

AppFolders AppFolders::resolve(const QString& programDir, const QString& kundeOverride,
                               const QString& perUserBase)
{
    AppFolders f;
    f.m_programDir = withTrailingSlash(programDir);
    if (!kundeOverride.isEmpty()) {
        f.m_dataDir = withTrailingSlash(QFileInfo(kundeOverride).absoluteFilePath());
        f.m_named = true;
        return f;
    }
    const QString local = findCaseInsensitive(f.m_programDir + QStringLiteral("Kunde"));
    if (ensureWritableFolder(local)) {
        f.m_dataDir = withTrailingSlash(local);
        return f;
    }
    f.m_perUser = true;
    f.m_dataDir = withTrailingSlash(withTrailingSlash(perUserBase) + QStringLiteral("Kunde"));
    // When the program folder already holds customer data we can still read but not
    // write, the per-user folder starts as a copy of it so nothing the user had is lost.
    if (!QFileInfo::exists(f.m_dataDir) && QFileInfo(local).isDir()) {
        QDir().mkpath(f.m_dataDir);
        const QDir src(local);
        const auto entries = src.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QFileInfo& e : entries) {
            if (e.isFile()) {
                QFile::copy(e.absoluteFilePath(), f.m_dataDir + e.fileName());
            } else {
                QDir sub(e.absoluteFilePath());
                QDir().mkpath(f.m_dataDir + e.fileName());
                for (const QFileInfo& s : sub.entryInfoList(QDir::Files))
                    QFile::copy(s.absoluteFilePath(), f.m_dataDir + e.fileName() + QLatin1Char('/') + s.fileName());
            }
        }
    }
    QDir().mkpath(f.m_dataDir);
    return f;
}

QString AppFolders::perUserBase()
{
    return withTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        + QStringLiteral("Kavimor/Tarvex");
}

QString AppFolders::tempDir() const
{
    QDir d(m_dataDir);
    d.cdUp();
    return withTrailingSlash(d.absolutePath()) + QStringLiteral("temp/");
}

void AppFolders::createDataFolders() const
{
    for (const QString& dir : {m_dataDir, configDir(), anzeigeDir(), captureDir(), scriptsDir()}) {
        const QString existing = findCaseInsensitive(dir);
        if (!QFileInfo(existing).isDir())
            QDir().mkpath(dir);
    }
}

QString AppFolders::findCaseInsensitive(const QString& path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty() || QFileInfo::exists(p))
        return p;

    const bool trailing = p.endsWith(QLatin1Char('/'));
    const bool absolute = p.startsWith(QLatin1Char('/'));
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    int i = 0;
    // A drive letter ("C:") is taken as it stands.
    if (!parts.isEmpty() && parts.first().size() == 2 && parts.first().at(1) == QLatin1Char(':')) {
        current = parts.first() + QLatin1Char('/');
        i = 1;
    }
    bool found = true;
    for (; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        QString next = current + part;
        if (found && !QFileInfo::exists(next)) {
            const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
            QString match;
            const auto entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    match = e;
                    break;
                }
            }
            if (match.isEmpty())
                found = false;
            else
                next = current + match;
        }
        current = next;
        if (i + 1 < parts.size())
            current += QLatin1Char('/');
    }
    if (trailing && !current.endsWith(QLatin1Char('/')))
        current += QLatin1Char('/');
    return current;
}

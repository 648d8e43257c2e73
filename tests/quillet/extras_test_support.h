#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QDateTime>
#include <QtGlobal>
#include <map>
#include <utime.h>

// A desktop of its own for file-association tests: the user's and the system's XDG folders
// in a temporary folder, no desktop environment named (so xdg-mime uses its generic lists),
// and a system text editor "sysedit.desktop" that the system's MIME cache names for
// text/plain. The environment is put back afterwards.
class XdgSandbox {
public:
    explicit XdgSandbox(bool withSystemEditor = true)
    {
        const QString root = m_dir.path();
        set("XDG_DATA_HOME", root + QStringLiteral("/data"));
        set("XDG_CONFIG_HOME", root + QStringLiteral("/config"));
        set("XDG_DATA_DIRS", root + QStringLiteral("/system"));
        set("XDG_CONFIG_DIRS", root + QStringLiteral("/etc"));
        for (const char* name :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "XDG_MENU_PREFIX"})
            set(name, QString());
        for (const char* sub : {"data/applications", "config", "system/applications", "etc"})
            QDir().mkpath(root + u'/' + QLatin1String(sub));
        if (withSystemEditor) {
            writeDesktopEntry(systemApplications() + QStringLiteral("/sysedit.desktop"), QStringLiteral("Sys"));
            write(systemApplications() + QStringLiteral("/mimeinfo.cache"), "[MIME Cache]\ntext/plain=sysedit.desktop;\n");
        }
    }
    ~XdgSandbox()
    {
        for (const auto& [name, value] : m_saved) {
            if (value.isNull())
                qunsetenv(name.c_str());
            else
                qputenv(name.c_str(), value);
        }
    }

    QString userApplications() const { return m_dir.path() + QStringLiteral("/data/applications"); }
    QString systemApplications() const { return m_dir.path() + QStringLiteral("/system/applications"); }
    QString userMimeapps() const { return m_dir.path() + QStringLiteral("/config/mimeapps.list"); }

    static QString xdgMime() { return QStandardPaths::findExecutable(QStringLiteral("xdg-mime")); }
    // What the desktop opens text files with, asked as any other program would.
    static QString queryDefault()
    {
        QProcess p;
        p.start(xdgMime(), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
        p.waitForFinished(15000);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }
    static void writeDesktopEntry(const QString& path, const QString& name)
    {
        write(path, "[Desktop Entry]\nType=Application\nName=" + name.toUtf8()
                        + "\nExec=/bin/true %f\nMimeType=text/plain;\n");
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    void set(const char* name, const QString& value)
    {
        if (!m_saved.count(name))
            m_saved[name] = qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray();
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    }

    QTemporaryDir m_dir;
    std::map<std::string, QByteArray> m_saved;  // null: was not set
};

// Dates a file or folder back (or forward) to `when`.
inline bool setModificationTime(const QString& path, const QDateTime& when)
{
    const utimbuf times{static_cast<time_t>(when.toSecsSinceEpoch()), static_cast<time_t>(when.toSecsSinceEpoch())};
    return ::utime(QFile::encodeName(path).constData(), &times) == 0;
}

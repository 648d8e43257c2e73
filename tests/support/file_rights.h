#pragma once

// Lets a test meet the permission bits of files and folders although it runs as root:
// while a FileRightsOfNobody lives, the calling thread opens and creates files as the user
// "nobody" (Linux file-system ids; root's rights to ignore permission bits go with them).
// Other threads keep their rights.

#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/fsuid.h>
#endif

class FileRightsOfNobody {
public:
    static constexpr unsigned kNobody = 65534;

    FileRightsOfNobody()
    {
#ifdef Q_OS_LINUX
        if (::geteuid() != 0)
            return;  // an ordinary user meets the permission bits anyway
        m_oldGid = static_cast<unsigned>(::setfsgid(kNobody));
        m_oldUid = static_cast<unsigned>(::setfsuid(kNobody));
        m_changed = true;
        m_active = static_cast<unsigned>(::setfsuid(static_cast<uid_t>(-1))) == kNobody;
#endif
    }
    ~FileRightsOfNobody()
    {
#ifdef Q_OS_LINUX
        if (m_changed) {
            ::setfsuid(m_oldUid);
            ::setfsgid(m_oldGid);
        }
#endif
    }
    FileRightsOfNobody(const FileRightsOfNobody&) = delete;
    FileRightsOfNobody& operator=(const FileRightsOfNobody&) = delete;

    // True when files are now opened with the rights of an ordinary user.
    bool active() const
    {
#ifdef Q_OS_LINUX
        return m_active || ::geteuid() != 0;
#else
        return false;
#endif
    }

    // Whether a new file can be created in `folder` with the current rights (the probe is
    // removed again).
    static bool canCreateIn(const QString& folder)
    {
        QFile probe(folder + QStringLiteral("/.probe"));
        if (!probe.open(QIODevice::WriteOnly))
            return false;
        probe.remove();
        return true;
    }

private:
    unsigned m_oldUid = 0;
    unsigned m_oldGid = 0;
    bool m_changed = false;
    bool m_active = false;
};

// While it lives, everyone may write `file` and enter `folder` (below `parent`), but nobody
// other than root may create files in `folder`.
class ClosedFolder {
public:
    ClosedFolder(const QString& parent, const QString& folder, const QString& file) : m_folder(folder)
    {
        QFile::setPermissions(parent, kReadAndEnter | QFile::WriteOwner);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup
                                        | QFile::ReadOther | QFile::WriteOther);
        QFile::setPermissions(folder, kReadAndEnter);
    }
    ~ClosedFolder() { QFile::setPermissions(m_folder, kReadAndEnter | QFile::WriteOwner); }
    ClosedFolder(const ClosedFolder&) = delete;
    ClosedFolder& operator=(const ClosedFolder&) = delete;

private:
    static constexpr QFile::Permissions kReadAndEnter{QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                      | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther};
    QString m_folder;
};

#ifdef Q_OS_UNIX
// A second name for the file at `path` (a hard link): it shows whether a write replaced the
// file or wrote into it.
inline bool secondName(const QString& path, const QString& name)
{
    return ::link(QFile::encodeName(path).constData(), QFile::encodeName(name).constData()) == 0;
}
#endif

#include "shared/disk_sync.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

void DiskSync::syncDescriptor(int fd)
{
#ifdef Q_OS_UNIX
    if (fd >= 0)
        ::fsync(fd);
#else
    Q_UNUSED(fd);
#endif
}

namespace {

#ifdef Q_OS_UNIX
// Opens a path only to sync it to the disk; a path that cannot be opened is left alone.
void syncPath(const QString& path, int openFlags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | openFlags);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
#endif

} // namespace

void DiskSync::syncFile(const QString& path)
{
#ifdef Q_OS_UNIX
    syncPath(path, 0);
#else
    // Windows: FlushFileBuffers on a handle opened for writing; QSaveFile does it for its files.
    Q_UNUSED(path);
#endif
}

void DiskSync::syncFolderOf(const QString& path)
{
#ifdef Q_OS_UNIX
    syncPath(QFileInfo(path).absolutePath(), O_DIRECTORY);
#else
    // Windows has no folder sync; NTFS journals the rename itself.
    Q_UNUSED(path);
#endif
}

bool DiskSync::replace(const QString& from, const QString& to)
{
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()), std::filesystem::path(to.toStdU16String()),
                            ec);
    if (ec)
        return false;
    syncFolderOf(to);
    return true;
}

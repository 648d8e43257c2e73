#include "zendor/file_ops.h"

#include "shared/disk_sync.h"
#include "shared/runtime_error.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace zendor {

namespace fs = std::filesystem;

namespace {

fs::path pathOf(const QString& p)
{
    return fs::path(p.toStdU16String());
}

} // namespace

int FileOps::codeOf(int e)
{
    switch (e) {
    case ENOENT: return ErrorCode::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EBUSY: return ErrorCode::PermissionDenied;
    case ENOSPC: return ErrorCode::DiskFull;
    case ENOTDIR: return ErrorCode::PathNotFound;
    default: return ErrorCode::PathFileAccess;
    }
}

void FileOps::clearAttributes(const QString& path)
{
    QFile f(path);
    f.setPermissions(f.permissions() | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
}

void FileOps::copyInPlace(const QString& source, const QString& target)
{
    // Through the open target: its owner and rights stay as they are (a copy that set the
    // source's rights would fail for a file someone else owns, after emptying it).
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw RuntimeError(codeOf(EACCES), source);
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw RuntimeError(codeOf(EACCES), target);
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            throw RuntimeError(codeOf(EIO), source);
        if (out.write(chunk) != chunk.size())
            throw RuntimeError(codeOf(out.error() == QFileDevice::ResourceError ? ENOSPC : EIO), target);
    }
    if (!out.flush())
        throw RuntimeError(codeOf(ENOSPC), target);
}

void FileOps::copyReplacing(const QString& source, const QString& target)
{
    const fs::path src = pathOf(source);
    const fs::path dst = pathOf(target);
    fs::path tmp = dst;
    tmp += u".zendor-part";
    std::error_code ec;
    if (!fs::copy_file(src, tmp, fs::copy_options::overwrite_existing, ec) || ec) {
        const int error = ec ? ec.value() : EIO;
        std::error_code ignore;
        fs::remove(tmp, ignore);
        // A folder that allows no new file but holds a writable target: the target is
        // written in place.
        if ((error == EACCES || error == EPERM) && fs::is_regular_file(dst, ignore)) {
            copyInPlace(source, target);
            return;
        }
        throw RuntimeError(codeOf(error), source);
    }
    // The copy's data reaches the disk before it takes the target's name, and the folder
    // after: a power cut leaves the old target or the complete new one.
    DiskSync::syncFile(QString::fromStdU16String(tmp.u16string()));
    fs::rename(tmp, dst, ec);
    if (!ec)
        DiskSync::syncFolderOf(target);
    if (ec) {
        const int code = codeOf(ec.value());
        std::error_code ignore;
        fs::remove(tmp, ignore);
        throw RuntimeError(code, target);
    }
}

void FileOps::remove(const QString& path)
{
    std::error_code ec;
    fs::remove(pathOf(path), ec);
    if (ec)
        throw RuntimeError(codeOf(ec.value()), path);
}

} // namespace zendor

#include "zendor/file_ops.h"

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

void FileOps::copyReplacing(const QString& source, const QString& target)
{
    const fs::path src = pathOf(source);
    const fs::path dst = pathOf(target);
    fs::path tmp = dst;
    tmp += u".zendor-part";
    std::error_code ec;
    if (!fs::copy_file(src, tmp, fs::copy_options::overwrite_existing, ec) || ec) {
        fs::remove(tmp, ec);
        throw RuntimeError(codeOf(ec ? ec.value() : EIO), source);
    }
    fs::rename(tmp, dst, ec);
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

#include "shared/line_appender.h"

#include "shared/cp1252.h"
#include "shared/runtime_error.h"
#include "shared/text_file.h"

#ifdef Q_OS_UNIX
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

LineAppender::~LineAppender()
{
    close();
}

void LineAppender::open(const QString& path)
{
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw RuntimeError(TextFile::errorCodeOf(m_file), path);
}

void LineAppender::close()
{
    if (m_file.isOpen())
        m_file.close();
}

void LineAppender::appendBytes(const QByteArray& bytes)
{
    if (!m_file.isOpen())
        throw RuntimeError(ErrorCode::BadFileName, m_file.fileName());
    if (m_file.write(bytes) != bytes.size() || !m_file.flush())
        throw RuntimeError(TextFile::errorCodeOf(m_file), m_file.fileName());
}

void LineAppender::appendLine(const QString& line)
{
    appendBytes(Cp1252::encode(line) + "\r\n");
}

void LineAppender::appendLineTo(const QString& path, const QString& line)
{
    LineAppender a;
    a.open(path);
    a.appendLine(line);
}

#ifdef Q_OS_UNIX
namespace {

int errorCodeOfErrno(int e)
{
    switch (e) {
    case ENOENT:
    case ENOTDIR:
        return ErrorCode::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return ErrorCode::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return ErrorCode::DiskFull;
    default:
        return ErrorCode::DeviceIo;
    }
}

} // namespace
#endif

void LineAppender::appendBytesTo(const QString& path, const QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    // open, write, close: no look at the file's metadata on the way (QFile takes two).
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        throw RuntimeError(errorCodeOfErrno(errno), path);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int e = n < 0 ? errno : EIO;
            ::close(fd);
            throw RuntimeError(errorCodeOfErrno(e), path);
        }
        done += n;
    }
    if (::close(fd) != 0 && errno != EINTR)
        throw RuntimeError(errorCodeOfErrno(errno), path);
#else
    LineAppender a;
    a.open(path);
    a.appendBytes(bytes);
#endif
}

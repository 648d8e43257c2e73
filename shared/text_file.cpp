#include "shared/text_file.h"

#include "shared/cp1252.h"
#include "shared/disk_sync.h"
#include "shared/runtime_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QStringList TextFile::splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

int TextFile::errorCodeOf(const QFileDevice& file)
{
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return ErrorCode::DiskFull;
    case QFileDevice::PermissionsError:
        return ErrorCode::PermissionDenied;
    case QFileDevice::OpenError:
        return QFileInfo::exists(file.fileName()) ? ErrorCode::PermissionDenied : ErrorCode::PathNotFound;
    default:
        return ErrorCode::PathFileAccess;
    }
}

QString TextFile::readText(const QString& path)
{
    QFile f(path);
    if (!f.exists())
        throw RuntimeError(ErrorCode::FileNotFound, path);
    if (!f.open(QIODevice::ReadOnly))
        throw RuntimeError(errorCodeOf(f), path);
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorCode::DeviceIo, path);
    return Cp1252::decode(bytes);
}

QStringList TextFile::readLines(const QString& path)
{
    return splitLines(readText(path));
}

QByteArray TextFile::encodeLines(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines) {
        out += Cp1252::encode(line);
        out += "\r\n";
    }
    return out;
}

void TextFile::writeBytesAtomic(const QString& path, const QByteArray& bytes)
{
    QSaveFile f(path);
    // A writable file in a folder where no temporary file may be created is written in place.
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly))
        throw RuntimeError(errorCodeOf(f), path);
    if (f.write(bytes) != bytes.size()) {
        const int code = errorCodeOf(f);
        f.cancelWriting();
        throw RuntimeError(code, path);
    }
    // commit() syncs the new file's data before it renames it over the old one.
    if (!f.commit())
        throw RuntimeError(errorCodeOf(f), path);
    DiskSync::syncFolderOf(path);
}

void TextFile::writeLinesAtomic(const QString& path, const QStringList& lines)
{
    writeBytesAtomic(path, encodeLines(lines));
}

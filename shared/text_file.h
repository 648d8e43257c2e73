#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QFileDevice;

// Text files of the system: Windows-1252 with CR LF line ends. Readers also accept
// LF-only and CR-only files. Whole-file writers are atomic: the old file stays intact
// until the new one is complete on disk. Where the folder does not allow the temporary
// file beside the target but the file itself is writable, they write it in place.
class TextFile
{
public:
    // Splits at CR LF, LF or CR. A line end at the very end does not start another line.
    static QStringList splitLines(const QString& text);

    // Reads and decodes a whole file; throws RuntimeError (53 missing, 75 unreadable).
    static QString readText(const QString& path);
    static QStringList readLines(const QString& path);

    // Lines joined with CR LF, each line terminated.
    static QByteArray encodeLines(const QStringList& lines);

    // Atomic whole-file writes; throw RuntimeError on failure (61 disk full, 70 denied, 75 other).
    static void writeBytesAtomic(const QString& path, const QByteArray& bytes);
    static void writeLinesAtomic(const QString& path, const QStringList& lines);

    // Maps a failed QFile/QSaveFile to an error number of the error report.
    static int errorCodeOf(const QFileDevice& file);
};

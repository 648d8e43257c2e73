#pragma once

#include <QString>
#include <QStringList>

namespace zendor {

// The instruction file of the archiver: line 1 "ZIP=" + the zip file to create, then one
// file path or wildcard pattern a line; Windows-1252 with CR LF, written anew each time.
class ZipInstructionFile
{
public:
    // Throws RuntimeError when the file cannot be written.
    static void write(const QString& path, const QString& zipPath, const QStringList& sources);
    // True when the path survives the file's code page unchanged. A path that doesn't
    // would reach the archiver with "?" in place of its other characters, which it reads
    // as a wildcard.
    static bool representable(const QString& path);
    // The hand-over marker: present while the archiver has not read the instruction file.
    static QString markerOf(const QString& instructionPath) { return instructionPath + QStringLiteral(".lesen"); }
};

} // namespace zendor

#pragma once

#include <QString>
#include <QStringList>

namespace zipall {

// The instruction file: line 1 "ZIP=" + the zip file to create, then one file path or
// wildcard pattern a line (Windows-1252, CR LF or LF). Blank lines are ignored.
struct ZipInstructions
{
    QString zipPath;
    QStringList sources;

    // Throws RuntimeError when the file is missing or unreadable, or std::invalid_argument
    // when line 1 is no "ZIP=" line.
    static ZipInstructions read(const QString& path);
    static ZipInstructions parse(const QStringList& lines);
};

} // namespace zipall

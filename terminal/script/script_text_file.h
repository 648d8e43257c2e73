#pragma once

#include <QByteArray>
#include <QString>

namespace tarvex {

// The text of a file the script editor loads: a text file (Windows-1252) as it is, a rich
// text file as its plain text (paragraphs and line breaks become line ends, fonts, colours
// and pictures are dropped). Line ends are LF.
class ScriptTextFile
{
public:
    // Throws RuntimeError when the file cannot be read.
    static QString read(const QString& path);
    static QString plainTextOfRtf(const QByteArray& rtf);
};

} // namespace tarvex

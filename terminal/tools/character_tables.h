#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarvex {

// The contents of the two character windows: the information list (every code with its
// name, or the virtual-key information file) and the code view of a text.
namespace CharacterTables {

// "000 -> NUL (Null Prompt)" … "255 -> ÿ": one line per code.
QStringList asciiTable();

// The lines of the virtual-key information file up to its end or its first empty line; no
// value when the file does not exist.
std::optional<QStringList> virtualKeyLines(const QString& path);
QString virtualKeyFile(const QString& configDir);

// The code view cuts its source into rows: 8 characters of the display's text, or one
// character each of the codes 1 to 255 (mode 1).
class CodeView
{
public:
    static constexpr int kDisplayWidth = 8;

    // mode 1: the codes 1 to 255; 0, 2, 3 and 4: the given text (Windows-1252 bytes).
    CodeView(int mode, QByteArray displayText);

    int rows() const;
    // One row: the codes in hexadecimal (padded to the row width), the row's characters
    // (control characters as "."), then "   Ascii: " and the decimal codes (modes 0 and 2)
    // or the running row number (modes 1, 3, 4), three digits each.
    QString row(int index) const;
    QStringList allRows() const;

private:
    int m_mode;
    int m_width;
    QByteArray m_source;
};

} // namespace CharacterTables

} // namespace tarvex

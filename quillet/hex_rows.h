#pragma once

#include "quillet/text_file.h"

#include <QString>
#include <QStringView>

namespace quillet {

// The rows of the hexadecimal view of a text: 16 characters per row, a line break counting
// as one character. A row reads
//   "0000ABCD " + 16 × ("4A " or "   " past the end) + "  " + 16 characters
// where codes below 32 and other characters that print nothing (DEL, the C1 controls) show
// as "." and positions past the end as blanks. Codes are the characters' Windows-1252
// bytes; a line break shows as the first byte of the text's line end, the symbols for stray
// CR / LF as 0D / 0A, and a character the code page cannot hold as "--".
// Rows are built on demand, so a view over a text of any size costs only what is shown.
class HexRows {
public:
    static constexpr int kPerRow = 16;

    HexRows(QStringView text, TextFormat::LineEnd lineEnd) : m_text(text), m_lineEnd(lineEnd) {}

    qsizetype rowCount() const { return (m_text.size() + kPerRow - 1) / kPerRow; }
    QString row(qsizetype index) const;

    // The code shown for one character; -1 when the code page cannot hold it.
    int code(QChar c) const;

private:
    QStringView m_text;
    TextFormat::LineEnd m_lineEnd;
};

} // namespace quillet

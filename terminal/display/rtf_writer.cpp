#include "terminal/display/rtf_writer.h"

#include "shared/cp1252.h"

namespace tarvex {

int RtfWriter::fontIndex(const QString& name)
{
    qsizetype i = m_fonts.indexOf(name);
    if (i < 0) {
        m_fonts.append(name);
        i = m_fonts.size() - 1;
    }
    return int(i);
}

int RtfWriter::colorIndex(const Color& color)
{
    qsizetype i = m_colors.indexOf(color);
    if (i < 0) {
        m_colors.append(color);
        i = m_colors.size() - 1;
    }
    return int(i) + 1; // entry 0 of the colour table is the reader's default colour
}

void RtfWriter::add(const Run& run)
{
    QByteArray b = "\\plain\\f" + QByteArray::number(fontIndex(run.fontName)) + "\\fs"
        + QByteArray::number(2 * (run.pointSize > 0 ? run.pointSize : 10)) + "\\cf"
        + QByteArray::number(colorIndex(run.color));
    if (run.background) {
        const QByteArray bg = QByteArray::number(colorIndex(*run.background));
        b += "\\chcbpat" + bg + "\\highlight" + bg;
    }
    if (run.bold)
        b += "\\b";
    if (run.italic)
        b += "\\i";
    if (run.underline)
        b += "\\ul";
    m_body += b + ' ' + escaped(run.text);
}

void RtfWriter::endParagraph()
{
    m_body += "\\par\r\n";
}

QByteArray RtfWriter::escaped(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else {
            bool ok = false;
            const unsigned char byte = Cp1252::fromUnicode(c, &ok);
            if (ok) {
                out += "\\'" + QByteArray::number(byte, 16).rightJustified(2, '0');
            } else {
                // Signed 16-bit value, followed by the replacement for older readers.
                out += "\\u" + QByteArray::number(int(qint16(u))) + '?';
            }
        }
    }
    return out;
}

QByteArray RtfWriter::document() const
{
    QByteArray doc = "{\\rtf1\\ansi\\ansicpg1252\\deff0\r\n{\\fonttbl";
    for (qsizetype i = 0; i < m_fonts.size(); ++i)
        doc += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 " + escaped(m_fonts.at(i)) + ";}";
    if (m_fonts.isEmpty())
        doc += "{\\f0\\fnil\\fcharset0 Courier New;}";
    doc += "}\r\n{\\colortbl ;";
    for (const Color& c : m_colors)
        doc += "\\red" + QByteArray::number(c.red) + "\\green" + QByteArray::number(c.green) + "\\blue"
            + QByteArray::number(c.blue) + ';';
    doc += "}\r\n\\viewkind4\\uc1\\pard\r\n" + m_body + "}\r\n";
    return doc;
}

} // namespace tarvex

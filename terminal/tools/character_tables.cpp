#include "terminal/tools/character_tables.h"

#include "shared/cp1252.h"
#include "shared/text_file.h"
#include "terminal/core/character_info.h"

#include <QFile>

namespace tarvex::CharacterTables {

namespace {

QString threeDigits(int n)
{
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

} // namespace

QStringList asciiTable()
{
    QStringList lines;
    lines.reserve(256);
    for (int code = 0; code < 256; ++code)
        lines << threeDigits(code) + QStringLiteral(" -> ") + CharacterInfo::characterName(code);
    return lines;
}

QString virtualKeyFile(const QString& configDir)
{
    return configDir + QStringLiteral("VirtualKey_Map.dat");
}

std::optional<QStringList> virtualKeyLines(const QString& path)
{
    if (!QFile::exists(path))
        return std::nullopt;
    QStringList lines;
    for (const QString& line : TextFile::readLines(path)) {
        if (line.isEmpty())
            break;
        lines << line;
    }
    return lines;
}

CodeView::CodeView(int mode, QByteArray displayText) : m_mode(mode), m_width(mode == 1 ? 1 : kDisplayWidth)
{
    if (mode == 1) {
        m_source.reserve(255);
        for (int code = 1; code < 256; ++code)
            m_source.append(char(code));
    } else {
        m_source = std::move(displayText);
    }
}

int CodeView::rows() const
{
    return int((m_source.size() + m_width - 1) / m_width);
}

QString CodeView::row(int index) const
{
    const QByteArray part = m_source.mid(qsizetype(index) * m_width, m_width);
    QString hex, text, codes;
    for (char c : part) {
        const int code = static_cast<unsigned char>(c);
        hex += QStringLiteral("%1 ").arg(code, 2, 16, QLatin1Char('0')).toUpper();
        text += code < 32 || code == 127 ? QStringLiteral(".") : Cp1252::decode(QByteArray(1, c));
        codes += QLatin1Char(' ') + threeDigits(code);
    }
    // A short last row keeps the columns of the others.
    hex += QString(3 * (m_width - int(part.size())), QLatin1Char(' '));
    text += QString(m_width - int(part.size()), QLatin1Char(' '));
    const bool showCodes = m_mode == 0 || m_mode == 2;
    return hex + QLatin1Char(' ') + text + QStringLiteral("   Ascii: ") + (showCodes ? codes.mid(1) : threeDigits(index + 1));
}

QStringList CodeView::allRows() const
{
    QStringList out;
    const int n = rows();
    out.reserve(n);
    for (int i = 0; i < n; ++i)
        out << row(i);
    return out;
}

} // namespace tarvex::CharacterTables

#include "quillet/hex_rows.h"

#include "shared/cp1252.h"

#include <algorithm>

namespace quillet {

int HexRows::code(QChar c) const
{
    switch (c.unicode()) {
    case u'\n':
        return m_lineEnd == TextFormat::LineEnd::Lf ? 0x0A : 0x0D;
    case TextFile::kStrayCr:
        return 0x0D;
    case TextFile::kStrayLf:
        return 0x0A;
    default:
        break;
    }
    bool ok = true;
    const unsigned char byte = Cp1252::fromUnicode(c, &ok);
    return ok ? byte : -1;
}

QString HexRows::row(qsizetype index) const
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    const qsizetype start = index * kPerRow;
    const qsizetype count = std::clamp<qsizetype>(m_text.size() - start, 0, kPerRow);

    QString out;
    out.reserve(9 + kPerRow * 3 + 2 + kPerRow);
    out += QStringLiteral("%1 ").arg(static_cast<qulonglong>(start), 8, 16, QLatin1Char('0')).toUpper();
    for (qsizetype i = 0; i < kPerRow; ++i) {
        if (i >= count) {
            out += QLatin1StringView("   ");
            continue;
        }
        const int value = code(m_text[start + i]);
        if (value < 0) {
            out += QLatin1StringView("-- ");
            continue;
        }
        out += QChar(kDigits[value >> 4]);
        out += QChar(kDigits[value & 0xF]);
        out += QLatin1Char(' ');
    }
    out += QLatin1StringView("  ");
    for (qsizetype i = 0; i < kPerRow; ++i) {
        if (i >= count) {
            out += QLatin1Char(' ');
            continue;
        }
        const QChar c = m_text[start + i];
        const int value = code(c);
        out += ((value >= 0 && value < 32) || !c.isPrint()) ? QChar(u'.') : c;
    }
    return out;
}

} // namespace quillet

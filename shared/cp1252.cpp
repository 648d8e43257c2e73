#include "shared/cp1252.h"

#include <array>

namespace {

// 0x80..0x9F; undefined positions keep their C1 code point.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QChar Cp1252::toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHigh[byte - 0x80]);
    return QChar(char16_t(byte));
}

unsigned char Cp1252::fromUnicode(QChar c, bool* ok)
{
    const char16_t u = c.unicode();
    if (ok)
        *ok = true;
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    // The characters of 0x80..0x9F lie below U+2123: looked up in a table made once
    // instead of searched for every character.
    static const auto byCodePoint = [] {
        std::array<unsigned char, 0x2123> table{};
        for (std::size_t i = 0; i < kHigh.size(); ++i)
            table[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
        return table;
    }();
    if (u < byCodePoint.size() && byCodePoint[u] != 0)
        return byCodePoint[u];
    if (ok)
        *ok = false;
    return '?';
}

QString Cp1252::decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = toUnicode(s[i]);
    return out;
}

QByteArray Cp1252::encode(QStringView text, bool* lossy)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* d = out.data();
    bool all = true;
    const QChar* s = text.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        bool ok = true;
        d[i] = static_cast<char>(fromUnicode(s[i], &ok));
        all = all && ok;
    }
    if (lossy)
        *lossy = !all;
    return out;
}

#include "quillet/cp1252.h"

#include <array>

namespace quillet {
namespace {

constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

char16_t Cp1252::toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHigh[byte - 0x80];
    return byte;
}

int Cp1252::fromUnicode(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch < 0x100))
        return ch;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[static_cast<size_t>(i)] == ch)
            return 0x80 + i;
    }
    return -1;
}

QString Cp1252::decode(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(toUnicode(static_cast<unsigned char>(bytes[i])));
    return out;
}

QByteArray Cp1252::encode(const QString& text, bool* lossy)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    bool lost = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = fromUnicode(text[i].unicode());
        if (b < 0) {
            lost = true;
            dst[i] = '?';
        } else {
            dst[i] = static_cast<char>(b);
        }
    }
    if (lossy)
        *lossy = lost;
    return out;
}

} // namespace quillet

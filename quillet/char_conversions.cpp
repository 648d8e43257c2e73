#include "quillet/char_conversions.h"

#include "shared/cp1252.h"
#include "shared/cp850.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace quillet {
namespace {

using UnitTable = std::vector<char16_t>;

// One entry per UTF-16 unit: what the unit becomes.
UnitTable identityUnits()
{
    UnitTable table(0x10000);
    for (std::size_t u = 0; u < table.size(); ++u)
        table[u] = static_cast<char16_t>(u);
    return table;
}

// The code page 850 byte of every character it holds.
const std::array<int, 0x10000>& oemBytes()
{
    static const auto bytes = [] {
        auto b = std::make_unique<std::array<int, 0x10000>>();
        b->fill(-1);
        for (int byte = 0; byte < 256; ++byte)
            (*b)[Cp850::toUnicode(static_cast<unsigned char>(byte))] = byte;
        return b;
    }();
    return *bytes;
}

const UnitTable& ansiToOemUnits()
{
    static const UnitTable table = [] {
        UnitTable t = identityUnits();
        for (std::size_t u = 0x80; u < t.size(); ++u) {
            const int oem = oemBytes()[u];
            t[u] = oem < 0 ? u'?' : Cp1252::toUnicode(static_cast<unsigned char>(oem)).unicode();
        }
        return t;
    }();
    return table;
}

const UnitTable& oemToAnsiUnits()
{
    static const UnitTable table = [] {
        UnitTable t = identityUnits();
        for (int byte = 0x80; byte < 256; ++byte)
            t[Cp1252::toUnicode(static_cast<unsigned char>(byte)).unicode()] =
                Cp850::toUnicode(static_cast<unsigned char>(byte));
        return t;
    }();
    return table;
}

QString mapUnits(QStringView text, const UnitTable& table)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar* d = out.data();
    const QChar* s = text.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        d[i] = QChar(table[s[i].unicode()]);
    return out;
}

// Maps every code point; a mapping that would change the number of UTF-16 units (none of
// the simple case mappings does) is not taken, so the length stays.
template <typename Map>
QString mapCodePoints(QStringView text, Map map)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar* d = out.data();
    const QChar* s = text.data();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i].unicode();
        if (u < 0x80) {
            d[i] = QChar(map(char32_t(u)));
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < n && s[i + 1].isLowSurrogate()) {
            const char32_t cp = QChar::surrogateToUcs4(u, s[i + 1].unicode());
            const char32_t mapped = map(cp);
            if (QChar::requiresSurrogates(mapped)) {
                d[i] = QChar(QChar::highSurrogate(mapped));
                d[i + 1] = QChar(QChar::lowSurrogate(mapped));
            } else {
                d[i] = s[i];
                d[i + 1] = s[i + 1];
            }
            ++i;
            continue;
        }
        const char32_t mapped = map(char32_t(u));
        d[i] = QChar::requiresSurrogates(mapped) ? s[i] : QChar(static_cast<char16_t>(mapped));
    }
    return out;
}

} // namespace

QString CharConversions::ansiToOem(QStringView text)
{
    return mapUnits(text, ansiToOemUnits());
}

QString CharConversions::oemToAnsi(QStringView text)
{
    return mapUnits(text, oemToAnsiUnits());
}

QString CharConversions::toLower(QStringView text)
{
    return mapCodePoints(text, [](char32_t c) { return QChar::toLower(c); });
}

QString CharConversions::toUpper(QStringView text)
{
    return mapCodePoints(text, [](char32_t c) { return QChar::toUpper(c); });
}

QString CharConversions::invert(QStringView text)
{
    return mapCodePoints(text, [](char32_t c) {
        if (QChar::isUpper(c))
            return QChar::toLower(c);
        if (QChar::isLower(c)) {
            // Only a letter whose upper case maps back to it swaps (not ß, ſ or µ).
            const char32_t upper = QChar::toUpper(c);
            return QChar::toLower(upper) == c ? upper : c;
        }
        return c;
    });
}

QString CharConversions::mirror(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar* d = out.data();
    const QChar* s = text.data();
    qsizetype lineStart = 0;
    const qsizetype n = text.size();
    while (lineStart <= n) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < n && s[lineEnd] != u'\n')
            ++lineEnd;
        // Reverse the line, then put surrogate pairs back in their order.
        std::reverse_copy(s + lineStart, s + lineEnd, d + lineStart);
        for (qsizetype i = lineStart; i + 1 < lineEnd; ++i) {
            if (d[i].isLowSurrogate() && d[i + 1].isHighSurrogate()) {
                std::swap(d[i], d[i + 1]);
                ++i;
            }
        }
        if (lineEnd < n)
            d[lineEnd] = s[lineEnd];
        lineStart = lineEnd + 1;
    }
    return out;
}

QString CharConversions::withTable(QStringView text, const QByteArray& table)
{
    std::array<char16_t, 256> replacement{};
    for (int code = 0; code < 256; ++code) {
        const unsigned char byte = code >= 32 && code < table.size() ? static_cast<unsigned char>(table[code])
                                                                     : static_cast<unsigned char>(code);
        replacement[static_cast<std::size_t>(code)] = Cp1252::toUnicode(byte).unicode();
    }
    QString out(text.size(), Qt::Uninitialized);
    QChar* d = out.data();
    const QChar* s = text.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        bool ok = false;
        const unsigned char code = Cp1252::fromUnicode(s[i], &ok);
        d[i] = ok && code >= 32 ? QChar(replacement[code]) : s[i];
    }
    return out;
}

} // namespace quillet

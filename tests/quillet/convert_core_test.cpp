// The character conversions, the line tools, the line range and the stored user tables.
#include "quillet/char_conversions.h"
#include "quillet/line_tools.h"
#include "quillet/text_document.h"
#include "quillet/user_conversions.h"
#include "shared/cp1252.h"
#include "shared/cp850.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quillet::CharConversions;
using quillet::LineRange;
using quillet::LineTools;
using quillet::UserConversion;
using quillet::UserConversions;

namespace {

QString text16(const char16_t* text)
{
    return QString::fromUtf16(text);
}

QString all256()
{
    QString text;
    for (int b = 0; b < 256; ++b)
        text.append(Cp1252::toUnicode(static_cast<unsigned char>(b)));
    return text;
}

LineRange rangeOf(const QString& text, qsizetype from, qsizetype to)
{
    quillet::TextDocument doc;
    doc.setText(text);
    return LineRange::of(doc, from, to);
}

} // namespace

TEST(CharConversions, AnsiOemMatchTheCodePagesAndRoundTrip)
{
    // ä is 0xE4 in Windows-1252 and 0x84 in code page 850; 0x84 read as Windows-1252 is „.
    EXPECT_EQ(CharConversions::ansiToOem(u"Gr\u00FC\u00DFe \u00E4"), text16(u"Gr\u0081\u00E1e \u201E"));
    EXPECT_EQ(CharConversions::oemToAnsi(u"Gr\u0081\u00E1e \u201E"), text16(u"Gr\u00FC\u00DFe \u00E4"));
    // The same as the byte conversion of the shared code page for every ANSI character.
    const QString ansi = all256();
    EXPECT_EQ(Cp1252::encode(CharConversions::ansiToOem(ansi)), Cp850::ansiToOem(Cp1252::encode(ansi)));
    // Every character code page 850 has comes back; the ones it lacks became '?'.
    const QString back = CharConversions::oemToAnsi(CharConversions::ansiToOem(ansi));
    int lacking = 0;
    for (int b = 0; b < 256; ++b) {
        if (Cp850::ansiToOem(QByteArray(1, char(b))) == "?" && b != '?') {
            ++lacking;
            EXPECT_EQ(back[b], u'?') << b;
        } else {
            EXPECT_EQ(back[b], ansi[b]) << b;
        }
    }
    EXPECT_EQ(lacking, 31);  // 0x80 … 0x9F but ƒ: €, ‚, „ … and the five undefined codes
    // All 256 OEM codes survive OEM → Ansi → OEM.
    EXPECT_EQ(CharConversions::ansiToOem(CharConversions::oemToAnsi(ansi)), ansi);
    // Line breaks and control codes stay; a character outside Windows-1252 stays when read as OEM.
    EXPECT_EQ(CharConversions::oemToAnsi(u"a\n\t\u2192"), text16(u"a\n\t\u2192"));
}

TEST(CharConversions, CaseMappingsKeepLengthAndInvertSwapsOnlyCounterparts)
{
    EXPECT_EQ(CharConversions::toUpper(u"stra\u00DFe \u00E4\u00F6\u00FC"), text16(u"STRA\u00DFE \u00C4\u00D6\u00DC"));
    EXPECT_EQ(CharConversions::toLower(u"\u00C4RGER\nZWEI"), text16(u"\u00E4rger\nzwei"));
    EXPECT_EQ(CharConversions::invert(u"aBc"), QStringLiteral("AbC"));
    // ß, µ and ÿ have no counterpart 32 codes away; š/Š, œ/Œ and ÿ/Ÿ are far apart.
    EXPECT_EQ(CharConversions::invert(u"\u00DF\u00B5\u0161\u0160\u0153\u00FF\u0178 \u00C4x1"),
              text16(u"\u00DF\u00B5\u0160\u0161\u0152\u0178\u00FF \u00E4X1"));
    // Code points outside the basic plane keep their pair: 𐐨 (lower) ↔ 𐐀 (upper).
    EXPECT_EQ(CharConversions::invert(u"\U00010428"), text16(u"\U00010400"));
}

TEST(CharConversions, MirrorReversesEveryLineAndKeepsTheBreaks)
{
    EXPECT_EQ(CharConversions::mirror(u"abc\nde"), QStringLiteral("cba\ned"));
    EXPECT_EQ(CharConversions::mirror(u"ab\n\nc\n"), QStringLiteral("ba\n\nc\n"));
    EXPECT_EQ(CharConversions::mirror(u"a\U0001F600b"), text16(u"b\U0001F600a"));
}

TEST(CharConversions, UserTableReplacesCodesFrom32)
{
    QByteArray table = UserConversion::identity();
    table['a'] = 'b';
    table[0x09] = 'X';   // below 32: never used
    table[0xE4] = char(0x80);  // ä → €
    EXPECT_EQ(CharConversions::withTable(u"a\t\u00E4\n\u2192", table), text16(u"b\t\u20AC\n\u2192"));
    // A short table leaves the rest as it is.
    EXPECT_EQ(CharConversions::withTable(u"ab", QByteArray("\0", 1)), QStringLiteral("ab"));
}

TEST(LineRange, SelectionAndTheFinalBreak)
{
    const QString text = QStringLiteral("eins\nzwei\ndrei\n");
    // No selection: every line, but not the empty one after the final break.
    LineRange r = rangeOf(text, 3, 3);
    EXPECT_EQ(r.firstLine, 0);
    EXPECT_EQ(r.lastLine, 2);
    EXPECT_EQ(r.end, 14);
    // A selection ending exactly at a line start leaves that line out.
    r = rangeOf(text, 6, 10);
    EXPECT_EQ(r.firstLine, 1);
    EXPECT_EQ(r.lastLine, 1);
    EXPECT_EQ(r.start, 5);
    EXPECT_EQ(r.end, 9);
    // One character into the next line takes that line in.
    r = rangeOf(text, 6, 11);
    EXPECT_EQ(r.lastLine, 2);
    // A last line without a break.
    r = rangeOf(QStringLiteral("a\nb"), 0, 0);
    EXPECT_EQ(r.lastLine, 1);
    EXPECT_EQ(r.end, 3);
    // Selecting nothing but the start of a line: that line.
    r = rangeOf(text, 5, 5);
    EXPECT_EQ(r.firstLine, 0);
    EXPECT_EQ(r.lastLine, 2);
    // An empty text.
    r = rangeOf(QString(), 0, 0);
    EXPECT_EQ(r.start, 0);
    EXPECT_EQ(r.end, 0);
}

TEST(LineTools, PadAndJustify)
{
    EXPECT_EQ(LineTools::pad(u"  x\nlonger line \n", 5), QStringLiteral("x    \nlonger line\n     "));
    // Gaps from the right: 3 missing blanks on 2 gaps give the right gap two.
    EXPECT_EQ(LineTools::justify(u"a b c", 8), QStringLiteral("a  b   c"));
    EXPECT_EQ(LineTools::justify(u"  a b  ", 5), QStringLiteral("a   b"));
    EXPECT_EQ(LineTools::justify(u"ab  cd ef", 12), QStringLiteral("ab   cd   ef"));
    // No gap, already long enough, empty: only the blanks outside go.
    EXPECT_EQ(LineTools::justify(u" wort \nlange zeile\n   \n", 6), QStringLiteral("wort\nlange zeile\n\n"));
    EXPECT_EQ(LineTools::longestLine(u"ab\nabcd\n"), 4);
}

TEST(LineTools, TabsAndBlanks)
{
    EXPECT_EQ(LineTools::tabsToBlanks(u"\t\tx", 4, false), QStringLiteral("        x"));
    EXPECT_EQ(LineTools::tabsToBlanks(u"ab\tc\td", 4, false), QStringLiteral("ab  c   d"));
    // Only the indentation: blanks and tabs before the first other character.
    EXPECT_EQ(LineTools::tabsToBlanks(u" \tx\ty\n\t", 4, true), QStringLiteral("    x\ty\n    "));
    EXPECT_EQ(LineTools::blanksToTabs(u"      x", 4, false), QStringLiteral("\t  x"));
    EXPECT_EQ(LineTools::blanksToTabs(u"        a    b  c", 4, false), QStringLiteral("\t\ta\tb  c"));
    EXPECT_EQ(LineTools::blanksToTabs(u"     a    b", 4, true), QStringLiteral("\t a    b"));
}

TEST(LineTools, TrimKeepsEmptyLinesAndTabs)
{
    const QString text = QStringLiteral("  a  b  \n\n\t x \n   ");
    EXPECT_EQ(LineTools::trim(text, LineTools::Trim::Left), QStringLiteral("a  b  \n\n\t x \n"));
    EXPECT_EQ(LineTools::trim(text, LineTools::Trim::Right), QStringLiteral("  a  b\n\n\t x\n"));
    EXPECT_EQ(LineTools::trim(text, LineTools::Trim::Both), QStringLiteral("a  b\n\n\t x\n"));
    EXPECT_EQ(LineTools::trim(text, LineTools::Trim::Multiple), QStringLiteral(" a b \n\n\t x \n "));
}

TEST(LineTools, SortIgnoresCaseKeepsEqualsInOrderAndFollowsTheLocale)
{
    EXPECT_EQ(LineTools::sort(u"beta\nAlpha\nalpha\nALPHA\n\ngamma", QLocale::c()),
              QStringLiteral("\nAlpha\nalpha\nALPHA\nbeta\ngamma"));
    // Keys longer than the compared prefix.
    EXPECT_EQ(LineTools::sort(u"abcdefghijZ\nABCDEFGHIJa\nabcdefgh", QLocale::c()),
              QStringLiteral("abcdefgh\nABCDEFGHIJa\nabcdefghijZ"));
    // German order puts ä with a; the plain order puts it after z.
    EXPECT_EQ(LineTools::sort(u"\u00C4pfel\nZebra\nAhorn\nbirne", QLocale(QLocale::German, QLocale::Germany)),
              text16(u"Ahorn\n\u00C4pfel\nbirne\nZebra"));
    EXPECT_EQ(LineTools::sort(u"\u00C4pfel\nZebra", QLocale::c()), text16(u"Zebra\n\u00C4pfel"));
    // Equal ignoring case under the locale too: the order they had.
    EXPECT_EQ(LineTools::sort(u"b\nX\nx\nA", QLocale(QLocale::German)), QStringLiteral("A\nb\nX\nx"));
    EXPECT_EQ(LineTools::sort(u"b\nx\nX\nA", QLocale(QLocale::German)), QStringLiteral("A\nb\nx\nX"));
}

TEST(LineTools, ProgressEndsAtHundred)
{
    QString text;
    for (int i = 0; i < 200000; ++i)
        text += QStringLiteral(" zeile \n");
    QList<int> seen;
    LineTools::trim(text, LineTools::Trim::Both, [&seen](int p) { seen.append(p); });
    ASSERT_GT(seen.size(), 2);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.last(), 100);
}

TEST(UserConversions, StoredTablesWithShortDataAndRows)
{
    QTemporaryDir dir;
    QSettings own(dir.filePath(QStringLiteral("own.ini")), QSettings::IniFormat);
    own.setValue(QStringLiteral("Conversion/Kurz/Description"), QStringLiteral("nur drei Bytes"));
    own.setValue(QStringLiteral("Conversion/Kurz/Data"), QByteArray("xyz"));
    own.setValue(QStringLiteral("Conversion/Ohne/Description"), QStringLiteral("keine Daten"));
    QList<UserConversion> list = UserConversions::read(own);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].name, QStringLiteral("Kurz"));
    EXPECT_EQ(list[0].data.size(), 256);
    EXPECT_EQ(list[0].data.left(3), QByteArray("xyz"));
    EXPECT_EQ(list[0].data.mid(3), UserConversion::identity().mid(3));
    EXPECT_EQ(list[1].data, UserConversion::identity());

    // Unchanged ones stay as stored, removed ones go, new ones get all 256 bytes.
    list.removeAt(1);
    UserConversion neu;
    neu.name = QStringLiteral("Neu");
    neu.description = QStringLiteral("a zu b");
    neu.data['a'] = 'b';
    list.append(neu);
    UserConversions::store(own, list);
    EXPECT_EQ(own.value(QStringLiteral("Conversion/Kurz/Data")).toByteArray(), QByteArray("xyz"));
    EXPECT_FALSE(own.contains(QStringLiteral("Conversion/Ohne/Description")));
    QSettings again(dir.filePath(QStringLiteral("own.ini")), QSettings::IniFormat);
    EXPECT_EQ(again.value(QStringLiteral("Conversion/Neu/Data")).toByteArray().size(), 256);
    EXPECT_EQ(UserConversions::read(again).value(1), neu);

    EXPECT_FALSE(UserConversions::isValidName(QStringLiteral(" ")));
    EXPECT_FALSE(UserConversions::isValidName(QStringLiteral("a/b")));
    EXPECT_FALSE(UserConversions::isValidName(QStringLiteral("a\\b")));
    EXPECT_EQ(UserConversions::pickRow(65), QStringLiteral("A \t065\t0x41"));
    EXPECT_EQ(UserConversions::entryRow(0xE4, 0x80), text16(u"\u00E4 \t228\t0xE4\t\u20AC \t128\t0x80"));
}

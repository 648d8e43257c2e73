#include "terminal/display/print_layout.h"
#include "terminal/display/rtf_writer.h"
#include "terminal/display/text_style.h"

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

// A sheet of 2100 x 2970 units, every character 10 units wide, lines 50 units apart.
PrinterMetrics sheet()
{
    PrinterMetrics m;
    m.driverName = QStringLiteral("Testdrucker");
    m.port = QStringLiteral("LPT1:");
    m.paperWidth = 2100;
    m.paperHeight = 2970;
    m.left = 100;
    m.top = 100;
    m.width = 1900;
    m.height = 2770;
    m.textHeight = 45;
    m.textWidth = 10;
    return m;
}

// Bold text is a fifth wider.
int tenPerCharacter(const QString& text, bool bold = false)
{
    return int(text.size()) * (bold ? 12 : 10);
}

PrintLayout makeLayout(const QString& options)
{
    PrintLayout l(sheet(), PrintLayout::Options::parse(options), [](const QString& t, bool bold) { return tenPerCharacter(t, bold); });
    l.setTitle(QStringLiteral("Monitorausdruck"), QStringLiteral("Terminal Tarvex"));
    l.setPrintedAt(QDateTime(QDate(2026, 12, 8), QTime(4, 5, 6)));
    return l;
}

QStringList textsOf(const PrintPage& page)
{
    QStringList texts;
    for (const PrintText& t : page.texts)
        texts.append(t.text);
    return texts;
}

TEST(PrintLayoutTest, OptionDigitsSwitchHeaderFooterAndSeparators)
{
    const struct { const char* digits; bool header; bool footer; bool separators; } cases[] = {
        {"111100000", true, true, true}, {"000000000", false, false, false}, {"100000000", true, false, false},
        {"010100000", false, true, true}, {"0", false, true, true} /* missing digits: the default's */,
    };
    for (const auto& c : cases) {
        const PrintLayout::Options o = PrintLayout::Options::parse(QString::fromUtf8(c.digits));
        EXPECT_EQ(o.header, c.header) << c.digits;
        EXPECT_EQ(o.footer, c.footer) << c.digits;
        EXPECT_EQ(o.separators, c.separators) << c.digits;

        const PrintPage page = makeLayout(QString::fromUtf8(c.digits)).textPages({QStringLiteral("Zeile")}).first();
        const QStringList texts = textsOf(page);
        EXPECT_EQ(texts.contains(QStringLiteral("Monitorausdruck  -  Terminal Tarvex")), c.header) << c.digits;
        EXPECT_EQ(texts.contains(QStringLiteral("Monitorausdruck  -  Seite 1  -  08.12.2026 um 04:05:06")), c.footer)
            << c.digits;
        const int rules = c.separators ? int(c.header) + int(c.footer) : 0;
        EXPECT_EQ(page.rules.size(), rules) << c.digits;
        EXPECT_TRUE(texts.contains(QStringLiteral("Zeile"))) << c.digits;
    }
}

TEST(PrintLayoutTest, HeaderAndFooterEachTakeFiveLinesAndPagesAreNumbered)
{
    // Margins: what the printer cannot reach (no resolution given here); lines 45 + 5 apart.
    const PrintLayout full = makeLayout(PrintLayout::kDefaultOptions);
    EXPECT_EQ(full.lineHeight(), 50);
    EXPECT_EQ(full.printableWidth(), 2100 - 2 * 100);
    EXPECT_EQ(full.bodyLines(), (2970 - 2 * 100 - 10 * 50) / 50);
    EXPECT_EQ(makeLayout(QStringLiteral("000000000")).bodyLines(), (2970 - 2 * 100) / 50);

    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines.append(QStringLiteral("Zeile %1").arg(i));
    const QList<PrintPage> pages = full.textPages(lines);
    ASSERT_EQ(pages.size(), 3); // 45 + 45 + 10
    for (int p = 0; p < 3; ++p) {
        const QStringList texts = textsOf(pages.at(p));
        EXPECT_TRUE(texts.contains(QStringLiteral("Monitorausdruck  -  Seite %1  -  08.12.2026 um 04:05:06").arg(p + 1)));
        // Body lines stay between header and footer.
        for (const PrintText& t : pages.at(p).texts) {
            if (!t.text.startsWith(QStringLiteral("Zeile")))
                continue;
            EXPECT_GE(t.y, 100 + 5 * 50);
            EXPECT_LE(t.y + t.height, 2970 - 100 - 5 * 50);
        }
    }
    EXPECT_TRUE(textsOf(pages.at(2)).contains(QStringLiteral("Zeile 99")));
    EXPECT_FALSE(textsOf(pages.at(1)).contains(QStringLiteral("Zeile 90")));

    // An empty printout is one page with header and footer.
    const QList<PrintPage> empty = full.textPages({});
    ASSERT_EQ(empty.size(), 1);
    EXPECT_EQ(empty.first().texts.size(), 2);
}

TEST(PrintLayoutTest, LongLinesWrapAtBlanksOrWhereverTheyMust)
{
    const PrintLayout l = makeLayout(QStringLiteral("000000000"));
    QString words;
    for (int i = 0; i < 50; ++i)
        words += QStringLiteral("wort ");
    const QList<PrintPage> pages = l.textPages({words, QString(400, QLatin1Char('x')), QString(), QStringLiteral("a\tb")});
    const QStringList texts = textsOf(pages.first());
    ASSERT_EQ(texts.size(), 2 + 3 + 1 + 1);
    EXPECT_EQ(texts.at(0) + texts.at(1), words);
    EXPECT_TRUE(texts.at(0).endsWith(QStringLiteral("wort "))); // broken after a blank
    EXPECT_EQ(texts.at(2).size(), 190);
    EXPECT_EQ(texts.at(3).size(), 190);
    EXPECT_EQ(texts.at(4).size(), 20);
    EXPECT_EQ(texts.at(5), QString());
    EXPECT_EQ(texts.at(6), QStringLiteral("a       b")); // tabs at every eighth column
    for (const QString& t : texts)
        EXPECT_LE(tenPerCharacter(t), l.printableWidth());
}

TEST(PrintLayoutTest, ColumnsWiderThanThePageShrinkByOneFactor)
{
    EXPECT_EQ(PrintLayout::fitColumns({300, 500, 200}, 2000), (QList<int>{300, 500, 200}));
    EXPECT_EQ(PrintLayout::fitColumns({300, 500, 200}, 500), (QList<int>{150, 250, 100}));
    EXPECT_EQ(PrintLayout::fitColumns({3000, 1000}, 1000), (QList<int>{750, 250}));

    const PrintLayout l = makeLayout(PrintLayout::kDefaultOptions);
    const QList<PrintColumn> columns{{QStringLiteral("Nr."), PrintAlign::Left},
                                     {QStringLiteral("Alarmgrund"), PrintAlign::Center},
                                     {QStringLiteral("Betrag"), PrintAlign::Right}};
    // The middle column alone is wider than the page.
    QList<QStringList> rows;
    for (int i = 0; i < 100; ++i)
        rows.append({QString::number(i), QString(300, QLatin1Char('m')), QStringLiteral("12,50")});
    const QList<PrintPage> pages = l.tablePages(columns, rows);
    const int perPage = l.bodyLines() - 2;
    ASSERT_EQ(pages.size(), (100 + perPage - 1) / perPage);
    for (const PrintPage& page : pages) {
        // Headers on every page, bold, side by side within the page.
        QList<PrintText> heads;
        for (const PrintText& t : page.texts) {
            if (t.bold)
                heads.append(t);
        }
        ASSERT_EQ(heads.size(), 3);
        EXPECT_EQ(heads.at(2).align, PrintAlign::Right);
        EXPECT_LE(heads.at(2).x + heads.at(2).width, l.leftMargin() + l.printableWidth());
    }
    EXPECT_TRUE(textsOf(pages.last()).contains(QStringLiteral("99")));

    // A narrow table keeps its natural widths: each column as wide as its widest text (the
    // headers in bold) + two blanks.
    const QList<PrintPage> narrow = l.tablePages(columns, {{QStringLiteral("1"), QStringLiteral("Tür offen"), QStringLiteral("3")}});
    ASSERT_EQ(narrow.size(), 1);
    QList<int> xs;
    for (const PrintText& t : narrow.first().texts) {
        if (t.bold)
            xs.append(t.x);
    }
    EXPECT_EQ(xs, (QList<int>{l.leftMargin(), l.leftMargin() + 36 + 20, l.leftMargin() + 56 + 120 + 20}));
}

TEST(PrintLayoutTest, PrinterInformationText)
{
    PrinterMetrics m = sheet();
    m.driverName = QStringLiteral("PDF");
    m.port = QStringLiteral("/tmp/x.pdf");
    m.left = 0;
    m.top = 0;
    m.width = 9917;
    m.height = 14033;
    m.copies = 1;
    m.textHeight = 195;
    m.textWidth = 133;
    const QString prefix = QStringLiteral("Treibername: PDF\rSchnittstelle: /tmp/x.pdf\r\rLinks\t: 0Breite\t: 9917\rOben\t: 0"
                                          "\rHöhe\t: 14033\r\rZeichen pro Zeile\t: 74\rZeilen pro Blatt\t: ");
    const QString suffix = QStringLiteral("\rAnzahl Kopien1\r\rTexthöhe\t: 200\rTextbreite133");
    // 14033 / 200 = 70 lines, five fewer for each of header and footer.
    EXPECT_EQ(PrintLayout::informationText(m, PrintLayout::Options::parse(QStringLiteral("111100000"))),
              prefix + "60" + suffix);
    EXPECT_EQ(PrintLayout::informationText(m, PrintLayout::Options::parse(QStringLiteral("011100000"))),
              prefix + "65" + suffix);
    EXPECT_EQ(PrintLayout::informationText(m, PrintLayout::Options::parse(QStringLiteral("000000000"))),
              prefix + "70" + suffix);
    m.textWidth = 0; // a printer without figures gives no division by zero
    m.textHeight = -5;
    EXPECT_TRUE(PrintLayout::informationText(m, {}).contains(QStringLiteral("Zeichen pro Zeile\t: 0\rZeilen pro Blatt\t: 0")));
}

TEST(TextStyleTest, ColourFromTheHundredsAndSubStyleFromTheRest)
{
    const struct { int style; int r, g, b; bool bold, italic, underline; const char* font; int size; } cases[] = {
        {204, 0, 160, 0, true, true, false, "Courier New", 9},
        {7, 0, 0, 0, false, false, false, "Courier New", 9},
        {4, 0, 0, 0, true, true, false, "Courier New", 9},
        {100, 255, 0, 0, false, false, false, "Courier New", 9},
        {149, 255, 0, 0, false, false, false, "Courier New", 9},
        {150, 0, 0, 0, false, false, false, "Courier New", 9},
        {305, 0, 0, 255, true, false, true, "Courier New", 9},
        {350, 0, 0, 0, false, false, false, "Courier New", 9},
        {110, 255, 0, 0, false, false, false, "Courier New", 8},
        {311, 0, 0, 255, false, false, false, "Terminal", 6},
        {-1, 0, 0, 0, false, false, false, "Courier New", 9},
    };
    for (const auto& c : cases) {
        const TextStyle t = TextStyle::decode(c.style, 0, QString());
        EXPECT_EQ(t.red, c.r) << c.style;
        EXPECT_EQ(t.green, c.g) << c.style;
        EXPECT_EQ(t.blue, c.b) << c.style;
        EXPECT_EQ(t.bold, c.bold) << c.style;
        EXPECT_EQ(t.italic, c.italic) << c.style;
        EXPECT_EQ(t.underline, c.underline) << c.style;
        EXPECT_EQ(t.fontName, QString::fromUtf8(c.font)) << c.style;
        EXPECT_EQ(t.fontSize, c.size) << c.style;
    }
    // The caller's font stays unless sub-styles 10 and 11 choose their own.
    const TextStyle arial = TextStyle::decode(202, 12, QStringLiteral("Arial"));
    EXPECT_EQ(arial.fontName, "Arial");
    EXPECT_EQ(arial.fontSize, 12);
    EXPECT_EQ(TextStyle::decode(210, 12, QStringLiteral("Arial")).fontName, "Courier New");
    EXPECT_EQ(TextStyle::decode(1, -4, QStringLiteral("Arial")).fontSize, 9);
}

TEST(RtfWriterTest, DocumentWithFontsColoursAndEscapes)
{
    RtfWriter w;
    RtfWriter::Run green{QStringLiteral("grün {x} \\ 5 €\tΩ")};
    green.color = {0, 160, 0};
    green.bold = true;
    green.italic = true;
    w.add(green);
    w.endParagraph();
    RtfWriter::Run black{QStringLiteral("schwarz")};
    black.fontName = QStringLiteral("Arial");
    black.pointSize = 12;
    black.background = RtfWriter::Color{0, 0, 0};
    black.color = {255, 255, 255};
    w.add(black);
    w.add(green); // a colour used again is listed once
    const QByteArray doc = w.document();

    EXPECT_TRUE(doc.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_TRUE(doc.trimmed().endsWith('}'));
    EXPECT_TRUE(doc.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}{\\f1\\fnil\\fcharset0 Arial;}}"));
    EXPECT_TRUE(doc.contains("{\\colortbl ;\\red0\\green160\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue0;}"));
    EXPECT_TRUE(doc.contains("\\plain\\f0\\fs20\\cf1\\b\\i gr\\'fcn \\{x\\} \\\\ 5 \\'80\\tab \\u937?\\par"))
        << doc.toStdString();
    EXPECT_TRUE(doc.contains("\\plain\\f1\\fs24\\cf2\\chcbpat3\\highlight3 schwarz"));
}

} // namespace

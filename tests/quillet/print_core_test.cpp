// The rules of printing without a window: header and footer codes, page values, and how a
// text is cut into rows and pages.
#include "quillet/editor_settings.h"
#include "quillet/header_footer.h"
#include "quillet/page_breaker.h"
#include "quillet/page_settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using quillet::HeaderFooter;
using quillet::PageBreaker;
using quillet::PageSettings;

namespace {

HeaderFooter::Context context(int page = 3)
{
    return {QStringLiteral("C:\\Texte\\brief.txt"), page, QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3))};
}

HeaderFooter::Line line(const char* code, int page = 3)
{
    return HeaderFooter::expand(QString::fromUtf8(code), context(page));
}

// Every character one unit wide: rows are easy to count.
PageBreaker breaker(const QString& text, qreal width, int rows, qsizetype begin = 0, qsizetype end = -1)
{
    return PageBreaker(text, begin, end < 0 ? text.size() : end, width, rows, [](QStringView c) {
        return c.size() == 2 ? 2.0 : 1.0;  // a surrogate pair is one wide character
    });
}

QStringList allRows(PageBreaker& b)
{
    QStringList rows;
    while (!b.atEnd())
        for (const PageBreaker::Row& row : b.nextPage())
            rows.append(b.rowText(row).toString());
    return rows;
}

} // namespace

TEST(HeaderFooter, CodesInEitherCaseAndTheLastAlignmentWins)
{
    EXPECT_EQ(line("&l&n"), (HeaderFooter::Line{QStringLiteral("C:\\Texte\\brief.txt"), HeaderFooter::Align::Left}));
    EXPECT_EQ(line("&rSeite &s"), (HeaderFooter::Line{QStringLiteral("Seite 3"), HeaderFooter::Align::Right}));
    EXPECT_EQ(line("&RSeite &S", 12).text, QStringLiteral("Seite 12"));
    EXPECT_EQ(line("&N").text, QStringLiteral("C:\\Texte\\brief.txt"));
    EXPECT_EQ(line("a&lb&rc&Zd"), (HeaderFooter::Line{QStringLiteral("abcd"), HeaderFooter::Align::Center}));
    EXPECT_EQ(line("Text").align, HeaderFooter::Align::Center);
    EXPECT_EQ(line("&L&r&l").align, HeaderFooter::Align::Left);
}

TEST(HeaderFooter, AmpersandsUnknownCodesAndALoneAmpersandAtTheEnd)
{
    EXPECT_EQ(line("100&&").text, QStringLiteral("100&"));
    EXPECT_EQ(line("&&&&s").text, QStringLiteral("&&s"));
    EXPECT_EQ(line("a&xb&1c&").text, QStringLiteral("abc"));
    EXPECT_EQ(line("").text, QString());
}

TEST(HeaderFooter, DateAndTimeInGerman)
{
    EXPECT_EQ(line("&d").text, QStringLiteral("Montag, 07. Dezember 2026"));
    EXPECT_EQ(line("&U").text, QStringLiteral("09:05:03"));
    EXPECT_EQ(HeaderFooter::dateText(QDate(2027, 3, 21)), QStringLiteral("Sonntag, 21. März 2027"));
    EXPECT_EQ(HeaderFooter::dateText(QDate(812, 1, 1)).right(11), QStringLiteral("Januar 0812"));
    EXPECT_EQ(HeaderFooter::weekdayName(6), QStringLiteral("Samstag"));
    EXPECT_EQ(HeaderFooter::monthName(13), QString());
}

TEST(PageSettings, ReadWithDefaultsAndWrittenBackWhole)
{
    QTemporaryDir dir;
    QSettings own(dir.filePath(QStringLiteral("own.ini")), QSettings::IniFormat);
    QSettings shared(dir.filePath(QStringLiteral("shared.ini")), QSettings::IniFormat);
    quillet::EditorSettings settings(own, shared);
    EXPECT_EQ(PageSettings::read(settings), PageSettings{});
    EXPECT_EQ(PageSettings{}.header, QStringLiteral("&n"));
    EXPECT_EQ(PageSettings{}.footer, QStringLiteral("Seite &s"));

    PageSettings page;
    page.marginLeft = 1000;
    page.marginTop = 1100;
    page.marginRight = 1200;
    page.marginBottom = 1300;
    page.header = QStringLiteral("&l&d");
    page.footer = QStringLiteral("100&&");
    page.write(settings);
    EXPECT_EQ(own.value(QStringLiteral("iMarginBottom")).toInt(), 1300);
    EXPECT_EQ(own.value(QStringLiteral("szTrailer")).toString(), QStringLiteral("100&&"));
    EXPECT_EQ(PageSettings::read(settings), page);

    // With the shared key active, the page values live there.
    own.setValue(QStringLiteral("fUseOrgReg"), 1);
    shared.setValue(QStringLiteral("iMarginLeft"), 555);
    EXPECT_EQ(PageSettings::read(settings).marginLeft, 555);

    EXPECT_EQ(PageSettings::limited(QString(300, u'x')).size(), 255);
}

TEST(PageSettings, MarginsApplyOnlyWhereTheyFitThePage)
{
    const QRectF page(0, 0, 2100, 2970);  // A4 in tenths of a millimetre
    PageSettings s;
    // At 254 dots per inch, one hundredth of a millimetre is a tenth of a dot.
    const QMarginsF margins = s.marginsIn(254, 254);
    EXPECT_DOUBLE_EQ(margins.left(), 200);
    EXPECT_DOUBLE_EQ(margins.top(), 250);
    EXPECT_EQ(PageSettings::printRect(page, margins), QRectF(200, 250, 2100 - 450, 2970 - 450));

    // Left and right together wider than the page: the whole width, the height still cut.
    EXPECT_EQ(PageSettings::printRect(page, QMarginsF(1500, 250, 600, 200)), QRectF(0, 250, 2100, 2970 - 450));
    EXPECT_EQ(PageSettings::printRect(page, QMarginsF(200, 1500, 250, 1470)), QRectF(200, 0, 1650, 2970));
    EXPECT_EQ(PageSettings::printRect(page, QMarginsF(5000, 5000, 5000, 5000)), page);

    s.marginLeft = -500;
    EXPECT_DOUBLE_EQ(s.marginsIn(254, 254).left(), 0) << "a negative margin places nothing off the paper";
}

TEST(PageBreaker, WrapsAtBlanksAndBreaksLongWordsHard)
{
    PageBreaker b = breaker(QStringLiteral("eins zwei drei vier\nabcdefghijklmnop\n\nx"), 10, 100);
    EXPECT_EQ(allRows(b), (QStringList{"eins zwei", "drei vier", "abcdefghij", "klmnop", "", "x"}));

    // The blank that overflows a full row is not carried to the next one.
    PageBreaker full = breaker(QStringLiteral("abcdefghij klm"), 10, 100);
    EXPECT_EQ(allRows(full), (QStringList{"abcdefghij", "klm"}));
    PageBreaker beforeBreak = breaker(QStringLiteral("abcdefghij \nklm"), 10, 100);
    EXPECT_EQ(allRows(beforeBreak), (QStringList{"abcdefghij", "klm"}));
}

TEST(PageBreaker, EmptyTextsPrintOnePageAndAFinalLineBreakNone)
{
    PageBreaker empty = breaker(QString(), 10, 5);
    EXPECT_FALSE(empty.atEnd()) << "an empty text still prints one page";
    EXPECT_EQ(allRows(empty), QStringList{QString()});
    PageBreaker trailing = breaker(QStringLiteral("a\n\n"), 10, 5);
    EXPECT_EQ(allRows(trailing), (QStringList{"a", ""}));
    // Two full pages and a line break: no third, empty page.
    PageBreaker full = breaker(QStringLiteral("1\n2\n3\n4\n"), 10, 2);
    EXPECT_EQ(full.nextPage().size(), 2u);
    EXPECT_EQ(full.nextPage().size(), 2u);
    EXPECT_TRUE(full.atEnd());
}

TEST(PageBreaker, TabsAdvanceToMultiplesOfEightBlanks)
{
    PageBreaker b = breaker(QStringLiteral("ab\tc\td"), 100, 10);
    const std::vector<PageBreaker::Row> rows = b.nextPage();
    ASSERT_EQ(rows.size(), 1u);
    const auto pieces = b.piecePositions(rows[0]);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1], (std::pair<qsizetype, qreal>(3, 8)));
    EXPECT_EQ(pieces[2], (std::pair<qsizetype, qreal>(5, 16)));

    // A tab counts for its width when wrapping: "ab" + tab fills 8 of 10.
    PageBreaker narrow = breaker(QStringLiteral("ab\tcde"), 10, 10);
    EXPECT_EQ(allRows(narrow), (QStringList{"ab", "cde"}));
}

TEST(PageBreaker, PagesHoldTheirRowsAndARangeStaysInsideItsBounds)
{
    QString text;
    for (int i = 1; i <= 25; ++i)
        text += QStringLiteral("Zeile %1\n").arg(i);
    text.chop(1);
    PageBreaker b = breaker(text, 40, 10);
    std::vector<size_t> sizes;
    while (!b.atEnd())
        sizes.push_back(b.nextPage().size());
    EXPECT_EQ(sizes, (std::vector<size_t>{10, 10, 5}));
    EXPECT_DOUBLE_EQ(b.progress(), 1.0);
    b.restart();
    EXPECT_EQ(b.rowText(b.nextPage().front()), QStringLiteral("Zeile 1"));

    // From the middle of line 2 to the middle of line 4.
    const qsizetype begin = text.indexOf(QStringLiteral("ile 2"));
    const qsizetype end = text.indexOf(QStringLiteral("le 4")) + 2;
    PageBreaker part = breaker(text, 40, 10, begin, end);
    EXPECT_EQ(allRows(part), (QStringList{"ile 2", "Zeile 3", "Zeile"}));
}

TEST(PageBreaker, ASurrogatePairIsNeverCutInTwo)
{
    const QString face = QString::fromUtf8("\xF0\x9F\x98\x80");  // one character, two code units
    PageBreaker b = breaker(QStringLiteral("abc") + face + face, 4, 10);
    const QStringList rows = allRows(b);
    EXPECT_EQ(rows, (QStringList{"abc", face + face}));
    // Narrower than the character itself: one character per row, whole.
    PageBreaker narrow = breaker(QStringLiteral("a") + face + face, 1, 10);
    EXPECT_EQ(allRows(narrow), (QStringList{"a", face, face}));
}

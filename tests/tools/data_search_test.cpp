#include "terminal/core/kunde_settings.h"
#include "terminal/tools/data_search.h"

#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;
using namespace tarvex::DataSearch;

namespace {

const QStringList kLines{"GEB 0815 Amt", "geb 4711", " GEB mit Blank", "STOERUNG Amt", "Amt frei"};

QStringList found(const Query& q)
{
    QStringList out;
    for (const Hit& h : search(kLines, q))
        out << QString::number(h.line) + QLatin1Char(':') + h.text;
    return out;
}

TEST(DataSearchTest, TheThreeCombinationsOfTwoTerms)
{
    Query q;
    q.term1 = "geb";
    q.term2 = "amt";
    q.combine = Combine::Either;
    EXPECT_EQ(found(q), (QStringList{"1:GEB 0815 Amt", "2:geb 4711", "3: GEB mit Blank", "4:STOERUNG Amt", "5:Amt frei"}));
    q.combine = Combine::Both;
    EXPECT_EQ(found(q), QStringList{"1:GEB 0815 Amt"});
    // A line with both terms is not listed, one with the first only is.
    q.combine = Combine::FirstNotSecond;
    EXPECT_EQ(found(q), (QStringList{"2:geb 4711", "3: GEB mit Blank"}));
}

TEST(DataSearchTest, CaseAndStartOfLine)
{
    Query q;
    q.term1 = "GEB";
    // Without case: capitals find small letters; the hit shows the line unchanged.
    EXPECT_EQ(found(q), (QStringList{"1:GEB 0815 Amt", "2:geb 4711", "3: GEB mit Blank"}));
    q.caseSensitive = true;
    EXPECT_EQ(found(q), (QStringList{"1:GEB 0815 Amt", "3: GEB mit Blank"}));
    // A blank ahead of the term is not the start of the line.
    q.atStart = true;
    EXPECT_EQ(found(q), QStringList{"1:GEB 0815 Amt"});
    q.term1 = "ä";
    q.caseSensitive = false;
    q.atStart = false;
    EXPECT_EQ(search({"TÄR", "tor"}, q).size(), 1);
}

TEST(DataSearchTest, LinesOfTheDisplayTextAndTheEntriesWithNumbers)
{
    EXPECT_EQ(splitLines("a\r\nb\rc"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(splitLines(""), QStringList{""});
    EXPECT_EQ(splitLines("x\r\n"), (QStringList{"x", ""}));
    Query q;
    q.term1 = "x";
    EXPECT_TRUE(search(splitLines(""), q).isEmpty());
    q.term1.clear();
    EXPECT_TRUE(search(kLines, q).isEmpty());
    EXPECT_EQ(entry(Hit{42, "GEB 1"}, true), QStringLiteral("00000042  GEB 1"));
    EXPECT_EQ(entry(Hit{42, "GEB 1"}, false), QStringLiteral("GEB 1"));
}

TEST(DataSearchTest, TheSettingsKeepTheQuery)
{
    KundeSettings s;
    Query q;
    q.term1 = "A";
    q.term2 = "B";
    q.combine = Combine::FirstNotSecond;
    q.caseSensitive = true;
    q.lineNumbers = true;
    q.toSettings(s);
    EXPECT_TRUE(s.option3);
    EXPECT_FALSE(s.option1);
    const Query back = Query::fromSettings(s);
    EXPECT_EQ(back.term2, "B");
    EXPECT_EQ(back.combine, Combine::FirstNotSecond);
    EXPECT_TRUE(back.caseSensitive);
    EXPECT_FALSE(back.atStart);
    EXPECT_TRUE(back.lineNumbers);
    // No option set at all reads as "either".
    EXPECT_EQ(Query::fromSettings(KundeSettings{}).combine, Combine::Either);
}

TEST(DataSearchTest, ACancelledSearchStops)
{
    QStringList many(100000, QStringLiteral("GEB"));
    Query q;
    q.term1 = "GEB";
    std::atomic<bool> cancelled{true};
    EXPECT_LT(search(many, q, &cancelled).size(), many.size());
}

} // namespace

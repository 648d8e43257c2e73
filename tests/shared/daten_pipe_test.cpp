#include "shared/daten_pipe.h"

#include <gtest/gtest.h>

namespace {

struct PipeCase
{
    int n;
    const char* record;
    const char* newValue;
    const char* expected;
};

class DatenPipeTable : public ::testing::TestWithParam<PipeCase> {};

TEST_P(DatenPipeTable, ReturnsFieldTrimmedFieldOrWholeRecord)
{
    const PipeCase& c = GetParam();
    const QString record = QString::fromUtf8(c.record);
    const QString copy = record;
    EXPECT_EQ(DatenPipe(c.n, record, QString::fromUtf8(c.newValue)), QString::fromUtf8(c.expected));
    EXPECT_EQ(record, copy) << "the caller's record must stay unchanged";
}

INSTANTIATE_TEST_SUITE_P(Rules, DatenPipeTable, ::testing::Values(
    PipeCase{1, "|a|b|c|", "", "a"},
    PipeCase{3, "|a|b|c|", "", "c"},
    PipeCase{0, "|a|b|c|", "", ""},
    PipeCase{4, "|a|b|c|", "", ""},
    PipeCase{-2, "|a|b|c|", "x", ""},
    PipeCase{4, "|a|b|c|", "x", ""},
    PipeCase{2, "|a| b |c|", "!", "b"},
    PipeCase{2, "|a| b |c|", "", " b "},
    PipeCase{2, "|a| b |c|", "x", "|a|x|c|"},
    PipeCase{2, "|a||c|", "", ""},
    PipeCase{3, "|a||c|", "", "c"},
    PipeCase{2, "|a||c|", "neu", "|a|neu|c|"},
    PipeCase{1, "|Courier New|10|Falsch|Falsch|Falsch|", "", "Courier New"},
    PipeCase{5, "|Courier New|10|Falsch|Falsch|Falsch|", "Wahr", "|Courier New|10|Falsch|Falsch|Wahr|"},
    // The first and last characters are removed whatever they are.
    PipeCase{1, "xa|bx", "", "a"},
    PipeCase{2, "xa|bx", "N", "|a|N|"},
    PipeCase{1, "", "N", "|N|"},
    PipeCase{1, "|   |", "!", ""},
    PipeCase{3, "|a|b|", "!", ""},
    PipeCase{1, "", "", ""},
    PipeCase{2, "|", "", ""},
    PipeCase{1, "|\xc3\xa4\xc3\xb6|\xc3\x9f|", "", "\xc3\xa4\xc3\xb6"}));

TEST(DatenPipe, FieldHelpersRoundTrip)
{
    const QString r = QStringLiteral("|1|Name||x y|");
    EXPECT_EQ(pipeFields(r), (QStringList{"1", "Name", "", "x y"}));
    EXPECT_EQ(pipeRecord(pipeFields(r)), r);
}

} // namespace

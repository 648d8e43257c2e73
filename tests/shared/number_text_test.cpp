#include "shared/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct NumCase
{
    const char* text;
    double expected;
};

class LeadingNumberTable : public ::testing::TestWithParam<NumCase> {};

TEST_P(LeadingNumberTable, TakesTheLongestLeadingNumber)
{
    EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(GetParam().text)), GetParam().expected)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberTable, ::testing::Values(
    NumCase{"", 0}, NumCase{"abc", 0}, NumCase{"Wahr", 0}, NumCase{"-1", -1}, NumCase{"1", 1},
    NumCase{"   42", 42}, NumCase{"\t7x", 7}, NumCase{"12abc", 12}, NumCase{"12 34", 12},
    NumCase{"3.75 Zähler", 3.75}, NumCase{".5", 0.5}, NumCase{"5.", 5}, NumCase{"-", 0},
    NumCase{"+8", 8}, NumCase{"1e3", 1000}, NumCase{"2E-1", 0.2}, NumCase{"1e", 1},
    NumCase{"1,5", 1}, NumCase{"0013", 13}, NumCase{"- 5", 0}, NumCase{"&H10", 0}));

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, double> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7, 7}};
    for (const auto& [in, out] : cases)
        EXPECT_DOUBLE_EQ(roundHalfEven(in), out) << in;
}

TEST(LeadingInt, ClampsToThe32BitRange)
{
    EXPECT_EQ(leadingInt(u"99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(leadingInt(u"-99999999999"), std::numeric_limits<int>::min());
    EXPECT_EQ(leadingInt(u"1e999"), std::numeric_limits<int>::max());
    EXPECT_EQ(leadingInt(u"2.5"), 2);
    EXPECT_EQ(leadingInt(u"3.5"), 4);
    EXPECT_EQ(clampedInt(std::nan("")), 0);
}

} // namespace

#include "controls/leadingnumber.h"

#include <QString>

#include <gtest/gtest.h>

#include <limits>

namespace {

int read(const char *text)
{
    return leadingInteger(QString::fromUtf8(text));
}

TEST(LeadingInteger, ReadsTheNumberATextStartsWith)
{
    EXPECT_EQ(read("150"), 150);
    EXPECT_EQ(read("  42 apples"), 42);
    EXPECT_EQ(read("-17"), -17);
    EXPECT_EQ(read("+7"), 7);
    EXPECT_EQ(read("12abc"), 12);
    EXPECT_EQ(read("1e3"), 1000);
    EXPECT_EQ(read("2D2"), 200);
    EXPECT_EQ(read("5e"), 5);
    EXPECT_EQ(read("5e+"), 5);
}

TEST(LeadingInteger, TextWithoutALeadingNumberIsZero)
{
    EXPECT_EQ(read(""), 0);
    EXPECT_EQ(read("-"), 0);
    EXPECT_EQ(read("+"), 0);
    EXPECT_EQ(read("."), 0);
    EXPECT_EQ(read("abc12"), 0);
    EXPECT_EQ(read("e5"), 0);
    // Digits of other scripts are no number here.
    EXPECT_EQ(leadingInteger(QString::fromUtf8("\xd9\xa3")), 0);
}

TEST(LeadingInteger, RoundsHalvesToEven)
{
    EXPECT_EQ(read("2.5"), 2);
    EXPECT_EQ(read("3.5"), 4);
    EXPECT_EQ(read("-2.5"), -2);
    EXPECT_EQ(read(".5"), 0);
    EXPECT_EQ(read("1.5x"), 2);
    EXPECT_EQ(read("2.51"), 3);
}

TEST(LeadingInteger, HugeNumbersStopAtThe32BitLimits)
{
    EXPECT_EQ(read("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(read("-99999999999999999999"), std::numeric_limits<int>::min());
    EXPECT_EQ(read("1e999"), std::numeric_limits<int>::max());
    EXPECT_EQ(read("2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(read("1e-999"), 0);
    EXPECT_EQ(leadingInteger(QString(100000, u'9')), std::numeric_limits<int>::max());
}

} // namespace

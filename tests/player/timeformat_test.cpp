#include "player/timeformat.h"

#include <gtest/gtest.h>

TEST(FormatSeconds, PadsEachPartToTwoDigits)
{
    EXPECT_EQ(formatSeconds(FixedPoint()), "00:00:00");
    EXPECT_EQ(formatSeconds(FixedPoint::fromInt(3661)), "01:01:01");
    EXPECT_EQ(formatSeconds(FixedPoint::fromInt(3725)), "01:02:05");
}

TEST(FormatSeconds, HoursAreNotLimitedToTwoDigits)
{
    EXPECT_EQ(formatSeconds(FixedPoint::fromInt(360000)), "100:00:00");
    EXPECT_EQ(formatSeconds(FixedPoint::fromInt(3600 * 1234 + 59)), "1234:00:59");
}

TEST(FormatSeconds, TakesItsSeparator)
{
    EXPECT_EQ(formatSeconds(FixedPoint::fromInt(3661), "."), "01.01.01");
    EXPECT_EQ(formatSeconds(FixedPoint::fromInt(3661), ""), "01:01:01");
}

TEST(FormatSeconds, FractionsRoundToWholeSecondsFirst)
{
    EXPECT_EQ(formatSeconds(FixedPoint::fromDouble(59.6)), "00:01:00");
    EXPECT_EQ(formatSeconds(FixedPoint::fromDouble(3599.5)), "01:00:00");
    EXPECT_EQ(formatSeconds(FixedPoint::fromDouble(2.5)), "00:00:02");
}

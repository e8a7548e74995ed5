#include "player/timeformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(WholeSeconds, RoundsHalvesToEvenAndStaysIn32Bits)
{
    EXPECT_EQ(wholeSeconds(61.5), 62);
    EXPECT_EQ(wholeSeconds(62.5), 62);
    EXPECT_EQ(wholeSeconds(62.5001), 63);
    EXPECT_EQ(wholeSeconds(-0.4), 0);
    EXPECT_EQ(wholeSeconds(std::nan("")), 0);
    EXPECT_EQ(wholeSeconds(1e300), std::numeric_limits<qint32>::max());
}

#include "settings/fixedpoint.h"

#include <gtest/gtest.h>

TEST(FixedPoint, WritesTheShortestText)
{
    EXPECT_EQ(FixedPoint().toText(), "0");
    EXPECT_EQ(FixedPoint::fromInt(1).toText(), "1");
    EXPECT_EQ(FixedPoint::fromInt(-12).toText(), "-12");
    EXPECT_EQ(FixedPoint::fromUnits(25000).toText(), "2.5");
    EXPECT_EQ(FixedPoint::fromUnits(5000).toText(), ".5");
    EXPECT_EQ(FixedPoint::fromUnits(-2500).toText(), "-.25");
    EXPECT_EQ(FixedPoint::fromUnits(1).toText(), ".0001");
    EXPECT_EQ(FixedPoint::fromUnits(std::numeric_limits<qint64>::min()).toText(),
              "-922337203685477.5808");
}

TEST(FixedPoint, ReadsTheLongestLeadingNumber)
{
    EXPECT_EQ(FixedPoint::parse(u"12abc"), FixedPoint::fromInt(12));
    EXPECT_EQ(FixedPoint::parse(u"abc"), FixedPoint());
    EXPECT_EQ(FixedPoint::parse(u"  -2.5  "), FixedPoint::fromUnits(-25000));
    EXPECT_EQ(FixedPoint::parse(u".5"), FixedPoint::fromUnits(5000));
    EXPECT_EQ(FixedPoint::parse(u"1.23456"), FixedPoint::fromUnits(12345));
    EXPECT_EQ(FixedPoint::parse(u"7."), FixedPoint::fromInt(7));
    EXPECT_EQ(FixedPoint::parse(u""), FixedPoint());
    EXPECT_EQ(FixedPoint::parse(u"-"), FixedPoint());
}

TEST(FixedPoint, HugeNumbersSaturateInsteadOfWrapping)
{
    const FixedPoint huge = FixedPoint::parse(u"99999999999999999999999999");
    EXPECT_GT(huge, FixedPoint::fromInt(1));
    EXPECT_LT(FixedPoint::parse(u"-99999999999999999999999999"), FixedPoint());
}

// Run under the undefined-behaviour sanitizer: none of these may overflow.
TEST(FixedPoint, NumbersAtTheEdgeOfTheRangeSaturate)
{
    constexpr qint64 maximum = std::numeric_limits<qint64>::max();
    EXPECT_EQ(FixedPoint::parse(u"922337203685477.5807").units(), maximum);
    EXPECT_EQ(FixedPoint::parse(u"922337203685477.9999").units(), maximum);
    EXPECT_EQ(FixedPoint::parse(u"-922337203685477.9999").units(), -maximum);
    EXPECT_EQ(FixedPoint::parse(u"-922337203685477.5808").units(), -maximum);
    EXPECT_EQ(FixedPoint::parse(u"922337203685477.5806").units(), maximum - 1);
    EXPECT_EQ(FixedPoint::fromUnits(maximum).roundedToInt(), 922337203685478);
    EXPECT_EQ(FixedPoint::fromUnits(-maximum).roundedToInt(), -922337203685478);
    const FixedPoint minimum = FixedPoint::fromUnits(std::numeric_limits<qint64>::min());
    EXPECT_EQ(minimum.roundedToInt(), -922337203685478);
    EXPECT_EQ(minimum.floorToInt(), -922337203685478);
}

// Whole parts at the edge of qint64 itself, where the digits alone would overflow.
TEST(FixedPoint, WholeNumbersAtTheLimitOfTheUnitsSaturate)
{
    constexpr qint64 maximum = std::numeric_limits<qint64>::max();
    const struct {
        const char *text;
        qint64 units;
    } cases[] = {
        {"9223372036854775807", maximum},
        {"9223372036854775808", maximum},
        {"-9223372036854775808", -maximum},
        {"922337203685477580", maximum},
        {"922337203685477", 922337203685477 * FixedPoint::scale},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FixedPoint::parse(QString::fromLatin1(c.text)).units(), c.units) << c.text;
}

TEST(FixedPoint, RoundsHalvesToEven)
{
    EXPECT_EQ(FixedPoint::fromUnits(25000).roundedToInt(), 2);
    EXPECT_EQ(FixedPoint::fromUnits(35000).roundedToInt(), 4);
    EXPECT_EQ(FixedPoint::fromUnits(-25000).roundedToInt(), -2);
    EXPECT_EQ(FixedPoint::fromUnits(-35000).roundedToInt(), -4);
    EXPECT_EQ(FixedPoint::fromUnits(26000).roundedToInt(), 3);
    EXPECT_EQ(FixedPoint::fromDouble(61.49).roundedToInt(), 61);
}

TEST(FixedPoint, TextRoundTrips)
{
    for (qint64 units : {0LL, 1LL, -1LL, 5000LL, -2500LL, 123456789LL, -98765LL}) {
        const FixedPoint value = FixedPoint::fromUnits(units);
        EXPECT_EQ(FixedPoint::parse(value.toText()), value) << units;
    }
}

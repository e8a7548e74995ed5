#include "player/playbackspeed.h"
#include "player/rewindrule.h"

#include <gtest/gtest.h>

#include <limits>

TEST(PlaybackSpeed, StepsStayOnTheGridAndWithinTheRange)
{
    struct Case {
        double from;
        int steps;
        double expected;
    };
    const Case cases[] = {{1.0, 1, 1.05}, {1.05, 1, 1.1},  {1.0, -1, 0.95}, {1.03, 1, 1.1},
                          {2.95, 2, 3.0}, {0.55, -3, 0.5}, {1.0, 20, 2.0}};
    for (const Case &c : cases)
        EXPECT_TRUE(sameSpeed(steppedSpeed(c.from, c.steps), c.expected))
            << c.from << " " << c.steps << " gave " << steppedSpeed(c.from, c.steps);
}

TEST(PlaybackSpeed, TheAlbumFieldReadsAndWritesInTheSettingsNumberForm)
{
    const std::pair<const char *, double> read[] = {{"", 1.0},   {"abc", 1.0}, {"0", 1.0},
                                                    {"-2", 1.0}, {"1.5", 1.5}, {".75", 0.75},
                                                    {"9", 3.0},  {".1", 0.5},  {"1.25x", 1.25}};
    for (const auto &[field, expected] : read)
        EXPECT_EQ(speedFromField(QString::fromLatin1(field)), expected) << field;
    EXPECT_EQ(speedFieldText(0.75), ".75");
    EXPECT_EQ(speedFieldText(2.0), "2");
    EXPECT_EQ(speedFieldText(std::numeric_limits<double>::quiet_NaN()), "1");
}

TEST(PlaybackSpeed, CaptionsKeepOneDecimalAtLeast)
{
    EXPECT_EQ(speedCaption(1.0), "1.0x");
    EXPECT_EQ(speedCaption(0.75), "0.75x");
    EXPECT_EQ(speedCaption(1.5), "1.5x");
    EXPECT_EQ(speedCaption(1.05), "1.05x");
}

TEST(RewindRule, GrowsWithThePauseInSteps)
{
    const std::pair<qint64, int> cases[] = {{-100, 0},   {0, 0},      {300, 0},
                                            {301, 5},    {3600, 5},   {3601, 15},
                                            {86400, 15}, {86401, 30}, {9999999, 30}};
    for (const auto &[paused, rewind] : cases)
        EXPECT_EQ(rewindAfterPause(paused), rewind) << paused;
}

#include "player/spokentext.h"

#include <gtest/gtest.h>

TEST(SpokenText, ValuesAsAListenerHearsThem)
{
    const struct {
        QString said;
        const char *expected;
    } cases[] = {
        {spoken::position(3723, 35880), "01:02:03 of 09:58:00"},
        {spoken::position(59.6, 61), "00:01:00 of 00:01:01"},
        {spoken::position(5, 0), "00:00:05"},
        {spoken::position(5, -1), "00:00:05"},
        {spoken::volume(80), "80 percent"},
        {spoken::volume(0), "0 percent"},
        {spoken::speed(1.5), "1.5 times"},
        {spoken::speed(0.75), "0.75 times"},
        {spoken::speed(1.0), "normal speed"},
        {spoken::speed(2.0), "2.0 times"},
        {spoken::box(false, 2, 12, "Title"), "Record 3 of 12: Title"},
        {spoken::box(true, 0, 42, "Part One"), "Chapter 1 of 42: Part One"},
        {spoken::box(false, 0, 1, ""), "Record 1 of 1"},
        {spoken::jump("Where the dragon wakes", 754.4),
         "Bookmark Where the dragon wakes, 00:12:34"},
        {spoken::jump("", 3723), "Back to 01:02:03"},
    };
    for (const auto &test : cases)
        EXPECT_EQ(test.said.toStdString(), test.expected);
}

#include "controls/sliderlayout.h"

#include <gtest/gtest.h>

namespace {

// Pixels added after box i: the step from box i to box i + 1 beyond box width and gap.
std::vector<int> extraPixels(const SliderLayout &layout, int gap)
{
    std::vector<int> extra;
    for (size_t i = 0; i + 1 < layout.lefts.size(); ++i)
        extra.push_back(layout.lefts[i + 1] - layout.lefts[i] - layout.boxWidth - gap);
    return extra;
}

int rightEdge(const SliderLayout &layout)
{
    return layout.lefts.back() + layout.boxWidth;
}

TEST(SliderLayout, OneLeftoverPixelGoesAfterTheFirstBox)
{
    const SliderLayout layout = layoutSliderBoxes(300, 10, 1, false);
    EXPECT_EQ(layout.boxWidth, 29);
    EXPECT_EQ(layout.usedWidth, 299);
    const std::vector<int> extra = extraPixels(layout, 1);
    EXPECT_EQ(extra, std::vector<int>({1, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rightEdge(layout), 300);
}

TEST(SliderLayout, ExactFitSpreadsNothing)
{
    const SliderLayout layout = layoutSliderBoxes(299, 10, 1, false);
    EXPECT_EQ(layout.boxWidth, 29);
    EXPECT_EQ(layout.usedWidth, 299);
    EXPECT_EQ(extraPixels(layout, 1), std::vector<int>(9, 0));
    EXPECT_EQ(layout.lefts[9], 9 * 30);
}

TEST(SliderLayout, AutoSizeSpreadsNothingAndReportsTheFittingWidth)
{
    const SliderLayout layout = layoutSliderBoxes(103, 5, 1, true);
    EXPECT_EQ(layout.boxWidth, 19);
    EXPECT_EQ(layout.usedWidth, 99);
    EXPECT_EQ(extraPixels(layout, 1), std::vector<int>(4, 0));
}

TEST(SliderLayout, SpacingIsRoundedHalfToEven)
{
    // 10 boxes, 5 leftover pixels: k = 2, after boxes 0, 2, 4, 6 and 8.
    const SliderLayout five = layoutSliderBoxes(304, 10, 1, false);
    EXPECT_EQ(five.boxWidth, 29);
    EXPECT_EQ(extraPixels(five, 1), std::vector<int>({1, 0, 1, 0, 1, 0, 1, 0, 1}));
    // 10 boxes, 3 leftover pixels: 3.33 rounds to 3, after boxes 0, 3 and 6.
    const SliderLayout three = layoutSliderBoxes(302, 10, 1, false);
    EXPECT_EQ(extraPixels(three, 1), std::vector<int>({1, 0, 0, 1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(rightEdge(three), 302);
}

TEST(SliderLayout, NeverSpreadsMoreThanIsLeftOver)
{
    // 10 boxes, 4 leftover: k = 2.5 -> 2 would place 5 pixels; the last box must stay inside.
    const SliderLayout four = layoutSliderBoxes(303, 10, 1, false);
    EXPECT_EQ(extraPixels(four, 1), std::vector<int>({1, 0, 1, 0, 1, 0, 1, 0, 0}));
    EXPECT_EQ(rightEdge(four), 303);

    // 100 records on a 480-pixel strip: 81 leftover, k = 1.
    const SliderLayout records = layoutSliderBoxes(480, 100, 1, false);
    EXPECT_EQ(records.boxWidth, 3);
    EXPECT_EQ(records.usedWidth, 399);
    EXPECT_EQ(rightEdge(records), 480);
}

TEST(SliderLayout, GapsWiderThanTheStripLeaveEmptyBoxes)
{
    const SliderLayout layout = layoutSliderBoxes(0, 3, 10, false);
    EXPECT_EQ(layout.boxWidth, 0);
    EXPECT_EQ(layout.usedWidth, 20);
    EXPECT_EQ(layout.lefts, std::vector<int>({0, 10, 20}));
}

TEST(SliderLayout, ASingleBoxFillsTheStrip)
{
    const SliderLayout layout = layoutSliderBoxes(37, 1, 5, false);
    EXPECT_EQ(layout.boxWidth, 37);
    EXPECT_EQ(layout.lefts, std::vector<int>({0}));
    EXPECT_EQ(layoutSliderBoxes(37, 0, 5, false).lefts.size(), 1u);
}

TEST(SliderLayout, DivisionRoundsHalvesToEven)
{
    EXPECT_EQ(divideRoundHalfEven(10, 4), 2);
    EXPECT_EQ(divideRoundHalfEven(14, 4), 4);
    EXPECT_EQ(divideRoundHalfEven(10, 3), 3);
    EXPECT_EQ(divideRoundHalfEven(11, 3), 4);
    EXPECT_EQ(divideRoundHalfEven(1, 2), 0);
    EXPECT_EQ(divideRoundHalfEven(3, 2), 2);
    EXPECT_EQ(divideRoundHalfEven(100, 81), 1);
}

} // namespace

#include "settings/windowplacement.h"

#include <gtest/gtest.h>

namespace {

using settings::keptOnScreens;

const QSize window(480, 92);
constexpr int titleBar = 24;
// A laptop's 1366 x 768 below a panel of 28, and a second screen to its right.
const QRect laptop(0, 28, 1366, 740);
const QRect second(1366, 0, 1920, 1080);

TEST(KeptOnScreens, PlacesThatCanBeReachedStay)
{
    for (const QPoint place : {QPoint(100, 200), QPoint(0, 28 + titleBar), QPoint(-380, 300),
                               QPoint(1266, 676), QPoint(1366 - 100, 768 - 92)})
        EXPECT_EQ(keptOnScreens(place, window, titleBar, {laptop}), place)
            << place.x() << ',' << place.y();
    // On the second screen, or across both.
    EXPECT_EQ(keptOnScreens({2000, 500}, window, titleBar, {laptop, second}), QPoint(2000, 500));
    EXPECT_EQ(keptOnScreens({1200, 400}, window, titleBar, {laptop, second}), QPoint(1200, 400));
}

TEST(KeptOnScreens, PlacesOffEverySideComeBackJustEnough)
{
    struct Case {
        QPoint stored;
        QPoint kept;
    };
    const Case cases[] = {
        // Stored on a larger screen, or at twice the scale: off the right and the bottom.
        {{2500, 1400}, {1266, 676}},
        // The title bar above the screen or under its panel.
        {{100, 0}, {100, 28 + titleBar}},
        {{100, 30}, {100, 28 + titleBar}},
        {{100, -5000}, {100, 28 + titleBar}},
        // Less than 100 pixels left on the screen, either way.
        {{-381, 300}, {-380, 300}},
        {{1267, 300}, {1266, 300}},
        {{-1000000, 1000000}, {-380, 676}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(keptOnScreens(c.stored, window, titleBar, {laptop}), c.kept)
            << c.stored.x() << ',' << c.stored.y();
}

TEST(KeptOnScreens, TheNearestScreenTakesTheWindow)
{
    // Off the second screen's right: back onto it, not across to the laptop.
    EXPECT_EQ(keptOnScreens({4000, 500}, window, titleBar, {laptop, second}), QPoint(3186, 500));
    // Below the laptop, whose bottom is higher than the second screen's.
    EXPECT_EQ(keptOnScreens({100, 900}, window, titleBar, {laptop, second}), QPoint(100, 676));
    // Below both: the second screen reaches lower.
    EXPECT_EQ(keptOnScreens({1300, 1000}, window, titleBar, {laptop, second}), QPoint(1300, 988));
}

TEST(KeptOnScreens, AWindowLargerThanTheScreenKeepsItsTitleBarOnIt)
{
    const QSize large(2000, 1000);
    EXPECT_EQ(keptOnScreens({300, 400}, large, titleBar, {laptop}), QPoint(300, 400));
    EXPECT_EQ(keptOnScreens({300, 10}, large, titleBar, {laptop}), QPoint(300, 28 + titleBar));
    EXPECT_EQ(keptOnScreens({-3000, 900}, large, titleBar, {laptop}), QPoint(-1900, 668));
}

TEST(KeptOnScreens, WithoutScreensNothingMoves)
{
    EXPECT_EQ(keptOnScreens({2500, 1400}, window, titleBar, {}), QPoint(2500, 1400));
}

} // namespace

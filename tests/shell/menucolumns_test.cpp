#include "shell/menu/menucolumns.h"

#include <QList>

#include <gtest/gtest.h>

using namespace shell;

namespace {

MenuColumnsInput fullHd(int count, int widestCaption = 200)
{
    MenuColumnsInput input;
    input.enabled = true;
    input.itemCount = count;
    input.widestCaption = widestCaption;
    input.itemHeight = 18;
    input.screenWidth = 1920;
    input.screenHeight = 1080;
    return input;
}

QList<int> breaks(const MenuColumns &columns, int count)
{
    QList<int> result;
    for (int i = 0; i < count; ++i) {
        if (columns.startsColumn(i))
            result.append(i);
    }
    return result;
}

} // namespace

TEST(MenuColumns, HundredRecordsOnFullHdBreakEveryTwentyFive)
{
    // rows0 = round(sqrt(100 * 241 * 18 * 1080 / 1920)) div 18 - 1 = 494 div 18 - 1 = 26,
    // columns = 100 div 26 + 1 = 4, rows = 26 - (104 - 100) div 4 = 25.
    const MenuColumns columns = arrangeMenuColumns(fullHd(100));
    ASSERT_TRUE(columns.active);
    EXPECT_EQ(columns.rows, 25);
    EXPECT_EQ(breaks(columns, 100), QList<int>({25, 50, 75}));
}

TEST(MenuColumns, AMenuThatFitsTheScreenStaysOneColumn)
{
    // maxRows = 1080 div 18 - 1 = 59
    EXPECT_FALSE(arrangeMenuColumns(fullHd(59)).active);
    EXPECT_TRUE(arrangeMenuColumns(fullHd(60)).active);
}

TEST(MenuColumns, TheOptionOffKeepsOneColumn)
{
    MenuColumnsInput input = fullHd(100);
    input.enabled = false;
    const MenuColumns columns = arrangeMenuColumns(input);
    EXPECT_FALSE(columns.active);
    EXPECT_TRUE(breaks(columns, 100).isEmpty());
}

TEST(MenuColumns, AMenuLargerThanTheScreenStaysOneColumn)
{
    // 1000 items of width 241 and height 18 cover 4.3 million pixels, the screen 2.07 million.
    EXPECT_FALSE(arrangeMenuColumns(fullHd(1000)).active);
}

TEST(MenuColumns, ColumnsAreFilledEvenly)
{
    const MenuColumns columns = arrangeMenuColumns(fullHd(61, 100));
    // W 141: sqrt(61 * 141 * 18 * 0.5625) = 295.8 -> 296 div 18 - 1 = 15; columns 5;
    // rows = 15 - (75 - 61) div 5 = 13.
    ASSERT_TRUE(columns.active);
    EXPECT_EQ(columns.rows, 13);
    EXPECT_EQ(breaks(columns, 61), QList<int>({13, 26, 39, 52}));
}

TEST(MenuColumns, RoundingOfTheSideIsHalfToEven)
{
    // 100 items of width 625 and height 1 on a 1000000 x 100 screen: the side is
    // sqrt(100 * 625 * 1 * 100 / 1000000) = 2.5, which rounds to 2, so rows0 = 1 and every item
    // but the first two starts a column (rounding 2.5 up would give rows of 2).
    MenuColumnsInput input;
    input.enabled = true;
    input.itemCount = 100;
    input.widestCaption = 625 - 41;
    input.itemHeight = 1;
    input.screenWidth = 1000000;
    input.screenHeight = 100;
    const MenuColumns columns = arrangeMenuColumns(input);
    ASSERT_TRUE(columns.active);
    EXPECT_EQ(columns.rows, 1);
}

TEST(MenuColumns, DegenerateSizesNeverDivideByZero)
{
    MenuColumnsInput input = fullHd(100);
    input.itemHeight = 0;
    EXPECT_FALSE(arrangeMenuColumns(input).active);
    input = fullHd(100);
    input.screenWidth = 0;
    EXPECT_FALSE(arrangeMenuColumns(input).active);
    // A screen one item high: maxRows is -1, and the shape gives no row.
    input = fullHd(3, 0);
    input.screenHeight = 18;
    input.screenWidth = 100000;
    EXPECT_FALSE(arrangeMenuColumns(input).active);
}

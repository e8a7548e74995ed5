#include "shell/menu/plainitemarray.h"

#include <gtest/gtest.h>

using namespace shell;

namespace {

PlainItemArray arrayOfTags(const QStringList &tags)
{
    QList<MenuItemState> items;
    for (const QString &tag : tags) {
        MenuItemState item;
        item.caption = u'c' + tag;
        item.tag = tag;
        items.append(item);
    }
    return PlainItemArray(items);
}

} // namespace

TEST(ItemArray, AppendingToAnEmptyArrayFillsItemZero)
{
    PlainItemArray array;
    array.setHelpContext(0, 1201);
    EXPECT_TRUE(isEmptyArray(array));
    EXPECT_EQ(appendMenuItem(array, "first", "", "t0", 0, true, true), 0);
    EXPECT_EQ(array.count(), 1);
    EXPECT_EQ(appendMenuItem(array, "second", "", "t1", 0, false, false), 1);
    EXPECT_EQ(array.count(), 2);
    EXPECT_EQ(array.caption(1), "second");
    EXPECT_EQ(array.tag(1), "t1");
    EXPECT_FALSE(array.isVisible(1));
    EXPECT_EQ(array.helpContext(1), 1201) << "a new item shares item 0's help";
    EXPECT_TRUE(array.isChecked(0));
}

TEST(ItemArray, AppendWithAShortcutSpecShowsItAndTagsTheSpec)
{
    PlainItemArray array;
    const int index = appendMenuItem(array, "Help", "112.0", "ignored", 7, false, true);
    EXPECT_EQ(array.caption(index), "Help\tF1");
    EXPECT_EQ(array.tag(index), "112.0");
    EXPECT_EQ(array.helpContext(index), 7);
}

TEST(ItemArray, AppendKeepsCaptionAndHelpWhenNoneAreGiven)
{
    PlainItemArray array({MenuItemState{"", "", false, true, true, 5}});
    array.setCaption(0, "kept");
    appendMenuItem(array, "", "", "t", 0, false, true);
    EXPECT_EQ(array.caption(1), "");
    EXPECT_EQ(array.helpContext(1), 5);
}

TEST(ItemArray, ShrinkingKeepsItemZero)
{
    PlainItemArray array = arrayOfTags({"a", "b", "c"});
    array.shrink(2);
    EXPECT_EQ(array.count(), 2);
    array.shrink(0);
    EXPECT_EQ(array.count(), 1);
    array.shrink(-5);
    EXPECT_EQ(array.count(), 1);
    EXPECT_EQ(array.tag(0), "a");
}

TEST(ItemArray, ResizingGrowsAndShrinksButKeepsItemZero)
{
    PlainItemArray array = arrayOfTags({"a"});
    shell::resizeArray(array, 3);
    EXPECT_EQ(array.count(), 3);
    EXPECT_EQ(array.tag(0), "a");
    shell::resizeArray(array, 0);
    EXPECT_EQ(array.count(), 1);
    EXPECT_EQ(array.tag(0), "a");
}

TEST(ItemArray, OutOfRangeIndexesReadDefaultsAndWriteNothing)
{
    PlainItemArray array = arrayOfTags({"a"});
    array.setCaption(3, "x");
    array.setChecked(-1, true);
    EXPECT_EQ(array.count(), 1);
    EXPECT_EQ(array.caption(3), "");
    EXPECT_FALSE(array.isChecked(-1));
}

TEST(ItemArray, FindByTagChecksTheFirstMatchAlone)
{
    PlainItemArray array = arrayOfTags({"874", "1251", "1251"});
    array.setChecked(0, true);
    EXPECT_EQ(findMenuItemByTag(array, "1251", true), 1);
    EXPECT_EQ(checkedMenuItemIndex(array), 1);
    EXPECT_FALSE(array.isChecked(2));
    EXPECT_EQ(findMenuItemByTag(array, "874", false), 0);
    EXPECT_EQ(checkedMenuItemIndex(array), 1) << "without the check flag nothing changes";
}

TEST(ItemArray, FindByTagWithNoMatchUnchecksAll)
{
    PlainItemArray array = arrayOfTags({"874", "1251"});
    array.setChecked(1, true);
    EXPECT_EQ(findMenuItemByTag(array, "1252", true), -1);
    EXPECT_EQ(checkedMenuItemIndex(array), -1);
    EXPECT_EQ(findMenuItemByTag(array, "125", false), -1) << "tags match exactly";
}

TEST(ItemArray, FindByEmptyTagOrInNoItemsGivesZero)
{
    PlainItemArray array = arrayOfTags({"874", "1251"});
    array.setChecked(1, true);
    EXPECT_EQ(findMenuItemByTag(array, "", true), 0);
    EXPECT_EQ(checkedMenuItemIndex(array), 1);
    PlainItemArray none{QList<MenuItemState>()};
    EXPECT_EQ(findMenuItemByTag(none, "874", true), 0);
    EXPECT_EQ(appendMenuItem(none, "x", "", "", 0, false, true), -1);
    EXPECT_EQ(none.count(), 0);
}

TEST(ItemArray, RadioCheckOutOfRangeLeavesNothingChecked)
{
    PlainItemArray array = arrayOfTags({"a", "b"});
    radioCheckMenuItem(array, 1);
    EXPECT_EQ(checkedMenuItemIndex(array), 1);
    radioCheckMenuItem(array, 2);
    EXPECT_EQ(checkedMenuItemIndex(array), -1);
}

#include "shell/menu/shortcuttext.h"

#include <gtest/gtest.h>

using shell::shortcutText;
using shell::withShortcutText;

TEST(ShortcutText, ModifiersComeBeforeTheKeyInAltCtrlShiftOrder)
{
    EXPECT_EQ(shortcutText(u"70.2"), "Ctrl+F");
    EXPECT_EQ(shortcutText(u"88.4"), "Alt+X");
    EXPECT_EQ(shortcutText(u"115.5"), "Alt+Shift+F4");
    EXPECT_EQ(shortcutText(u"65.7"), "Alt+Ctrl+Shift+A");
    EXPECT_EQ(shortcutText(u"112.0"), "F1");
}

TEST(ShortcutText, AModifierKeyDoesNotRepeatItself)
{
    EXPECT_EQ(shortcutText(u"18.4"), "Alt");
    EXPECT_EQ(shortcutText(u"17.2"), "Ctrl");
    EXPECT_EQ(shortcutText(u"16.3"), "Ctrl+Shift");
}

TEST(ShortcutText, ZeroUnknownAndNonNumericKeysGiveNothing)
{
    EXPECT_EQ(shortcutText(u"0.2"), "");
    EXPECT_EQ(shortcutText(u"200.2"), "");
    EXPECT_EQ(shortcutText(u"1.0"), "");
    EXPECT_EQ(shortcutText(u"x.2"), "");
    EXPECT_EQ(shortcutText(u""), "");
}

TEST(ShortcutText, ShiftStateIsTheNumberAfterTheLastStop)
{
    EXPECT_EQ(shortcutText(u"70.9.2"), "Ctrl+F");
    EXPECT_EQ(shortcutText(u"70.x"), "F");
}

TEST(ShortcutText, EveryRunOfTheKeyTableIsNamed)
{
    EXPECT_EQ(shortcutText(u"48.0"), "0");
    EXPECT_EQ(shortcutText(u"57.0"), "9");
    EXPECT_EQ(shortcutText(u"90.0"), "Z");
    EXPECT_EQ(shortcutText(u"96.0"), "Num 0");
    EXPECT_EQ(shortcutText(u"105.0"), "Num 9");
    EXPECT_EQ(shortcutText(u"127.0"), "F16");
    EXPECT_EQ(shortcutText(u"128.0"), "");
    EXPECT_EQ(shortcutText(u"108.0"), "Num Enter");
    EXPECT_EQ(shortcutText(u"222.1"), "Shift+Apostrophe");
    EXPECT_EQ(shortcutText(u"145.0"), "ScrollLock");
}

TEST(ShortcutText, SetShortcutTextReplacesWhatFollowsTheTab)
{
    EXPECT_EQ(withShortcutText(u"E&xit", "Alt+X"), "E&xit\tAlt+X");
    EXPECT_EQ(withShortcutText(u"E&xit\tCtrl+Q", "Alt+X"), "E&xit\tAlt+X");
    EXPECT_EQ(withShortcutText(u"E&xit\tCtrl+Q", ""), "E&xit");
}

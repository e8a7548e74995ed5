#include "shell/menu/menutext.h"

#include <gtest/gtest.h>

using shell::literalMenuText;
using shell::shownMenuText;

TEST(MenuText, CaptionsFromOutsideKeepTheirAmpersands)
{
    EXPECT_EQ(literalMenuText(u"Rock & Roll\\A&B.wpl"), "Rock && Roll\\A&&B.wpl");
    EXPECT_EQ(shownMenuText(literalMenuText(u"Rock & Roll &&")), "Rock & Roll &&");
}

TEST(MenuText, ShownTextDropsMnemonicMarks)
{
    EXPECT_EQ(shownMenuText(u"E&xit\tAlt+X"), "Exit\tAlt+X");
    EXPECT_EQ(shownMenuText(u"Save &&& Quit&"), "Save & Quit");
}

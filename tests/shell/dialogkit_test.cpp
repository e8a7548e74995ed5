#include "shell/dialogs/dialogkit.h"

#include <gtest/gtest.h>

TEST(HtmlHelpFileFor, ReplacesOnlyTheFileNamesExtension)
{
    EXPECT_EQ(htmlHelpFileFor("\\opt\\sonnalby\\sonnalby.hlp"), "\\opt\\sonnalby\\sonnalby.html");
    EXPECT_EQ(htmlHelpFileFor("C:\\my.dir\\help"), "C:\\my.dir\\help.html");
    EXPECT_EQ(htmlHelpFileFor("C:\\a\\b.c.hlp"), "C:\\a\\b.c.html");
    EXPECT_EQ(htmlHelpFileFor("help"), "help.html");
    EXPECT_EQ(htmlHelpFileFor(""), "");
}

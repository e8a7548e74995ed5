#include "../album/qstringprint.h"
#include "app/commandline.h"

#include <gtest/gtest.h>

TEST(CommandLinePath, NoArgumentGivesNoPath)
{
    EXPECT_EQ(commandLinePath({"sonnalby"}, "/home/a"), "");
    EXPECT_EQ(commandLinePath({"sonnalby", "  "}, "/home/a"), "");
}

TEST(CommandLinePath, AnAbsolutePathTakesTheInternalForm)
{
    EXPECT_EQ(commandLinePath({"sonnalby", "/music/Tale/index.wpl"}, "/home/a"),
              "\\music\\Tale\\index.wpl");
}

TEST(CommandLinePath, ARelativePathIsTakenAgainstTheWorkingFolder)
{
    EXPECT_EQ(commandLinePath({"sonnalby", "Tale"}, "/home/a"), "\\home\\a\\Tale");
    EXPECT_EQ(commandLinePath({"sonnalby", "../b/./Tale/"}, "/home/a"), "\\home\\b\\Tale");
}

TEST(CommandLinePath, TheWholeCommandLineIsOnePath)
{
    EXPECT_EQ(commandLinePath({"sonnalby", "/music/Long", "Tale"}, "/"), "\\music\\Long Tale");
}

// Only a "\\" inside a name cannot be told from a folder separator once the path is inside.
TEST(CommandLinePath, ABackslashInANameBecomesUndecipherable)
{
    EXPECT_EQ(commandLinePath({"sonnalby", "/music/a*b|c\"d?e\\f"}, "/"),
              u"\\music\\a*b|c\"d?e\uFFFDf");
}

#include "../album/qstringprint.h"
#include "app/program/commandline.h"

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

// Any name the command line can give comes back from the hand-over as it went, on one line.
TEST(HandOverCommand, APathArrivesWhole)
{
    const QStringList paths = {QString("\\music\\Tale"),
                               QString::fromUtf16(u"\\m\\Line\nbreak\\Caf\u00e9 % \"q\" \t-x.mp3"),
                               QString::fromUtf16(u"\\m\\\uFFFD.mp3")};
    for (const QString &path : paths) {
        const QByteArray command = handOverCommand(path);
        EXPECT_FALSE(command.contains('\n'));
        EXPECT_EQ(handedOverPath(command), path);
    }
    EXPECT_EQ(handOverCommand(QString()), "/i");
}

TEST(HandOverCommand, OnlyAnAbsoluteLocalPathIsOpened)
{
    for (const QByteArray &command :
         {QByteArray("/i"), QByteArray("/o "), QByteArray("/o Tale"),
          QByteArray("/o http://host/a.mp3"), QByteArray("/x \\a"), QByteArray("/o%5Ca")})
        EXPECT_EQ(handedOverPath(command), QString()) << command.constData();
}

#include "album/pathtext.h"

#include <gtest/gtest.h>

using namespace album;

TEST(FolderOfPath, KeepsEverythingUpToTheLastBackslash)
{
    EXPECT_EQ(folderOfPath(u"C:\\A\\index.wpl"), "C:\\A\\");
    EXPECT_EQ(folderOfPath(u"\\home\\u\\A\\index.wpl"), "\\home\\u\\A\\");
    EXPECT_EQ(folderOfPath(u"C:\\A\\"), "C:\\A\\");
    EXPECT_EQ(folderOfPath(u"index.wpl"), "");
    EXPECT_EQ(folderOfPath(u""), "");
}

TEST(TextBefore, CutsAtTheFirstDelimiter)
{
    EXPECT_EQ(textBefore(u"a=b=c", u"=", false), "a");
    EXPECT_EQ(textBefore(u"=b", u"=", true), "");
    EXPECT_EQ(textBefore(u"abc", u"=", false), "abc");
    EXPECT_EQ(textBefore(u"abc", u"=", true), "");
    EXPECT_EQ(textBefore(u"abc", u"", true), "abc");
}

TEST(TextBefore, ComparesInTheGivenMode)
{
    EXPECT_EQ(textBefore(u"abXcdxe", u"x", false), "abXcd");
    EXPECT_EQ(textBefore(u"abXcdxe", u"x", false, Qt::CaseInsensitive), "ab");
    EXPECT_EQ(textBefore(u"abXcd", u"x", true), "");
}

TEST(TextAfterLast, CutsAfterTheLastDelimiter)
{
    EXPECT_EQ(textAfterLast(u"C:\\A\\x.mp3", u"\\", false), "x.mp3");
    EXPECT_EQ(textAfterLast(u"a||b||c", u"||", false), "c");
    EXPECT_EQ(textAfterLast(u"C:\\A\\", u"\\", false), "");
    EXPECT_EQ(textAfterLast(u"x.mp3", u"\\", false), "x.mp3");
    EXPECT_EQ(textAfterLast(u"x.mp3", u"\\", true), "");
    EXPECT_EQ(textAfterLast(u"x.mp3", u"", true), "x.mp3");
    EXPECT_EQ(textAfterLast(u"a.WPL.b.wpl.c", u".WPL", false, Qt::CaseInsensitive), ".c");
    EXPECT_EQ(textAfterLast(u"a.WPL.b.wpl.c", u".WPL", false), ".b.wpl.c");
}

TEST(ResolveRelativePath, AppliesDotPrefixesAgainstTheBase)
{
    EXPECT_EQ(resolveRelativePath(u"..\\..\\z.mp3", u"C:\\A\\B\\C\\"), "C:\\A\\z.mp3");
    EXPECT_EQ(resolveRelativePath(u".\\z.mp3", u"C:\\A\\B\\C\\"), "C:\\A\\B\\C\\z.mp3");
    EXPECT_EQ(resolveRelativePath(u"z.mp3", u"C:\\A\\B\\C\\"), "C:\\A\\B\\C\\z.mp3");
    EXPECT_EQ(resolveRelativePath(u"..\\z.mp3", u"\\home\\u\\A\\B\\"), "\\home\\u\\A\\z.mp3");
    EXPECT_EQ(resolveRelativePath(u"sub\\z.mp3", u"\\home\\u\\A\\"), "\\home\\u\\A\\sub\\z.mp3");
}

TEST(ResolveRelativePath, LeavesAbsolutePathsAlone)
{
    EXPECT_EQ(resolveRelativePath(u"D:\\z.mp3", u"C:\\A\\B\\C\\"), "D:\\z.mp3");
    EXPECT_EQ(resolveRelativePath(u"\\srv\\z.mp3", u"\\home\\u\\A\\"), "\\srv\\z.mp3");
    EXPECT_EQ(resolveRelativePath(u"http://host/z.mp3", u"C:\\A\\"), "http://host/z.mp3");
}

TEST(ResolveRelativePath, AColonInsideANameIsNoDrive)
{
    EXPECT_EQ(resolveRelativePath(u"Chapter 1: Intro.mp3", u"\\home\\u\\A\\"),
              "\\home\\u\\A\\Chapter 1: Intro.mp3");
}

TEST(ResolveRelativePath, TakesTheFolderOfABaseThatIsAFile)
{
    EXPECT_EQ(resolveRelativePath(u"z.mp3", u"C:\\A\\index.wpl"), "C:\\A\\z.mp3");
    EXPECT_EQ(resolveRelativePath(u"z.mp3", u"album"), "album\\z.mp3");
}

TEST(ResolveRelativePath, NeverClimbsAboveTheRoot)
{
    EXPECT_EQ(resolveRelativePath(u"..\\..\\..\\z.mp3", u"C:\\A\\"), "C:\\z.mp3");
    EXPECT_EQ(resolveRelativePath(u"..\\..\\z.mp3", u"\\home\\"), "\\z.mp3");
}

TEST(MakeRelativePath, CutsTheBaseFolderOff)
{
    EXPECT_EQ(makeRelativePath(u"C:\\A\\x.mp3", u"C:\\A\\"), "x.mp3");
    EXPECT_EQ(makeRelativePath(u"C:\\A\\sub\\x.mp3", u"C:\\A"), "sub\\x.mp3");
    EXPECT_EQ(makeRelativePath(u"C:\\A\\x.mp3", u"\"C:\\A\\\\\""), "x.mp3");
    EXPECT_EQ(makeRelativePath(u"\\home\\u\\A\\x.mp3", u"\\home\\u\\A\\"), "x.mp3");
}

// Folders whose names differ only by case are two folders here.
TEST(MakeRelativePath, ComparesFoldersAsTheFileSystemDoes)
{
    EXPECT_EQ(makeRelativePath(u"\\home\\u\\A\\x.mp3", u"\\HOME\\u\\A\\"), "\\home\\u\\A\\x.mp3");
    EXPECT_EQ(makeRelativePath(u"C:\\A\\sub\\x.mp3", u"c:\\a"), "C:\\A\\sub\\x.mp3");
}

TEST(MakeRelativePath, LeavesOtherPathsAlone)
{
    EXPECT_EQ(makeRelativePath(u"C:\\B\\y.mp3", u"C:\\A\\"), "C:\\B\\y.mp3");
    EXPECT_EQ(makeRelativePath(u"C:\\AB\\y.mp3", u"C:\\A"), "C:\\AB\\y.mp3");
    EXPECT_EQ(makeRelativePath(u"x.mp3", u"C:\\A\\"), "x.mp3");
    EXPECT_EQ(makeRelativePath(u"Chapter 1: Intro.mp3", u"\\home\\u\\A\\"), "Chapter 1: Intro.mp3");
    EXPECT_EQ(makeRelativePath(u"\\home\\u\\x.mp3", u""), "\\home\\u\\x.mp3");
}

TEST(MakeRelativePath, UndoesResolveInsideTheFolder)
{
    for (const char16_t *base : {u"C:\\A\\B\\", u"\\home\\u\\A\\"}) {
        const QString absolute = resolveRelativePath(u"sub\\x.mp3", base);
        EXPECT_EQ(makeRelativePath(absolute, base), "sub\\x.mp3") << absolute.toStdString();
    }
}

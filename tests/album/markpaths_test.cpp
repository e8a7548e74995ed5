#include "album/markpaths.h"

#include <gtest/gtest.h>

using namespace album;

namespace {

AlbumEntry entryWithMarks(const QString &path, const QString &marks)
{
    AlbumEntry entry;
    entry.path = path;
    entry.marks = marks;
    return entry;
}

QString stored(const QString &path, const QString &marks)
{
    return convertMarkPaths(entryWithMarks(path, marks), false).marks;
}

QString loaded(const QString &path, const QString &marks)
{
    return convertMarkPaths(entryWithMarks(path, marks), true).marks;
}

} // namespace

TEST(ConvertMarkPaths, StoresMarksInsideTheFolderRelativeAndDropsTheRest)
{
    EXPECT_EQ(stored("C:\\A\\index.wpl", "C:\\A\\x.mp3/61/|C:\\B\\y.mp3/5/Intro"), "x.mp3/61/");
    EXPECT_EQ(loaded("C:\\A\\index.wpl", "x.mp3/61/"), "C:\\A\\x.mp3/61/");

    // Names differ by case on this file system: another folder's mark is not the album's.
    EXPECT_EQ(stored("\\home\\u\\A\\index.wpl",
                     "\\home\\u\\A\\x.mp3/61/|\\home\\u\\B\\y.mp3/5/Intro|"
                     "\\home\\u\\A\\s\\z.mp3/7/T|\\HOME\\U\\a\\s\\z.mp3/7/T"),
              "x.mp3/61/|s\\z.mp3/7/T");
    EXPECT_EQ(loaded("\\home\\u\\A\\index.wpl", "x.mp3/61/|s\\z.mp3/7/T"),
              "\\home\\u\\A\\x.mp3/61/|\\home\\u\\A\\s\\z.mp3/7/T");
}

TEST(ConvertMarkPaths, DropsARelativeMarkOnSaving)
{
    EXPECT_EQ(stored("C:\\A\\index.wpl", "x.mp3/3/|C:\\A\\y.mp3/4/T"), "|y.mp3/4/T");
}

TEST(ConvertMarkPaths, CollapsesEmptyMarksButKeepsAnEmptyResumeMark)
{
    // Dropping the mark in C:\B leaves "|a/1/||".
    EXPECT_EQ(stored("C:\\A\\index.wpl", "|C:\\A\\a/1/|C:\\B\\b/2/|"), "|a/1/");
    EXPECT_EQ(loaded("C:\\A\\index.wpl", "|a/1/||"), "|C:\\A\\a/1/");
    EXPECT_EQ(stored("C:\\A\\index.wpl", ""), "");
    EXPECT_EQ(stored("C:\\A\\index.wpl", "C:\\B\\b/2/"), "");
    EXPECT_EQ(
        stored("C:\\A\\index.wpl", "C:\\A\\x.mp3/1/|C:\\B\\y/2/|C:\\B\\z/3/T|C:\\A\\w.mp3/4/"),
        "x.mp3/1/|w.mp3/4/");
}

TEST(ConvertMarkPaths, LeavesTheOtherFieldsAlone)
{
    const AlbumEntry entry =
        AlbumEntry::fromText(u"C:\\A\\index.wpl=s=T=0=3=90=50=C:\\A\\x.mp3/1/=e");
    AlbumEntry expected = entry;
    expected.marks = "x.mp3/1/";
    EXPECT_EQ(convertMarkPaths(entry, false), expected);
}

TEST(ConvertMarkPaths, MarksOfAPathWithEqualsSignsResolveAgainstTheRightFolder)
{
    const QString path = encodeAlbumPath(u"C:\\A=B\\index.wpl");
    EXPECT_EQ(stored(path, "C:\\A*B\\x.mp3/7/"), "x.mp3/7/");
    EXPECT_EQ(loaded(path, "x.mp3/7/"), "C:\\A*B\\x.mp3/7/");
}

TEST(ConvertMarkPaths, EqualsSignsInMarksNeverSplitTheStoredEntry)
{
    const AlbumEntry entry = entryWithMarks("\\home\\u\\A\\index.wpl",
                                            "\\home\\u\\A\\x=y.mp3/5/|\\home\\u\\A\\z.mp3/9/a=b");
    const QString line = convertMarkPaths(entry, false).toText();
    const AlbumEntry back = convertMarkPaths(AlbumEntry::fromText(line), true);
    EXPECT_TRUE(back.extraFields.isEmpty());
    EXPECT_EQ(back.marks, "\\home\\u\\A\\x*y.mp3/5/|\\home\\u\\A\\z.mp3/9/a&#61;b");
    EXPECT_EQ(parseMark(back.marks.split(u'|').first()).path, "\\home\\u\\A\\x=y.mp3");
}

// A mark's path keeps its stored form in the field, so no name can cut the field or the line.
TEST(Marks, ReadBackWhateverTheirPathAndTitleHold)
{
    const Mark marks[] = {
        {"\\home\\u\\A\\a|b.mp3", "61", ""},
        {"\\home\\u\\A\\new\nline.mp3", "4", "x|y=z/w"},
        {"\\home\\u\\A\\x=y &#38; z.mp3", "", "T&#233;"},
    };
    QStringList items;
    for (const Mark &mark : marks) {
        const QString text = markText(mark);
        EXPECT_EQ(text.count(u'|'), 0) << text.toStdString();
        EXPECT_FALSE(text.contains(u'\n'));
        items.append(text);
    }
    const AlbumEntry entry = entryWithMarks("\\home\\u\\A\\index.wpl", items.join(u'|'));
    const AlbumEntry back =
        convertMarkPaths(AlbumEntry::fromText(convertMarkPaths(entry, false).toText()), true);
    const QStringList backItems = back.marks.split(u'|');
    ASSERT_EQ(backItems.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const Mark read = parseMark(backItems[i]);
        EXPECT_EQ(read.path, marks[i].path);
        EXPECT_EQ(read.seconds, marks[i].seconds);
    }
    EXPECT_EQ(parseMark(backItems[1]).title, "x&#124;y&#61;z/w");
}

TEST(Marks, MissingFieldsAreEmpty)
{
    EXPECT_EQ(parseMark(u""), Mark());
    EXPECT_EQ(parseMark(u"C:\\x.mp3"), Mark({"C:\\x.mp3", "", ""}));
    EXPECT_EQ(parseMark(u"C:\\x.mp3/5"), Mark({"C:\\x.mp3", "5", ""}));
    EXPECT_EQ(parseMark(u"C:\\x.mp3/5/a/b"), Mark({"C:\\x.mp3", "5", "a/b"}));
}

TEST(ConvertMarkPaths, AColonInsideAMarkNameIsNoDrive)
{
    EXPECT_EQ(loaded("\\home\\u\\A\\index.wpl", "Chapter 1: Intro.mp3/12/"),
              "\\home\\u\\A\\Chapter 1: Intro.mp3/12/");
}

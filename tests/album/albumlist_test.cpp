#include "album/albumlist.h"
#include "album/markpaths.h"

#include "platform/paths.h"
#include "doubles/fakeplayer.h"
#include "settings/settingsstore.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace album;

namespace {

// A paused player at the given second of the file.
void standAt(FakePlayer &player, const QString &path, double seconds)
{
    player.setDuration(path, 3600);
    player.setUrl(path);
    player.setCurrentPosition(seconds);
}

const QDateTime now(QDate(2024, 3, 5), QTime(14, 7, 9));

AlbumList listOf(const QStringList &lines)
{
    AlbumList list;
    for (const QString &line : lines)
        list.append(AlbumEntry::fromText(line));
    return list;
}

QStringList pathsOf(const AlbumList &list)
{
    QStringList paths;
    for (AlbumList::Index i = 0; i < list.count(); ++i)
        paths.append(list.albumPathOf(i));
    return paths;
}

QByteArray contentOf(const QString &nativePath)
{
    QFile file(nativePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeContent(const QString &nativePath, const QByteArray &content)
{
    QFile file(nativePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

TEST(CaptureAlbumState, WritesTheResumeMarkAndKeepsTheBookmarks)
{
    AlbumList list =
        listOf({"C:\\A\\index.wpl======80=C:\\A\\old.mp3/3/|C:\\A\\b.mp3/9/Bm|C:\\A\\c.mp3/1/",
                "C:\\B\\index.wpl=x=T=0=1=2=3=C:\\B\\y.mp3/4/"});
    const AlbumEntry second = list.entry(1);
    FakePlayer player;
    standAt(player, "C:\\A\\x.mp3", 61.5);
    player.setVolume(35);

    list.captureAlbumState(player, now);
    const AlbumEntry active = list.entry(0);
    EXPECT_EQ(active.marks, "C:\\A\\x.mp3/62/|C:\\A\\b.mp3/9/Bm|C:\\A\\c.mp3/1/");
    EXPECT_EQ(active.access, "2024:03:05:14:07:09");
    EXPECT_EQ(active.volume, "35");
    EXPECT_EQ(list.entry(1), second);
}

TEST(CaptureAlbumState, RoundsThePositionHalvesToEven)
{
    AlbumList list = listOf({"\\home\\u\\A\\index.wpl"});
    FakePlayer player;
    standAt(player, "\\home\\u\\A\\x.mp3", 0);
    for (auto [position, mark] : {std::pair{62.5, "/62/"},
                                  {61.5, "/62/"},
                                  {61.49, "/61/"},
                                  {0.5, "/0/"},
                                  {3599.51, "/3600/"}}) {
        player.setCurrentPosition(position);
        list.captureAlbumState(player, now);
        EXPECT_EQ(list.entry(0).marks, "\\home\\u\\A\\x.mp3" + QString(mark)) << position;
    }
}

TEST(CaptureAlbumState, AnEmptyListStaysEmpty)
{
    AlbumList list;
    FakePlayer player;
    list.captureAlbumState(player, now);
    EXPECT_TRUE(list.isEmpty());
}

TEST(AlbumList, MovesTheActivatedEntryToTheTop)
{
    AlbumList list = listOf({"C:\\0.wpl", "C:\\1.wpl", "C:\\2.wpl", "C:\\3.wpl", "C:\\4.wpl"});
    list.moveToTop(3);
    EXPECT_EQ(pathsOf(list),
              QStringList({"C:\\3.wpl", "C:\\0.wpl", "C:\\1.wpl", "C:\\2.wpl", "C:\\4.wpl"}));
    list.moveToTop(0);
    list.moveToTop(5);
    list.moveToTop(AlbumList::none);
    EXPECT_EQ(list.albumPathOf(0), "C:\\3.wpl");
    EXPECT_EQ(list.count(), 5);
}

TEST(AlbumList, RemovesAndAppendsEntries)
{
    AlbumList list = listOf({"C:\\0.wpl", "C:\\1.wpl", "C:\\2.wpl", "C:\\3.wpl", "C:\\4.wpl"});
    list.removeAt(2);
    list.removeAt(7);
    EXPECT_EQ(pathsOf(list), QStringList({"C:\\0.wpl", "C:\\1.wpl", "C:\\3.wpl", "C:\\4.wpl"}));
    EXPECT_EQ(list.append(AlbumEntry::fromText(u"C:\\5.wpl")), 4);
    EXPECT_EQ(list.albumPathOf(4), "C:\\5.wpl");
    EXPECT_EQ(list.albumPathOf(5), "");
    EXPECT_EQ(list.albumPathOf(AlbumList::none), "");
    EXPECT_EQ(list.entry(9), AlbumEntry());
}

TEST(AlbumList, DecodesThePathOfAnEntry)
{
    const AlbumList list = listOf({"\\home\\u\\A*B\\index.wpl=2024:03:05:14:07:09"});
    EXPECT_EQ(list.albumPathOf(0), "\\home\\u\\A=B\\index.wpl");
}

TEST(AlbumList, LoadsLinesWithTheirMarksMadeAbsolute)
{
    AlbumList list;
    list.loadLines("C:\\A\\index.wpl=s=T=0=3=90=50=x.mp3/61/|sub\\y.mp3/5/Intro\r\n"
                   "\\home\\u\\B\\index.wpl\r\n");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.entry(0).marks, "C:\\A\\x.mp3/61/|C:\\A\\sub\\y.mp3/5/Intro");
    EXPECT_EQ(list.entry(1).toText(), "\\home\\u\\B\\index.wpl=======");
    list.loadLines("");
    EXPECT_TRUE(list.isEmpty());
}

TEST(AlbumList, HoldsNoMoreEntriesThanItsIndexCanReach)
{
    QStringList lines;
    for (int i = 0; i <= AlbumList::capacity; ++i)
        lines.append("C:\\" + QString::number(i) + ".wpl");
    AlbumList list;
    list.loadLines(lines.join("\r\n"));
    EXPECT_EQ(list.count(), AlbumList::capacity);
    EXPECT_EQ(list.append(AlbumEntry()), AlbumList::none);
    EXPECT_EQ(list.albumPathOf(AlbumList::capacity - 1), "C:\\32766.wpl");
}

class AlbumListFile : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        nativeFile = folder.filePath("sonnalby.dat");
        file = platform::fromNativePath(nativeFile);
        writeContent(nativeFile, "[fwMain]\r\nmOptionOnTop=0\r\n\r\n"
                                 "[Anna\\mFileList]\r\nC:\\Old\\index.wpl======= \r\n\r\n"
                                 "[Anna]\r\nLeft=10\r\n");
    }

    QTemporaryDir folder;
    QString nativeFile;
    QString file; // the settings file's path as the program holds it
};

TEST_F(AlbumListFile, SavesTheWholeListAsItsSection)
{
    AlbumList list = listOf({"C:\\A\\index.wpl=2024:03:05:14:07:09=Caf&#233;=1252=2=90=50="
                             "C:\\A\\x.mp3/61/|C:\\B\\y.mp3/5/Intro",
                             "\\home\\u\\B*C\\index.wpl"});
    list.saveAlbumList(file, "Anna");
    EXPECT_EQ(contentOf(nativeFile),
              "[fwMain]\r\nmOptionOnTop=0\r\n\r\n[Anna]\r\nLeft=10\r\n"
              "[Anna\\mFileList]\r\n"
              "C:\\A\\index.wpl=2024:03:05:14:07:09=Caf&#233;=1252=2=90=50=x.mp3/61/\r\n"
              "\\home\\u\\B*C\\index.wpl=======\r\n");

    AlbumList back;
    back.load(file, "Anna");
    ASSERT_EQ(back.count(), 2);
    EXPECT_EQ(back.entry(0).marks, "C:\\A\\x.mp3/61/");
    EXPECT_EQ(back.entry(1), list.entry(1));
    EXPECT_EQ(back.albumPathOf(1), "\\home\\u\\B=C\\index.wpl");
}

TEST_F(AlbumListFile, SavesTheActiveAlbumInPlace)
{
    AlbumList list;
    list.load(file, "Anna");
    ASSERT_EQ(list.count(), 1);
    FakePlayer player;
    standAt(player, "C:\\Old\\x.mp3", 125.2);
    player.setVolume(40);
    list.captureAlbumState(player, now);
    list.saveActiveAlbum(file, "Anna");
    EXPECT_EQ(contentOf(nativeFile), "[fwMain]\r\nmOptionOnTop=0\r\n\r\n"
                                     "[Anna\\mFileList]\r\n"
                                     "C:\\Old\\index.wpl=2024:03:05:14:07:09=====40=x.mp3/125/\r\n"
                                     "\r\n[Anna]\r\nLeft=10\r\n");

    AlbumList back;
    back.load(file, "Anna");
    EXPECT_EQ(back.entry(0), list.entry(0));
}

TEST_F(AlbumListFile, SavingTheActiveAlbumAgainLeavesTheFileAlone)
{
    AlbumList list;
    list.load(file, "Anna");
    FakePlayer player;
    player.setUrl("C:\\Old\\x.mp3");
    list.captureAlbumState(player, now);
    list.saveActiveAlbum(file, "Anna");
    const QByteArray saved = contentOf(nativeFile);
    list.saveActiveAlbum(file, "Anna");
    EXPECT_EQ(contentOf(nativeFile), saved);
}

TEST_F(AlbumListFile, ALineBreakInATitleNeverSplitsTheLine)
{
    AlbumList list = listOf({"\\home\\u\\A\\index.wpl==One\r\nTwo"});
    AlbumEntry entry = list.entry(0);
    entry.marks = "\\home\\u\\A\\x.mp3/1/|\\home\\u\\A\\x.mp3/2/Line\nbreak";
    list.setEntry(0, entry);
    list.saveAlbumList(file, "Anna");
    AlbumList back;
    back.load(file, "Anna");
    ASSERT_EQ(back.count(), 1);
    EXPECT_EQ(back.entry(0).title, "One&#13;&#10;Two");
    EXPECT_EQ(back.entry(0).marks, "\\home\\u\\A\\x.mp3/1/|\\home\\u\\A\\x.mp3/2/Line&#10;break");

    back.saveActiveAlbum(file, "Anna");
    AlbumList again;
    again.load(file, "Anna");
    EXPECT_EQ(again.count(), 1);
}

// More lines than the list's index can reach: they are not listed, but no save drops them.
TEST_F(AlbumListFile, LinesPastTheCapacityAreKeptOnSaving)
{
    QStringList lines;
    for (int i = 0; i < 40'002; ++i)
        lines.append("C:\\" + QString::number(i) + "\\index.wpl=====");
    AlbumList list;
    list.loadLines(lines.join("\r\n"));
    EXPECT_EQ(list.count(), AlbumList::capacity);
    EXPECT_EQ(list.append(AlbumEntry()), AlbumList::none);
    list.moveToTop(5);
    list.saveAlbumList(file, "Anna");

    const QStringList saved = settings::readSectionLines(file, "Anna\\mFileList").split("\r\n");
    ASSERT_EQ(saved.size(), 40'002);
    EXPECT_EQ(saved.first(), "C:\\5\\index.wpl=======");
    EXPECT_EQ(saved.last(), lines.last());
    EXPECT_EQ(QSet<QString>(saved.begin() + 1, saved.end()).size(), 40'001);
}

// A record "new<LF>line.mp3": its resume mark reads back whole, so the next start resumes there.
TEST_F(AlbumListFile, AResumeMarkOnANameWithALineBreakReadsBack)
{
    AlbumList list = listOf({encodeAlbumPath(u"\\home\\u\\my\nbook\\index.wpl")});
    FakePlayer player;
    standAt(player, "\\home\\u\\my\nbook\\new\nline.mp3", 4);
    list.captureAlbumState(player, now);
    list.saveAlbumList(file, "Anna");
    EXPECT_TRUE(contentOf(nativeFile).contains("\\my&#10;book\\index.wpl="))
        << contentOf(nativeFile).constData();

    AlbumList back;
    back.load(file, "Anna");
    ASSERT_EQ(back.count(), 1);
    EXPECT_EQ(back.albumPathOf(0), "\\home\\u\\my\nbook\\index.wpl");
    const Mark resume = parseMark(back.entry(0).marks);
    EXPECT_EQ(resume.path, "\\home\\u\\my\nbook\\new\nline.mp3");
    EXPECT_EQ(resume.seconds, "4");
}

TEST_F(AlbumListFile, AnEmptyListSavesAnEmptySection)
{
    AlbumList list;
    list.saveActiveAlbum(file, "Anna");
    list.saveAlbumList(file, "Anna");
    list.load(file, "Anna");
    EXPECT_TRUE(list.isEmpty());
    EXPECT_TRUE(contentOf(nativeFile).endsWith("[Anna\\mFileList]\r\n"));
}

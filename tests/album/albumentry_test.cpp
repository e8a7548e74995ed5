#include "album/albumentry.h"

#include "platform/paths.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace album;

TEST(AlbumEntry, SplitsTheEightFieldsInOrder)
{
    const AlbumEntry entry = AlbumEntry::fromText(
        u"C:\\A\\index.wpl=2024:03:05:14:07:09=Caf&#233;=1252=12=3725=80=C:\\A\\x.mp3/61/");
    EXPECT_EQ(entry.path, "C:\\A\\index.wpl");
    EXPECT_EQ(entry.access, "2024:03:05:14:07:09");
    EXPECT_EQ(entry.title, "Caf&#233;");
    EXPECT_EQ(entry.codepage, "1252");
    EXPECT_EQ(entry.records, "12");
    EXPECT_EQ(entry.duration, "3725");
    EXPECT_EQ(entry.volume, "80");
    EXPECT_EQ(entry.marks, "C:\\A\\x.mp3/61/");
    EXPECT_TRUE(entry.extraFields.isEmpty());
}

TEST(AlbumEntry, PadsShortEntriesToEightFields)
{
    EXPECT_EQ(AlbumEntry::fromText(u"C:\\A\\index.wpl").toText(), "C:\\A\\index.wpl=======");
    EXPECT_EQ(AlbumEntry::fromText(u"\\home\\u\\A\\index.wpl==T").toText(),
              "\\home\\u\\A\\index.wpl==T=====");
    EXPECT_EQ(AlbumEntry::fromText(u"").toText(), "=======");
}

TEST(AlbumEntry, TheSpeedFieldIsWrittenOnlyForASpeedOtherThanOne)
{
    const QString eight = "C:\\A\\index.wpl=a=t=0=1=2=3=m";
    struct Case {
        QString stored;
        double speed;
        double read;
        QString written;
    };
    const Case cases[] = {
        {eight, 1.0, 1.0, eight},
        {eight, 1.5, 1.0, eight + "=1.5"},
        {eight + "=1.5", 1.0, 1.5, eight},
        {eight + "=", 0.75, 1.0, eight + "=.75"},
        {eight + "=2=x", 1.0, 2.0, eight + "==x"},
        {eight + "=abc=x", 1.25, 1.0, eight + "=1.25=x"},
    };
    for (const Case &c : cases) {
        AlbumEntry entry = AlbumEntry::fromText(c.stored);
        EXPECT_EQ(entry.speed(), c.read) << c.stored.toStdString();
        entry.setSpeed(c.speed);
        EXPECT_EQ(entry.toText(), c.written) << c.stored.toStdString();
    }
}

TEST(AlbumEntry, KeepsFieldsPastTheEighth)
{
    const QString text = "C:\\A\\index.wpl=a=t=0=1=2=3=m=x==y";
    const AlbumEntry entry = AlbumEntry::fromText(text);
    EXPECT_EQ(entry.marks, "m");
    EXPECT_EQ(entry.extraFields, QStringList({"x", "", "y"}));
    EXPECT_EQ(entry.toText(), text);
    EXPECT_EQ(entry.valueText(), "a=t=0=1=2=3=m=x==y");
}

TEST(AlbumEntry, StoresEqualsSignsInPathsAsStars)
{
    EXPECT_EQ(encodeAlbumPath(u"C:\\A=B\\index.wpl"), "C:\\A*B\\index.wpl");
    const AlbumEntry entry = AlbumEntry::fromText(u"\\home\\u\\A*B\\index.wpl=====");
    EXPECT_EQ(entry.albumPath(), "\\home\\u\\A=B\\index.wpl");
    EXPECT_EQ(decodeAlbumPath(encodeAlbumPath(u"C:\\x=y=z")), "C:\\x=y=z");
}

// Every name a Linux folder can hold reads back, and its stored form can neither end the
// entry's line nor cut a mark.
TEST(AlbumEntry, EveryStorablePathRoundTrips)
{
    for (const QString &path : {QString("\\home\\my\nbook\\index.wpl"), QString("\\a\rb\\x|y.mp3"),
                                QString("\\Tom & Jerry\\&#10;\\&#38;&&#\\"), QString("x=y&"),
                                QString("\\*a*=b*\\&#42;\\\"q\"?.mp3"),
                                QString::fromUtf8("\\\u041A\u043D\u0438\u0433\u0430 \U0001F600")}) {
        const QString stored = encodeAlbumPath(path);
        EXPECT_EQ(decodeAlbumPath(stored), path) << stored.toStdString();
        for (QChar c : {u'\r', u'\n', u'|', u'='})
            EXPECT_FALSE(stored.contains(c)) << stored.toStdString();
    }
    EXPECT_EQ(encodeAlbumPath(u"\\my\nbook\\Tom & Jerry.mp3"), "\\my&#10;book\\Tom & Jerry.mp3");
    // A star of a name is no "=" of the stored form.
    EXPECT_EQ(encodeAlbumPath(u"\\a*b=c"), "\\a&#42;b*c");
    // What earlier versions stored for a line break reads back as one.
    EXPECT_EQ(decodeAlbumPath(u"\\my&#10;book\\index.wpl"), "\\my\nbook\\index.wpl");
}

TEST(AlbumEntry, ReadsItsNumbers)
{
    AlbumEntry entry;
    entry.duration = "3725";
    EXPECT_EQ(entry.durationSeconds(), FixedPoint::fromInt(3725));
    entry.duration = "abc";
    EXPECT_EQ(entry.durationSeconds(), FixedPoint());
}

TEST(AlbumEntry, AnUnusableVolumeMeansFullVolume)
{
    AlbumEntry entry;
    for (const char *volume : {"", "0", "abc", "-5", "250"}) {
        entry.volume = volume;
        EXPECT_EQ(entry.volumeLevel(), 100) << volume;
    }
    entry.volume = "1";
    EXPECT_EQ(entry.volumeLevel(), 1);
    entry.volume = " 45 ";
    EXPECT_EQ(entry.volumeLevel(), 45);
}

TEST(AlbumFileExists, NeedsAFileThatIsNoFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString nativeFile = folder.filePath("A=B.wpl");
    QFile file(nativeFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    AlbumEntry entry;
    entry.path = encodeAlbumPath(platform::fromNativePath(nativeFile));
    EXPECT_TRUE(albumFileExists(entry));
    entry.path = encodeAlbumPath(platform::fromNativePath(folder.path()));
    EXPECT_FALSE(albumFileExists(entry));
    entry.path = encodeAlbumPath(platform::fromNativePath(folder.filePath("missing.wpl")));
    EXPECT_FALSE(albumFileExists(entry));
    entry.path.clear();
    EXPECT_FALSE(albumFileExists(entry));
    const QString fifo = folder.filePath("fifo.wpl");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    entry.path = encodeAlbumPath(platform::fromNativePath(fifo));
    EXPECT_FALSE(albumFileExists(entry));
}

// What an activation reads of an entry: its bookmarks, code page and when it last played.
TEST(AlbumEntryFields, BookmarksCodePageAndLastPlayed)
{
    AlbumEntry entry;
    entry.marks = "a.mp3/12/|a.mp3/3/One||b.mp3/4/Two|";
    entry.codepage = "1251";
    EXPECT_EQ(entry.bookmarks(), (QStringList{"a.mp3/3/One", "b.mp3/4/Two"}));
    EXPECT_EQ(entry.codePageNumber(), 1251);
    EXPECT_EQ(entry.lastPlayedMsecs(), 0) << "never captured";
    entry.access = "2026:01:02:03:04:05";
    EXPECT_EQ(entry.lastPlayedMsecs(),
              QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)).toMSecsSinceEpoch());
    entry.marks = "a.mp3/12/";
    entry.codepage = "x";
    EXPECT_TRUE(entry.bookmarks().isEmpty());
    EXPECT_EQ(entry.codePageNumber(), 0);
    EXPECT_EQ(storedTitle("a=b==c"), "a&#61;b&#61;&#61;c");
}

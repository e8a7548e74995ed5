#include "places/albumkey.h"
#include "places/albumplaces.h"

#include "album/albumlistening.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace places;

namespace {

// A folder of records of the given sizes and its playlist; the playlist's internal path.
QString makeBook(const QString &parent, const QString &folder, const QList<int> &sizes)
{
    const QString path = QDir(parent).filePath(folder);
    QDir().mkpath(path);
    QString playlist = QStringLiteral("<smil><body><seq>\n");
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const QString name = QStringLiteral("%1.mp3").arg(i + 1, 2, 10, QChar(u'0'));
        QFile file(QDir(path).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(sizes[i], 'x'));
        playlist += QStringLiteral("<media src=\"%1\"/>\n").arg(name);
    }
    QFile list(QDir(path).filePath(QStringLiteral("index.wpl")));
    EXPECT_TRUE(list.open(QIODevice::WriteOnly));
    list.write((playlist + QStringLiteral("</seq></body></smil>\n")).toUtf8());
    return platform::fromNativePath(QDir(path).filePath(QStringLiteral("index.wpl")));
}

} // namespace

TEST(AlbumKey, TheSameBookMatchesAnywhereAndAnotherWithItsFolderNameDoesNot)
{
    QTemporaryDir disk;
    const QString kitchen = makeBook(disk.filePath(QStringLiteral("mnt/usb/Books")),
                                     QStringLiteral("Tale"), {100, 200, 300});
    const QString study = makeBook(disk.filePath(QStringLiteral("home/mia")),
                                   QStringLiteral("Tale"), {100, 200, 300});
    const QString other = makeBook(disk.filePath(QStringLiteral("home/leo")),
                                   QStringLiteral("Tale"), {100, 200, 301});
    const QString renamed = makeBook(disk.filePath(QStringLiteral("home/ida")),
                                     QStringLiteral("Tale 2"), {100, 200, 300});

    const QString key = albumKey(kitchen);
    EXPECT_EQ(key.size(), 32);
    EXPECT_EQ(albumKey(study), key);
    EXPECT_NE(albumKey(other), key);
    EXPECT_NE(albumKey(renamed), key);
    EXPECT_EQ(albumKey(platform::fromNativePath(disk.filePath(QStringLiteral("none.wpl")))),
              QString());
    // A single file named without a folder, as only a hand-edited settings file has it.
    const QString before = QDir::currentPath();
    QDir::setCurrent(disk.path());
    QFile solo(QStringLiteral("solo.mp3"));
    ASSERT_TRUE(solo.open(QIODevice::WriteOnly));
    solo.close();
    EXPECT_EQ(albumKey(QStringLiteral("solo.mp3")).size(), 32);
    QDir::setCurrent(before);
    // Names and sizes cannot run into each other.
    EXPECT_NE(albumKeyOf(QStringLiteral("a"), QStringLiteral("b"), {{QStringLiteral("c1"), 2}}),
              albumKeyOf(QStringLiteral("a"), QStringLiteral("b"), {{QStringLiteral("c"), 12}}));
}

TEST(AlbumKey, RecordNamesStayInsideTheAlbum)
{
    const QString album = QStringLiteral("\\home\\mia\\Tale\\index.wpl");
    EXPECT_EQ(recordNameOf(QStringLiteral("\\home\\mia\\Tale\\CD 1\\01.mp3"), album),
              "CD 1/01.mp3");
    EXPECT_EQ(recordNameOf(QStringLiteral("\\home\\leo\\01.mp3"), album), "");
    EXPECT_EQ(recordPathOf(QStringLiteral("CD 1/01.mp3"), album),
              "\\home\\mia\\Tale\\CD 1\\01.mp3");
    // Which names lead out is the file reader's table; here only that such a name gives no path.
    EXPECT_EQ(recordPathOf(QStringLiteral("../x.mp3"), album), "");
}

TEST(AlbumPlaces, AnEntryGoesOutAndAMergedAlbumComesBack)
{
    album::AlbumEntry entry = album::AlbumEntry::fromText(
        QStringLiteral("\\m\\Tale\\index.wpl=2026:12:08:10:00:00=Tale===60=80="
                       "\\m\\Tale\\02.mp3/42/|\\m\\Tale\\01.mp3/5/Dragon|\\x\\01.mp3/1/Out=1.5"));
    const SharedAlbum shared = sharedAlbumOf(entry, QString(32, u'b'));
    EXPECT_EQ(shared.title, "Tale");
    EXPECT_EQ(shared.place.record, "02.mp3");
    EXPECT_EQ(shared.place.seconds, "42");
    EXPECT_EQ(shared.place.speed, 1.5);
    EXPECT_EQ(shared.place.volume, 80);
    ASSERT_EQ(shared.bookmarks.size(), 1) << "a mark outside the album is not shared";
    EXPECT_EQ(shared.bookmarks[0].title, "Dragon");
    EXPECT_GT(accessStampOf(entry), 0);

    SharedAlbum merged = shared;
    merged.place = {1765000000, QStringLiteral("03.mp3"), QStringLiteral("720"), 1.25, 150};
    merged.bookmarks.append(
        {1, true, QStringLiteral("01.mp3"), QStringLiteral("9"), QStringLiteral("Gone")});
    merged.bookmarks.append(
        {1, false, QStringLiteral("../01.mp3"), QStringLiteral("9"), QStringLiteral("Hostile")});
    merged.bookmarks.append(
        {1, false, QStringLiteral("02.mp3"), QStringLiteral("10"), QStringLiteral("Later")});
    merged.bookmarks.append(
        {1, false, QStringLiteral("01.mp3"), QStringLiteral("6"), QStringLiteral("Sooner")});
    const QStringList order{QStringLiteral("01.mp3"), QStringLiteral("02.mp3")};
    const album::AlbumEntry kept = entryWith(entry, merged, false, order);
    EXPECT_EQ(kept.marks.toStdString(), "\\m\\Tale\\02.mp3/42/|\\m\\Tale\\01.mp3/5/Dragon|"
                                        "\\m\\Tale\\01.mp3/6/Sooner|\\m\\Tale\\02.mp3/10/Later");
    EXPECT_EQ(kept.access, entry.access);
    const album::AlbumEntry taken = entryWith(entry, merged, true, order);
    EXPECT_TRUE(taken.marks.startsWith("\\m\\Tale\\03.mp3/720/|\\m\\Tale\\01.mp3/5/Dragon|"));
    EXPECT_EQ(taken.speed(), 1.25);
    EXPECT_EQ(album::listeningOf(taken).volume, 150);
    EXPECT_EQ(accessStampOf(taken), 1765000000);
}

#include "places/placesfolder.h"
#include "places/placesformat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace places;

namespace {

const QString keyA(32, u'a');

PlacesFile household()
{
    SharedAlbum album{
        keyA,
        QStringLiteral("Tab\there, 100% \"quoted\"\nnext line"),
        {1765000000, QStringLiteral("CD 1/03 Ünïcode.mp3"), QStringLiteral("720"), 1.25, 150},
        {{1765000001, false, QStringLiteral("01.mp3"), QStringLiteral("5"),
          QStringLiteral("Dragon &#124; fire")},
         {1765000002, true, QStringLiteral("-leading.mp3"), QStringLiteral("7.5"),
          QStringLiteral("gone")}}};
    SharedAlbum empty{QString(32, u'0'), QString(), {}, {}};
    return {QStringLiteral("Kitchen\tPC"), {album, empty}};
}

const QByteArray head =
    "sonnalby-places\t1\ncomputer\tKitchen\nalbum\t" + keyA.toLatin1() + "\tBook\n";

} // namespace

TEST(PlacesFormat, WhatIsWrittenReadsBackWhateverItsTextsHold)
{
    const PlacesFile file = household();
    const QByteArray text = writePlacesText(file);
    EXPECT_TRUE(text.contains("\tCD 1/03 Ünïcode.mp3\t")) << "blanks and letters as they are";
    // The header, the computer, two albums with their places, two bookmarks, the end.
    EXPECT_EQ(text.count('\n'), 9) << text.constData();
    const PlacesReading read = readPlacesText(text);
    ASSERT_TRUE(read.file) << read.problem.toStdString();
    EXPECT_EQ(read.file->computer, file.computer);
    ASSERT_EQ(read.file->albums.size(), 2);
    const SharedAlbum &album = read.file->albums[0];
    EXPECT_EQ(album.title, file.albums[0].title);
    EXPECT_TRUE(album.place.sameAs(file.albums[0].place));
    EXPECT_EQ(album.place.stamp, 1765000000);
    EXPECT_EQ(album.bookmarks, file.albums[0].bookmarks);
    EXPECT_EQ(writePlacesText(*read.file), text);
    EXPECT_EQ(stampText(1765000000), "2025-12-06T05:46:40Z");
}

// A sync tool that has not finished, or a copy cut short, is refused whole, at every byte.
TEST(PlacesFormat, AFileCutAnywhereOrChangedIsRefusedWhole)
{
    const QByteArray text = writePlacesText(household());
    for (qsizetype length = 0; length < text.size(); ++length)
        EXPECT_FALSE(readPlacesText(text.first(length)).file) << length;
    QByteArray changed = text;
    changed[changed.indexOf("720")] = '8';
    EXPECT_EQ(readPlacesText(changed).problem, "cut short");
}

TEST(PlacesFormat, HostileLinesRefuseTheFileAndLaterKindsArePassedOver)
{
    const QByteArray key = keyA.toLatin1();
    const struct {
        QByteArray lines;
        bool read;
    } cases[] = {
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t12\t1\t100\n", true},
        {"place\t2026-01-01T00:00:00Z\t\t\t1\t100\n", true},
        {"chapter\tsomething a later version writes\n", true},
        {"place\t2026-01-01T00:00:00Z\t../../etc/passwd\t12\t1\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t/abs.mp3\t12\t1\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\ta\\b.mp3\t12\t1\t100\n", false},
        {"place\t2026-02-30T00:00:00Z\t01.mp3\t12\t1\t100\n", false},
        {"place\t2026-01-01 00:00:00\t01.mp3\t12\t1\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t-12\t1\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t\t1\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t\t12\t1\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t123456789.123456\t0.5\t0\n", true},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t1234567890\t1\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t5.1234567\t1\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t5.\t1\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t12\t3\t200\n", true},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t12\t0.49\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t12\t3.01\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t12\t1\t-1\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t1e9\t1\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t12\tnan\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t12\t9\t100\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t12\t1\t201\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t12\t1\n", false},
        {"place\t2026-01-01T00:00:00Z\t01.mp3\t12\t1\t100\textra\n", false},
        {"bookmark\t2026-01-01T00:00:00Z\t01.mp3\t5\tbad %zz escape\n", false},
        {"bookmark\t2026-01-01T00:00:00Z\t01.mp3\t5\tcut %4\n", false},
        {"bookmark\t2026-01-01T00:00:00Z\t01.mp3\t5\tnot UTF-8 %ff%fe\n", false},
        {"bookmark\t2026-01-01T00:00:00Z\t01.mp3\t5\t" + QByteArray(4096, 'x') + "\n", true},
        {"bookmark\t2026-01-01T00:00:00Z\t01.mp3\t5\t" + QByteArray(4097, 'x') + "\n", false},
        {"bookmark\tsoon\t01.mp3\t5\tx\n", false},
        {"computer\tone\ttwo\n", false},
        {"album\tshort\tBook\n", false},
        {"album\t0123456789abcdef0123456789abcdef\tBook\n", true},
        {"album\t0123456789abcdef0123456789abcdeg\tBook\n", false},
        {"album\t0123456789ABCDEF0123456789abcdef\tBook\n", false},
    };
    for (const auto &c : cases) {
        const PlacesReading read = readPlacesText(sealedPlacesText(head + c.lines));
        EXPECT_EQ(read.file.has_value(), c.read) << c.lines.constData();
    }
    EXPECT_FALSE(readPlacesText(sealedPlacesText(
                                    "sonnalby-places\t1\nplace\t2026-01-01T00:00:00Z\t\t\t1\t1\n"))
                     .file)
        << "a place before any album";
    EXPECT_EQ(readPlacesText(QByteArray(maxPlacesFileSize + 1, 'x')).problem, "too large");
    EXPECT_EQ(readPlacesText("<html>\n").problem, "not a places file");
}

TEST(PlacesFolder, NamesAreOneFileNameOnEveryFileSystem)
{
    const struct {
        QString name;
        QString encoded;
    } cases[] = {
        {QStringLiteral("Mia"), QStringLiteral("Mia")},
        {QStringLiteral("Mia's Room (2)"), QStringLiteral("Mia%27s Room (2)")},
        {QStringLiteral("../up"), QStringLiteral("%2E.%2Fup")},
        {QStringLiteral("a/b\\c:d*e?\"<>|"), QStringLiteral("a%2Fb%5Cc%3Ad%2Ae%3F%22%3C%3E%7C")},
        {QStringLiteral("dot."), QStringLiteral("dot%2E")},
        {QStringLiteral("100%"), QStringLiteral("100%25")},
        {QStringLiteral("Küche"), QStringLiteral("Küche")},
        {QStringLiteral("line\nbreak"), QStringLiteral("line%0Abreak")},
        {QString(), QStringLiteral("%")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(encodedFileName(c.name), c.encoded) << c.name.toStdString();
}

// Others' files are read whole and alone; what a sync tool or an unfinished write leaves, a
// FIFO and a folder are never read; conflict copies of the own file say two computers share
// a name.
TEST(PlacesFolder, ReadsOnlyWholeFilesOfOtherComputers)
{
    QTemporaryDir share;
    const QString profile = QDir(share.path()).filePath(QStringLiteral("Mia"));
    QDir().mkpath(profile);
    auto put = [&profile](const QString &name, const QByteArray &bytes) {
        QFile file(QDir(profile).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    put(QStringLiteral("Study.places"), writePlacesText(household()));
    put(QStringLiteral("Attic.places"), writePlacesText(household()).chopped(3));
    put(QStringLiteral(".syncthing.Study.places.tmp"), "partial");
    put(QStringLiteral("Hall.sync-conflict-20261208-114133-ABCDEFG.places"), "x");
    put(QStringLiteral("Kitchen.sync-conflict-20261208-114133-ABCDEFG.places"), "x");
    put(QStringLiteral("Kitchen.places"), "own");
    ASSERT_EQ(mkfifo(QDir(profile).filePath(QStringLiteral("Fifo.places")).toLocal8Bit(), 0600), 0);
    QDir(profile).mkdir(QStringLiteral("Folder.places"));

    const FolderReading reading = readProfileFolder(profile, QStringLiteral("Kitchen.places"));
    EXPECT_TRUE(reading.folderFound);
    ASSERT_EQ(reading.others.size(), 2);
    EXPECT_EQ(reading.others[0].fileName, "Attic.places");
    EXPECT_EQ(reading.others[0].computer, "Attic");
    EXPECT_EQ(reading.others[0].reading.problem, "cut short");
    EXPECT_EQ(reading.others[1].computer, "Kitchen\tPC") << "the name its file gives";
    EXPECT_TRUE(reading.others[1].reading.file);
    EXPECT_EQ(reading.conflictCopies,
              QStringList{QStringLiteral("Kitchen.sync-conflict-20261208-114133-ABCDEFG.places")});
    EXPECT_FALSE(readProfileFolder(QDir(share.path()).filePath(QStringLiteral("None")),
                                   QStringLiteral("Kitchen.places"))
                     .folderFound);
}

// Another user who may write to the shared folder puts a link where this computer's file goes.
TEST(PlacesFolder, TheOwnFileReplacesALinkInItsPlaceAndNeverWritesThroughIt)
{
    QTemporaryDir share;
    const QString victim = share.filePath(QStringLiteral("victim"));
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("mine");
    file.close();
    const QString own = ownFilePath(share.path(), QStringLiteral("Mia"), QStringLiteral("Kitchen"));
    QDir().mkpath(QFileInfo(own).absolutePath());
    ASSERT_TRUE(QFile::link(victim, own));

    EXPECT_EQ(writePlacesFile(own, writePlacesText(household())), 0);
    EXPECT_FALSE(QFileInfo(own).isSymLink());
    EXPECT_TRUE(readPlacesFile(own).file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "mine");
}

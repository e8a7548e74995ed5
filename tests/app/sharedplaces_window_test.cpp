#include "sessionfixture.h"

#include "album/albumsession.h"
#include "app/menus/placesoffers.h"
#include "app/window/controlstrip.h"
#include "app/window/mainwindow.h"
#include "app/window/menutree.h"
#include "places/albumkey.h"
#include "places/placesfolder.h"
#include "places/sharedplaces.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QList<TestTrack> book{{"01.mp3", "One", 20}, {"02.mp3", "Two", 20}, {"03.mp3", "Three", 60}};

// Two computers of one household, each with its own copy of the book, sharing places through a
// folder; the tests play the sync tool's part by reading and writing that folder.
class SharedPlacesWindowTest : public testing::Test {
protected:
    static void share(SessionFixture &computer, const QString &folder, const QString &name)
    {
        computer.dialogKit().queueOpenConfirmed(internal(folder), 1);
        computer.dialogKit().queueInputBox(name);
        computer.item("mOptionShare")->trigger();
        SessionFixture::drainEvents();
    }
    // The computer's own copy of the book, opened with sharing on under the name; its folder.
    QString openShared(SessionFixture &computer, const QString &name)
    {
        const QString folder = computer.makeAlbum("Book", book);
        computer.start();
        share(computer, shared.path(), name);
        computer.openFolder(folder);
        return folder;
    }
    static void choose(SessionFixture &computer, const QString &item)
    {
        computer.item(item)->trigger();
        SessionFixture::drainEvents();
    }
    static QString playing(SessionFixture &computer)
    {
        return computer.player().url().section(u'\\', -1);
    }
    static QStringList bookmarks(SessionFixture &computer)
    {
        return computer.app().albumSession().albums().entry(0).marks.split(u'|').mid(1);
    }
    QString placesFile(const QString &computer, const QString &profile = "Default") const
    {
        return places::ownFilePath(shared.path(), profile, computer);
    }
    // Another computer's file as a sync tool delivers it.
    void deliver(const QString &computer, const places::PlacesFile &file) const
    {
        QDir().mkpath(QFileInfo(placesFile(computer)).absolutePath());
        QFile out(placesFile(computer));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(places::writePlacesText(file));
    }
    static qint64 now() { return QDateTime::currentSecsSinceEpoch(); }

    QTemporaryDir shared;
    SessionFixture kitchen;
    SessionFixture room;
};

} // namespace

TEST_F(SharedPlacesWindowTest, PlaceSpeedVolumeAndBookmarksFollowTheListenerToAnotherCopy)
{
    const QString kitchenBook = openShared(kitchen, "Kitchen");
    choose(kitchen, "mRecordList2");
    kitchen.player().setCurrentPosition(42);
    kitchen.player().setVolume(150);
    kitchen.dialogKit().queueInputBox("Dragon");
    choose(kitchen, "mBookmarkNew");
    choose(kitchen, "mTrayPlay");
    kitchen.exit();
    ASSERT_TRUE(QFileInfo::exists(placesFile("Kitchen")));

    const QString roomBook = openShared(room, "Room");
    EXPECT_EQ(playing(room), "03.mp3");
    EXPECT_EQ(room.player().currentPosition(), 42.0);
    EXPECT_EQ(room.player().volume(), 150);
    ASSERT_EQ(bookmarks(room).size(), 1);
    EXPECT_TRUE(bookmarks(room)[0].startsWith(internal(roomBook + "/03.mp3") + "/42/Dragon"))
        << bookmarks(room)[0].toStdString();
    // The room's own file now tells the same place, under the kitchen's stamp: nothing to take
    // back there.
    room.exit();
    const places::PlacesReading told = places::readPlacesFile(placesFile("Room"));
    ASSERT_TRUE(told.file);
    const places::PlacesReading kitchenTold = places::readPlacesFile(placesFile("Kitchen"));
    ASSERT_TRUE(kitchenTold.file);
    EXPECT_EQ(told.file->albums.value(0).place.stamp,
              kitchenTold.file->albums.value(0).place.stamp);
    EXPECT_EQ(told.file->computer, "Room");
}

TEST_F(SharedPlacesWindowTest, ThePlayingAlbumKeepsItsPlaceUntilItsPauseAndBookmarksComeAtOnce)
{
    const QString roomBook = openShared(room, "Room");
    choose(room, "mRecordList0");
    room.player().setCurrentPosition(5);
    const QString key = places::albumKey(internal(roomBook + "/index.wpl"));
    ASSERT_FALSE(key.isEmpty());
    // The kitchen's clock is a minute ahead: its place is the newer.
    deliver("Kitchen", {"Kitchen",
                        {{key,
                          "Book",
                          {now() + 60, "03.mp3", "30", 1.5, 100},
                          {{now() + 60, false, "02.mp3", "7", "From the kitchen"}}}}});
    room.app().sharedPlaces().refresh();
    SessionFixture::drainEvents();
    EXPECT_EQ(playing(room), "01.mp3");
    EXPECT_EQ(room.player().currentPosition(), 5.0);
    EXPECT_EQ(bookmarks(room).size(), 1) << "bookmarks do not move the place";

    choose(room, "mTrayPlay");
    EXPECT_EQ(playing(room), "03.mp3");
    EXPECT_EQ(room.player().currentPosition(), 30.0);
    EXPECT_EQ(room.player().rate(), 1.5);
    EXPECT_TRUE(room.albumLines().value(0).contains("03.mp3/30/"));
}

TEST_F(SharedPlacesWindowTest, BooksOnlyElsewhereAreOfferedAndABadFileIsToldOnce)
{
    const QString roomBook = openShared(room, "Room");
    deliver("Kitchen",
            {"Kitchen", {{QString(32, u'c'), "Tea & Cake", {now(), "01.mp3", "1", 1, 100}, {}}}});
    QFile attic(QDir(QFileInfo(placesFile("Kitchen")).absolutePath()).filePath("Attic.places"));
    ASSERT_TRUE(attic.open(QIODevice::WriteOnly));
    attic.write("<html>\n");
    attic.close();
    room.app().sharedPlaces().refresh();
    SessionFixture::drainEvents();

    QAction *offer = room.app().window().menus().file->findChild<QAction *>("mFileOffer");
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->text(), "Tea && Cake (on Kitchen)");
    EXPECT_FALSE(offer->isEnabled());
    const QString note = "[Places from Attic not read: not a places file] ";
    EXPECT_TRUE(room.app().strip().statusLabel(0)->text().startsWith(note));

    // Once the book is here too, it is no longer offered; the bad file is still told.
    QFile::remove(placesFile("Kitchen"));
    room.app().sharedPlaces().refresh();
    SessionFixture::drainEvents();
    EXPECT_FALSE(room.app().window().menus().file->findChild<QAction *>("mFileOffer"));
    attic.remove();
    room.app().sharedPlaces().refresh();
    EXPECT_FALSE(room.app().strip().statusLabel(0)->text().startsWith("["));

    // Stopping takes the offers and the note away at once.
    deliver("Kitchen",
            {"Kitchen", {{QString(32, u'c'), "Tea", {now(), "01.mp3", "1", 1, 100}, {}}}});
    ASSERT_TRUE(attic.open(QIODevice::WriteOnly));
    attic.close();
    room.app().sharedPlaces().refresh();
    ASSERT_TRUE(room.app().strip().statusLabel(0)->text().startsWith("["));
    room.dialogKit().queueButtonMessageBox(2);
    choose(room, "mOptionShare");
    EXPECT_FALSE(room.app().window().menus().file->findChild<QAction *>("mFileOffer"));
    EXPECT_FALSE(room.app().strip().statusLabel(0)->text().startsWith("["));
}

TEST_F(SharedPlacesWindowTest, SharingIsKeptStoppedAndNamesAreTrimmed)
{
    room.start();
    share(room, shared.path(), "  Mia's\tRoom  ");
    EXPECT_TRUE(room.item("mOptionShare")->isChecked());
    room.exit();
    room.start();
    EXPECT_TRUE(room.app().sharedPlaces().isSharing());
    EXPECT_TRUE(room.item("mOptionShare")->isChecked());
    EXPECT_TRUE(room.settingsBytes().contains("mOptionShareComputer=Mia'sRoom"));
    // Another folder under the same name: the file is written there from now on.
    QTemporaryDir other;
    room.dialogKit().queueButtonMessageBox(1);
    room.dialogKit().queueOpenConfirmed(internal(other.path()), 1);
    room.dialogKit().queueInputBox("Mia'sRoom");
    choose(room, "mOptionShare");
    room.openFolder(room.makeAlbum("Book", book));
    EXPECT_TRUE(QFileInfo::exists(places::ownFilePath(other.path(), "Default", "Mia'sRoom")));
    room.dialogKit().queueButtonMessageBox(2);
    choose(room, "mOptionShare");
    EXPECT_FALSE(room.app().sharedPlaces().isSharing());
    EXPECT_FALSE(room.item("mOptionShare")->isChecked());
    // A cancelled choice of the folder changes nothing.
    room.dialogKit().queueOpenCancelled();
    choose(room, "mOptionShare");
    EXPECT_FALSE(room.app().sharedPlaces().isSharing());
}

TEST_F(SharedPlacesWindowTest, EachProfileHasItsOwnPlacesAndTheOneLeftTellsItsLast)
{
    const QString roomBook = openShared(room, "Room");
    deliver("Kitchen",
            {"Kitchen", {{QString(32, u'c'), "Tea", {now(), "01.mp3", "1", 1, 100}, {}}}});
    room.app().sharedPlaces().refresh();
    ASSERT_TRUE(room.app().window().menus().file->findChild<QAction *>("mFileOffer"));
    choose(room, "mRecordList1");
    room.player().setCurrentPosition(7);
    room.dialogKit().queueInputBox("Leo");
    choose(room, "mProfileNew");
    const places::PlacesReading mia = places::readPlacesFile(placesFile("Room"));
    ASSERT_TRUE(mia.file);
    EXPECT_EQ(mia.file->albums.value(0).place.record, "02.mp3");
    EXPECT_EQ(mia.file->albums.value(0).place.seconds, "7");

    room.openFolder(roomBook);
    EXPECT_EQ(playing(room), "01.mp3") << "Leo's place is his own";
    room.exit();
    const places::PlacesReading leo = places::readPlacesFile(placesFile("Room", "Leo"));
    ASSERT_TRUE(leo.file);
    EXPECT_EQ(leo.file->albums.value(0).place.record, "01.mp3");
}

TEST_F(SharedPlacesWindowTest, AnotherProfileWithoutAlbumsHasNoneOfTheOffers)
{
    room.start();
    share(room, shared.path(), "Room");
    deliver("Kitchen",
            {"Kitchen", {{QString(32, u'c'), "Tea", {now(), "01.mp3", "1", 1, 100}, {}}}});
    room.app().sharedPlaces().refresh();
    ASSERT_TRUE(room.app().window().menus().file->findChild<QAction *>("mFileOffer"));
    room.dialogKit().queueInputBox("Leo");
    choose(room, "mProfileNew");
    EXPECT_FALSE(room.app().window().menus().file->findChild<QAction *>("mFileOffer"));
}

// The own file is this computer's memory of its stamps: a deletion is still told after a restart.
TEST_F(SharedPlacesWindowTest, ADeletedBookmarkIsStillToldAfterARestart)
{
    openShared(room, "Room");
    room.dialogKit().queueInputBox("Dragon");
    choose(room, "mBookmarkNew");
    room.dialogKit().queueMessageBox(MessageResult::Yes);
    choose(room, "mBookmarkClearAll");
    room.exit();
    for (int run = 0; run < 2; ++run) {
        const places::PlacesReading told = places::readPlacesFile(placesFile("Room"));
        ASSERT_TRUE(told.file);
        const QList<places::SharedBookmark> marks = told.file->albums.value(0).bookmarks;
        ASSERT_EQ(marks.size(), 1) << "run " << run;
        EXPECT_TRUE(marks[0].deleted);
        EXPECT_EQ(marks[0].title, "Dragon");
        room.start();
        room.exit();
    }
}

TEST(PlacesOffers, CaptionsAreOneLineOfMenuText)
{
    EXPECT_EQ(offerCaption({"A\tB\nC", "Hall"}), "A B C (on Hall)");
    EXPECT_EQ(offerCaption({QString(100, u'x'), "K&K"}),
              QString(79, u'x') + QChar(0x2026) + " (on K&&K)");
}

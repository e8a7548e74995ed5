#include "faketray.h"
#include "sessionfixture.h"

#include "../album/qstringprint.h"
#include "album/albumentry.h"
#include "app/mpris/mprisbus.h"
#include "app/mpris/mprisplayer.h"
#include "app/mpris/mprisroot.h"
#include "app/window/elapseddisplay.h"
#include "app/window/mainwindow.h"
#include "platform/codepage.h"
#include "shell/dialogs/outsidecommands.h"
#include "shell/menu/actionitemarray.h"

#include <QDBusConnection>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>

namespace {

constexpr qlonglong second = 1000000;

class MprisTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::setAnsiCodePage(1252);
        album = fixture.startWithThreeTrackAlbum("Tale");
        bus = std::make_unique<MprisBus>(fixture.app(), fixture.player());
    }
    void TearDown() override
    {
        bus.reset();
        platform::setAnsiCodePage(0);
    }

    MprisPlayer &player() { return bus->player(); }
    album::AlbumEntry savedAlbum()
    {
        return album::AlbumEntry::fromText(fixture.albumLines().value(0));
    }
    QString metadata(const char *key) { return player().metadata().value(key).toString(); }
    // Playback time passes, with the elapsed timer's tick that follows it.
    void playFor(double seconds)
    {
        fixture.player().advance(seconds);
        fixture.app().elapsedDisplay().tick();
    }

    // Outlives the window that may ask it to go.
    FakeTray tray;
    SessionFixture fixture;
    QString album;
    std::unique_ptr<MprisBus> bus;
};

} // namespace

TEST_F(MprisTest, PlayPauseActsAsTheTrayCommandAndAPauseSavesTheResumeMark)
{
    ASSERT_EQ(player().playbackStatus(), "Playing");
    playFor(1.2);
    player().PlayPause();
    SessionFixture::drainEvents();
    EXPECT_EQ(player().playbackStatus(), "Paused");
    EXPECT_EQ(savedAlbum().marks, "01.mp3/1/");

    player().Play();
    SessionFixture::drainEvents();
    EXPECT_EQ(player().playbackStatus(), "Playing");
    // Short of the record's end at 2 s, which would come before the Stop's turn.
    playFor(0.6);
    player().Stop();
    SessionFixture::drainEvents();
    EXPECT_EQ(player().playbackStatus(), "Stopped");
    // The player's own stop keeps the listener's place.
    EXPECT_EQ(player().position(), 2 * second);
    EXPECT_EQ(savedAlbum().marks, "01.mp3/2/");
}

TEST_F(MprisTest, NextAndPreviousPlayNeighbouringRecordsAsTheRecordMenuDoes)
{
    EXPECT_FALSE(player().canGoPrevious());
    player().Next();
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().url(), internal(album + "/02.mp3"));
    EXPECT_TRUE(fixture.app().window().menus().recordList->isChecked(1));
    EXPECT_EQ(metadata("xesam:title"), "Two");
    EXPECT_EQ(metadata("xesam:album"), "Tale");
    EXPECT_EQ(player().metadata().value("xesam:trackNumber").toInt(), 2);
    EXPECT_EQ(player().metadata().value("mpris:length").toLongLong(), 3 * second);
    EXPECT_EQ(QUrl(metadata("xesam:url")).toLocalFile(), album + "/02.mp3");

    player().Next();
    SessionFixture::drainEvents();
    EXPECT_FALSE(player().canGoNext());
    player().Next();
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().url(), internal(album + "/03.mp3"));
    player().Previous();
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().url(), internal(album + "/02.mp3"));
    EXPECT_EQ(player().playbackStatus(), "Playing");
}

TEST_F(MprisTest, SetPositionTakesOnlyTheCurrentRecordAndPositionsWithinIt)
{
    const QDBusObjectPath first = player().currentTrackId();
    player().Next();
    SessionFixture::drainEvents();
    struct Case {
        QDBusObjectPath track;
        qlonglong position;
        qlonglong expected;
    };
    const QDBusObjectPath current = player().currentTrackId();
    ASSERT_NE(current, first);
    for (const Case &c :
         {Case{current, 2 * second, 2 * second}, Case{first, 1 * second, 2 * second},
          Case{current, 4 * second, 2 * second}, Case{current, -1, 2 * second}}) {
        player().SetPosition(c.track, c.position);
        SessionFixture::drainEvents();
        EXPECT_EQ(player().position(), c.expected) << c.track.path().toStdString() << c.position;
    }
    player().Pause();
    SessionFixture::drainEvents();
    EXPECT_EQ(savedAlbum().marks, "02.mp3/2/");
}

TEST_F(MprisTest, SeekStopsAtTheStartAndGoesOnToTheNextRecordPastTheEnd)
{
    playFor(1);
    QSignalSpy seeked(&player(), &MprisPlayer::Seeked);
    player().Seek(-5 * second);
    SessionFixture::drainEvents();
    EXPECT_EQ(player().position(), 0);
    ASSERT_FALSE(seeked.isEmpty());
    EXPECT_EQ(seeked.last().first().toLongLong(), 0);

    player().Seek(second + second / 2);
    SessionFixture::drainEvents();
    EXPECT_EQ(player().position(), second + second / 2);
    player().Seek(5 * second);
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().url(), internal(album + "/02.mp3"));
}

TEST_F(MprisTest, VolumeIsThePlayersUpToItsBoostAndAPauseSavesIt)
{
    for (const double asked : {0.4, 2.5, -0.5, 1.7}) {
        player().setVolume(asked);
        EXPECT_EQ(fixture.player().volume(), qRound(std::clamp(asked, 0.0, 2.0) * 100));
    }
    EXPECT_DOUBLE_EQ(player().volume(), 1.7);
    player().Pause();
    SessionFixture::drainEvents();
    EXPECT_EQ(savedAlbum().volume, "100") << "older readers find full volume";
    EXPECT_EQ(savedAlbum().extraFields.value(1), "170");
}

TEST_F(MprisTest, ANanVolumeChangesNothing)
{
    player().setVolume(0.4);
    player().setVolume(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(fixture.player().volume(), 40);
    EXPECT_DOUBLE_EQ(player().volume(), 0.4);
}

TEST_F(MprisTest, RateIsTheAlbumsSpeedWithinTheMenusRangeAndZeroPauses)
{
    EXPECT_EQ(player().minimumRate(), 0.5);
    EXPECT_EQ(player().maximumRate(), 3.0);
    for (const double asked : {1.5, 7.0, 0.1}) {
        player().setRate(asked);
        EXPECT_EQ(player().rate(), std::clamp(asked, 0.5, 3.0));
    }
    player().setRate(1.25);
    player().setRate(0);
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().playState(), PlayState::Paused);
    EXPECT_EQ(savedAlbum().speed(), 1.25);
}

TEST_F(MprisTest, ChangesAreAnnouncedOnceSettledWithOnlyWhatChanged)
{
    QSignalSpy announced(bus.get(), &MprisBus::propertiesChanged);
    player().Pause();
    SessionFixture::drainEvents();
    ASSERT_EQ(announced.size(), 1);
    EXPECT_EQ(announced[0][0].toString(), "org.mpris.MediaPlayer2.Player");
    EXPECT_EQ(announced[0][1].toMap(), QVariantMap({{"PlaybackStatus", "Paused"}}));

    player().PlayPause();
    SessionFixture::drainEvents();
    ASSERT_EQ(announced.size(), 2);
    player().Next();
    // The load in between is no change of its own, however long it takes.
    bus->announceChanges();
    EXPECT_EQ(announced.size(), 2);
    SessionFixture::drainEvents();
    ASSERT_EQ(announced.size(), 3);
    const QVariantMap changed = announced.last()[1].toMap();
    EXPECT_FALSE(changed.contains("PlaybackStatus"));
    EXPECT_EQ(changed.value("CanGoPrevious"), true);
    EXPECT_EQ(changed.value("Metadata").toMap().value("xesam:title"), "Two");
    EXPECT_FALSE(changed.contains("Position"));
}

TEST_F(MprisTest, OpenUriOpensAFolderAsADropDoesAndRefusesOtherAddresses)
{
    const QString other = fixture.makeThreeTrackAlbum("Other");
    player().OpenUri(QStringLiteral("https://www.example.com/book.mp3"));
    player().OpenUri(QUrl::fromLocalFile(other + "/01.mp3").toString() + "x");
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.albumLines().size(), 1);
    player().OpenUri(QUrl::fromLocalFile(other).toString());
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.app().window().windowTitle(), "Sonnalby - " + other + "/index.wpl");
    EXPECT_EQ(metadata("xesam:album"), "Other");
}

// A question of the program's own, shown modally while happening runs in its event loop.
static void askModally(const std::function<void()> &happening)
{
    QDialog question;
    question.setModal(true);
    QTimer::singleShot(0, &question, [&question, &happening] {
        happening();
        // Time for anything that would not wait to land in the question.
        QTimer::singleShot(100, &question, &QDialog::accept);
    });
    question.exec();
}

// Commands from the media controls wait until the question has been answered, then run once
// each: a second request for an album whose title is being asked finds the first one's entry.
TEST_F(MprisTest, OpenUriDuringAQuestionWaitsForItsAnswer)
{
    const QString untitled = fixture.makeAlbum("Untitled", {{"01.mp3", {}, 2}});
    const QString uri = QUrl::fromLocalFile(untitled + "/01.mp3").toString();
    fixture.dialogKit().queueInputBox("Typed");
    fixture.dialogKit().whileNextBoxOpen([&] { askModally([&] { player().OpenUri(uri); }); });
    player().OpenUri(uri);
    EXPECT_TRUE(QTest::qWaitFor([this] { return fixture.albumLines().size() == 2; }));
    QTest::qWait(200);
    EXPECT_EQ(fixture.albumLines().size(), 2);
    EXPECT_EQ(fixture.dialogKit().callsOf(DialogCallKind::InputBox).size(), 1);
    EXPECT_EQ(fixture.app().window().outsideCommands().waiting(), 0);
}

TEST_F(MprisTest, QuitDuringAQuestionEndsOnceItIsAnswered)
{
    MainWindow &window = fixture.app().window();
    QSignalSpy closing(&window, &MainWindow::closing);
    bool answered = false;
    fixture.dialogKit().whileNextBoxOpen([&] {
        askModally([&] { bus->root().Quit(); });
        EXPECT_EQ(closing.count(), 0) << "ended in the middle of the question";
        answered = true;
    });
    fixture.item("mFileRename")->trigger();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(QTest::qWaitFor([&closing] { return closing.count() == 1; }));
}

TEST_F(MprisTest, RaiseBringsAWindowBackFromBehindTheTrayAndQuitEndsAsFileExitDoes)
{
    MainWindow &window = fixture.app().window();
    window.setTrayIcon(&tray);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&window] { return window.isHidden(); }));
    bus->root().Raise();
    SessionFixture::drainEvents();
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(tray.present);

    QSignalSpy closing(&window, &MainWindow::closing);
    playFor(1);
    bus->root().Quit();
    SessionFixture::drainEvents();
    EXPECT_EQ(closing.size(), 1);
    EXPECT_EQ(savedAlbum().marks, "01.mp3/1/");
}

TEST_F(MprisTest, WithoutASessionBusNothingIsPublished)
{
    const QDBusConnection none =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"), "none");
    EXPECT_FALSE(bus->publish(none));
    QDBusConnection::disconnectFromBus("none");
}

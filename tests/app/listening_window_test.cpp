#include "sessionfixture.h"

#include "../support/filesizelimit.h"

#include "../album/qstringprint.h"
#include "album/albumentry.h"
#include "app/menus/listeningoptions.h"
#include "app/window/controlstrip.h"
#include "app/window/mainwindow.h"
#include "platform/paths.h"
#include "player/sleeptimer.h"
#include "settings/settingsstore.h"

#include <QFile>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ListeningWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        second = fixture.makeThreeTrackAlbum("Second");
        first = fixture.startWithThreeTrackAlbum("First");
    }

    // The stored line of album index split into its fields.
    QStringList storedFields(int index) { return fixture.albumLines().value(index).split('='); }
    void pause()
    {
        fixture.player().pause();
        SessionFixture::drainEvents();
    }
    QString statusLine() { return fixture.app().strip().statusLabel(0)->text(); }

    SessionFixture fixture;
    QString first;
    QString second;
};

} // namespace

TEST_F(ListeningWindowTest, AnAlbumGainsItsSpeedFieldOnlyOnceItsSpeedChanged)
{
    EXPECT_EQ(fixture.player().rate(), 1.0);
    pause();
    EXPECT_EQ(storedFields(0).size(), 8);

    fixture.player().play();
    fixture.item("mViewSpeedFaster")->trigger();
    pause();
    EXPECT_EQ(storedFields(0).value(8), "1.05");

    fixture.player().play();
    fixture.item("mViewSpeedList1")->trigger();
    pause();
    EXPECT_EQ(storedFields(0).size(), 8) << "back at 1.0x";
}

TEST_F(ListeningWindowTest, EachAlbumKeepsItsOwnSpeedAcrossARestart)
{
    fixture.item("mViewSpeedList3")->trigger();
    EXPECT_EQ(fixture.player().rate(), 1.5);
    EXPECT_TRUE(fixture.item("mViewSpeedList3")->isChecked());
    EXPECT_TRUE(statusLine().startsWith("[1.5x] 01.mp3")) << statusLine().toStdString();

    fixture.openFolder(second);
    EXPECT_EQ(fixture.player().rate(), 1.0) << "an album with eight fields plays at 1x";
    EXPECT_FALSE(statusLine().startsWith('[')) << statusLine().toStdString();
    EXPECT_EQ(storedFields(1).value(8), "1.5");
    pause();
    EXPECT_EQ(storedFields(0).size(), 8);

    fixture.item("mFileList1")->trigger();
    EXPECT_EQ(fixture.player().rate(), 1.5);
    fixture.exit();
    fixture.start();
    EXPECT_EQ(fixture.player().rate(), 1.5);
}

TEST_F(ListeningWindowTest, SpeedKeysStepWithinTheRange)
{
    QAction *faster = fixture.item("mViewSpeedFaster");
    QAction *slower = fixture.item("mViewSpeedSlower");
    EXPECT_EQ(faster->shortcut(), QKeySequence("Ctrl+Up"));
    EXPECT_EQ(slower->shortcut(), QKeySequence("Ctrl+Down"));
    for (int i = 0; i < 60; ++i)
        faster->trigger();
    EXPECT_EQ(fixture.player().rate(), 3.0);
    EXPECT_FALSE(faster->isEnabled());
    for (int i = 0; i < 60; ++i)
        slower->trigger();
    EXPECT_EQ(fixture.player().rate(), 0.5);
    EXPECT_FALSE(slower->isEnabled());
}

TEST_F(ListeningWindowTest, SkipAndSpeedAreGreyedWithNoRecordLoaded)
{
    fixture.item("mFileRemoveList0")->trigger();
    SessionFixture::drainEvents();
    for (const char *name : {"mTraySkipBack", "mTraySkipForward", "mViewSpeedFaster", "mViewSpeed"})
        EXPECT_FALSE(fixture.item(name)->isEnabled()) << name;
}

TEST_F(ListeningWindowTest, SkipOptionsAreStoredAndUsedByTheTraysSkips)
{
    fixture.item("mOptionSkipForwardList0")->trigger(); // 5 seconds
    EXPECT_EQ(settings::readSetting(fixture.settingsFile(), "fwMain", "mOptionSkipForward"), "5");
    EXPECT_TRUE(fixture.item("mOptionSkipForwardList0")->isChecked());
    EXPECT_TRUE(fixture.item("mOptionSkipBackList3")->isChecked()) << "30 seconds at first";
    pause();

    fixture.item("mTraySkipForward")->trigger();
    EXPECT_EQ(fixture.player().url(), internal(first + "/03.mp3")) << "2 + 3 seconds passed";
    EXPECT_EQ(fixture.player().currentPosition(), 0.0);
    EXPECT_TRUE(storedFields(0).value(7).startsWith("03.mp3/0/")) << "a skip while paused saves";

    fixture.item("mTraySkipBack")->trigger();
    EXPECT_EQ(fixture.player().url(), internal(first + "/01.mp3")) << "at the album's start";
    EXPECT_EQ(fixture.player().currentPosition(), 0.0);
}

TEST_F(ListeningWindowTest, RewindAfterLongPauseIsOffAtFirstAndStored)
{
    QAction *rewind = fixture.item("mOptionRewind");
    EXPECT_FALSE(rewind->isChecked());
    rewind->trigger();
    EXPECT_TRUE(rewind->isChecked());
    fixture.exit();
    fixture.start();
    EXPECT_TRUE(fixture.item("mOptionRewind")->isChecked());
    EXPECT_TRUE(fixture.app().listeningOptions().rewindsAfterPause());
}

TEST_F(ListeningWindowTest, TheSleepTimerShowsInTheStatusLineUntilOff)
{
    fixture.item("mOptionSleepList2")->trigger(); // 30 minutes
    EXPECT_TRUE(fixture.item("mOptionSleepList2")->isChecked());
    EXPECT_TRUE(statusLine().startsWith("[Sleep 00:30:00] 01.mp3")) << statusLine().toStdString();
    fixture.item("mOptionSleepList6")->trigger();
    EXPECT_TRUE(statusLine().startsWith("[Sleep 00:00:02] ")) << statusLine().toStdString();
    fixture.item("mOptionSleepList0")->trigger();
    EXPECT_EQ(fixture.app().sleepTimer().mode(), SleepTimer::Mode::Off);
    EXPECT_TRUE(fixture.item("mOptionSleepList0")->isChecked());
    EXPECT_TRUE(statusLine().startsWith("01.mp3")) << statusLine().toStdString();
}

// Off, or minutes, chosen after End of Record: the album plays on past the record's end.
TEST_F(ListeningWindowTest, ReplacingEndOfRecordLetsTheAlbumPlayOnPastTheRecordsEnd)
{
    for (const char *replacement : {"mOptionSleepList0", "mOptionSleepList1"}) {
        fixture.item("mRecordList0")->trigger();
        SessionFixture::drainEvents();
        fixture.item("mOptionSleepList6")->trigger();
        fixture.item(replacement)->trigger();
        fixture.player().advance(2);
        SessionFixture::drainEvents();
        EXPECT_EQ(fixture.player().url(), internal(first + "/02.mp3")) << replacement;
        EXPECT_EQ(fixture.player().playState(), PlayState::Playing) << replacement;
    }
}

// A full disk stops no command and asks nothing: the status line says so until a save succeeds,
// and that save writes what the failed ones could not.
TEST_F(ListeningWindowTest, ASaveTheDiskRefusesIsToldAndWrittenByTheNextThatSucceeds)
{
    fixture.item("mViewSpeedList3")->trigger();
    pause();
    const QString settings = platform::toNativePath(fixture.settingsFile());
    auto onDisk = [&settings] {
        QFile file(settings);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = onDisk();
    ASSERT_TRUE(before.contains("=1.5\r\n"));
    {
        const FileSizeLimit fullDisk(1);
        fixture.player().play();
        fixture.item("mViewSpeedList1")->trigger();
        pause();
    }
    EXPECT_EQ(onDisk(), before);
    EXPECT_TRUE(statusLine().startsWith("[Could not save to sonnalby.dat: File too large] "))
        << statusLine().toStdString();
    EXPECT_EQ(storedFields(0).size(), 8) << "what was not written is still what the program knows";

    fixture.player().play();
    pause();
    EXPECT_FALSE(onDisk().contains("=1.5\r\n"));
    EXPECT_TRUE(statusLine().startsWith("01.mp3")) << statusLine().toStdString();
}

#include "sessionfixture.h"

#include "app/window/mainwindow.h"
#include "player/sleeptimer.h"
#include "shell/dialogs/outsidecommands.h"
#include "shell/menu/actionitemarray.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A listener still awake when the sleep timer fades or has just paused: an album of a 30-second
// record with chapters at 0, 10 and 20 s, then records of 20 and 5 s, on a clock of the test's.
class SleepWakeWindowTest : public testing::Test {
public:
    void SetUp() override
    {
        const QString album = fixture.makeAlbum("Book", {{"01 Book.mp3", "Book", 30, {0, 10, 20}},
                                                         {"02 Next.mp3", "Next", 20},
                                                         {"03 Last.mp3", "Last", 5}});
        fixture.start();
        fixture.openFolder(album);
        timer().setClock([this] { return now; });
        choose("mRecordList0");
    }

    SleepTimer &timer() { return fixture.app().sleepTimer(); }
    FakePlayer &player() { return fixture.player(); }
    QString playing() { return player().url().section(u'\\', -1); }
    void choose(const QString &name)
    {
        fixture.item(name)->trigger();
        SessionFixture::drainEvents();
    }
    void seek(double seconds)
    {
        player().setCurrentPosition(seconds);
        SessionFixture::drainEvents();
    }
    // Plays on for the milliseconds, the timer ticking at the end.
    void playFor(qint64 milliseconds)
    {
        player().advance(milliseconds / 1000.0);
        now += milliseconds;
        timer().tick();
        SessionFixture::drainEvents();
    }
    // Fifteen minutes of the clock run out ten seconds into the first record.
    void sleepAfterFifteenMinutes()
    {
        choose("mRecordList0");
        choose("mOptionSleepList1");
        player().advance(10);
        now += 15 * 60000;
        timer().tick();
        SessionFixture::drainEvents();
    }
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&fixture.app().window(), key, modifiers);
        SessionFixture::drainEvents();
    }

    SessionFixture fixture;
    qint64 now = 0;
};

// Counts the key presses that reach the object it watches.
struct KeyCounter : QObject {
    bool eventFilter(QObject *, QEvent *event) override
    {
        keys += event->type() == QEvent::KeyPress;
        return false;
    }
    int keys = 0;
};

} // namespace

TEST_F(SleepWakeWindowTest, AKeyDuringTheFadeRunsTheTimerOnForTheLengthChosenWithTheSoundWhole)
{
    const struct {
        const char *item;
        double from;
        qint64 before;
        qint64 after;
    } cases[] = {
        // The chapter after the one playing is the last: its end is the record's.
        {"mOptionSleepList7", 15, 5000, 15000},
        // One record more: the rest of this one and all of the next.
        {"mOptionSleepList6", 25, 5000, 25000},
        {"mOptionSleepList1", 0, 5000, 905000},
    };
    // In the album's last record there is no record more: the album ends where it would.
    choose("mRecordList5");
    choose("mOptionSleepList6");
    playFor(0);
    pressKey(Qt::Key_Shift);
    EXPECT_EQ(timer().remainingMilliseconds(), 5000);
    playFor(5000);
    EXPECT_NE(player().playState(), PlayState::Playing);
    EXPECT_EQ(timer().mode(), SleepTimer::Mode::Off);
    // Nothing is left to play: a key is only a key.
    now += 1000;
    pressKey(Qt::Key_Shift);
    EXPECT_EQ(timer().mode(), SleepTimer::Mode::Off);
    for (const auto &test : cases) {
        SCOPED_TRACE(test.item);
        choose("mRecordList0");
        seek(test.from);
        choose(test.item);
        if (timer().mode() == SleepTimer::Mode::Minutes)
            playFor(15 * 60000 - 5000);
        else
            playFor(0);
        ASSERT_EQ(timer().remainingMilliseconds(), test.before);
        EXPECT_LT(player().fadeLevel(), 1.0);

        pressKey(Qt::Key_Shift);
        EXPECT_EQ(timer().remainingMilliseconds(), test.after);
        EXPECT_EQ(player().fadeLevel(), 1.0);
        EXPECT_EQ(player().playState(), PlayState::Playing);
        // Once is enough: a second key is no new fade.
        pressKey(Qt::Key_Shift);
        EXPECT_EQ(timer().remainingMilliseconds(), test.after);
    }
}

TEST_F(SleepWakeWindowTest, AnEndOfRecordExtendedPlaysThroughTheNextRecordAndPausesAtItsEnd)
{
    seek(25);
    choose("mOptionSleepList6");
    playFor(0);
    pressKey(Qt::Key_Shift);
    playFor(5000);
    EXPECT_EQ(playing(), "02 Next.mp3");
    EXPECT_EQ(player().playState(), PlayState::Playing);
    EXPECT_EQ(timer().remainingMilliseconds(), 20000);
    playFor(20000);
    EXPECT_EQ(playing(), "03 Last.mp3");
    EXPECT_NE(player().playState(), PlayState::Playing);
    EXPECT_EQ(timer().mode(), SleepTimer::Mode::Off);
}

TEST_F(SleepWakeWindowTest, WithinAMinuteOfItsPauseAKeyOnlyWakesTheTimerAndTheSoundComesBack)
{
    sleepAfterFifteenMinutes();
    ASSERT_EQ(player().playState(), PlayState::Paused);
    ASSERT_EQ(timer().mode(), SleepTimer::Mode::Off);
    const double pausedAt = player().currentPosition();
    ASSERT_EQ(pausedAt, 10.0);

    KeyCounter reaching;
    fixture.app().window().installEventFilter(&reaching);
    now += 60000;
    pressKey(Qt::Key_Space);
    EXPECT_EQ(reaching.keys, 0) << "the key that wakes does nothing else";
    EXPECT_EQ(player().playState(), PlayState::Playing);
    EXPECT_EQ(player().currentPosition(), pausedAt);
    EXPECT_EQ(timer().mode(), SleepTimer::Mode::Minutes);
    EXPECT_EQ(timer().remainingMilliseconds(), 15 * 60000);
    EXPECT_EQ(player().fadeLevel(), 1.0);

    pressKey(Qt::Key_Space);
    EXPECT_EQ(reaching.keys, 1) << "the next key is an ordinary one again";
}

TEST_F(SleepWakeWindowTest, AnotherRecordChosenKeepsEndOfRecordAtItsEnd)
{
    choose("mOptionSleepList6");
    choose("mRecordList4");
    EXPECT_EQ(timer().remainingMilliseconds(), 20000);
    playFor(20000);
    EXPECT_EQ(playing(), "03 Last.mp3");
    EXPECT_NE(player().playState(), PlayState::Playing);
}

TEST_F(SleepWakeWindowTest, EndOfChapterWokenAfterItsPauseAimsAtTheNextChaptersEnd)
{
    seek(12);
    choose("mOptionSleepList7");
    playFor(8000);
    ASSERT_EQ(player().currentPosition(), 20.0);
    ASSERT_EQ(timer().mode(), SleepTimer::Mode::Off);
    now += 1000;
    pressKey(Qt::Key_Shift);
    EXPECT_EQ(timer().mode(), SleepTimer::Mode::EndOfChapter);
    EXPECT_EQ(timer().remainingMilliseconds(), 10000);
}

TEST_F(SleepWakeWindowTest, MoreThanAMinuteAfterThePauseOrAfterOffNothingWakes)
{
    // Ten seconds left is not yet the fade.
    seek(20);
    choose("mOptionSleepList6");
    pressKey(Qt::Key_Shift);
    EXPECT_EQ(timer().remainingMilliseconds(), 10000);

    sleepAfterFifteenMinutes();
    now += 60001;
    pressKey(Qt::Key_Shift);
    EXPECT_EQ(player().playState(), PlayState::Paused);
    EXPECT_EQ(timer().mode(), SleepTimer::Mode::Off);

    choose("mRecordList0");
    choose("mOptionSleepList1");
    choose("mOptionSleepList0");
    pressKey(Qt::Key_Shift);
    EXPECT_EQ(timer().mode(), SleepTimer::Mode::Off);
}

// A media key or the desktop's controls arrive as outside commands, the tray's as its entries:
// the command runs as asked and the sound is back after it, not toggled away again.
TEST_F(SleepWakeWindowTest, AnOutsideOrTrayCommandAfterThePauseRestartsTheTimerAndPlays)
{
    const struct {
        const char *what;
        std::function<void(SleepWakeWindowTest &)> command;
    } cases[] = {
        {"play/pause from outside",
         [](SleepWakeWindowTest &test) {
             test.fixture.app().window().outsideCommands().post(&test.player(), [&test] {
                 test.player().wantsToPlay() ? test.player().pause() : test.player().play();
             });
         }},
        {"tray's Play/Pause", [](SleepWakeWindowTest &test) { test.choose("mTrayPlay"); }},
        {"tray's Next", [](SleepWakeWindowTest &test) { test.choose("mTrayNext"); }},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.what);
        sleepAfterFifteenMinutes();
        ASSERT_EQ(player().playState(), PlayState::Paused);
        now += 1000;
        test.command(*this);
        SessionFixture::drainEvents();
        EXPECT_EQ(player().playState(), PlayState::Playing);
        EXPECT_EQ(timer().mode(), SleepTimer::Mode::Minutes);
    }
}

TEST_F(SleepWakeWindowTest, TheLastChoiceIsRememberedAsTheMenusDefault)
{
    const shell::ActionItemArray &list = *fixture.app().window().menus().optionSleepList;
    EXPECT_EQ(list.menu()->defaultAction(), nullptr);
    choose("mOptionSleepList3");
    choose("mOptionSleepList0");
    EXPECT_EQ(list.menu()->defaultAction(), list.action(3));
    EXPECT_TRUE(fixture.settingsBytes().contains("mOptionSleepList=3"));

    fixture.exit();
    fixture.start();
    const shell::ActionItemArray &again = *fixture.app().window().menus().optionSleepList;
    EXPECT_EQ(again.menu()->defaultAction(), again.action(3));
}

// The session driven by the fake player, with the window's share (the elapsed tick, the timer,
// the capture) played by the fixture.

#include "doubles/fakeplayer.h"
#include "player/playersession.h"
#include "player/sleeptimer.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <functional>

#include <cmath>

namespace {

const QString one = QStringLiteral("\\a\\one.mp3");
const QString two = QStringLiteral("\\a\\two.mp3");
const QString three = QStringLiteral("\\a\\three.mp3");

// A missing file's entry ends in "|" and its record is disabled.
QList<Record> recordsOf(const QStringList &entries)
{
    QList<Record> list;
    for (const QString &entry : entries)
        list.push_back({entry, QString(), !entry.endsWith('|')});
    return list;
}

class SessionTest : public testing::Test {
protected:
    SessionTest()
    {
        setAlbum({one + "|5", two + "|5", three + "|5"});
        session.setCaptureAndSave([this] {
            marks.push_back(player.url() + '/' + QString::number(qRound(player.currentPosition())));
        });
        QObject::connect(&session, &PlayerSession::elapsedTimerWanted,
                         [this](bool on) { timerOn = on; });
        QObject::connect(&session, &PlayerSession::mediaCaptionChanged,
                         [this](const QString &caption) { captions.push_back(caption); });
        QObject::connect(&session, &PlayerSession::positionChanged, [this] { tick(); });
    }

    // The player gives every file the same length, whatever the entries say.
    void setAlbum(const QStringList &entries, double seconds = 5)
    {
        for (const QString &entry : entries)
            player.setDuration(entry.section('|', 0, 0), seconds);
        records.reset(recordsOf(entries));
    }

    // The window's elapsed tick, as far as the session is concerned.
    void tick()
    {
        session.setHeldPosition(QString::number(std::nearbyint(player.currentPosition())));
        session.countSecond();
    }

    void settle()
    {
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
    }

    // Seconds of playback, the timer ticking after each one while it runs.
    void playFor(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            player.advance(1);
            settle();
            if (timerOn)
                tick();
        }
    }

    FakePlayer player;
    RecordList records;
    PlayerSession session{player, records};
    bool timerOn = false;
    QStringList captions;
    QStringList marks;
};

// Next/Previous, the desktop's media controls and skips across records all step over disabled
// records the same way.
TEST(RecordListTest, TheNextEnabledRecordEitherWay)
{
    RecordList records;
    QList<Record> list = recordsOf({"\\a|1", "\\b|0", "\\c|3", "\\d|4", "\\e|5"});
    list[2].enabled = false;
    records.reset(list);
    const std::function<bool(RecordList::Index)> known = [&records](RecordList::Index index) {
        return records.durationOf(index) > 0;
    };
    const struct {
        RecordList::Index from;
        int step;
        bool knownLengthOnly;
        RecordList::Index expected;
    } cases[] = {
        {0, 1, false, 1},
        {1, 1, false, 3},
        {4, 1, false, RecordList::none},
        {3, -1, false, 1},
        {0, -1, false, RecordList::none},
        {-1, 1, false, 0},
        {0, 1, true, 3},
        {3, -1, true, 0},
        {4, -1, true, 3},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(records.nextEnabled(c.from, c.step, c.knownLengthOnly ? known : nullptr),
                  c.expected)
            << c.from << " step " << c.step << (c.knownLengthOnly ? " known" : "");
    }
}

TEST(RecordListTest, FindsPathsExactlyAndReadsDurations)
{
    RecordList records;
    records.reset(recordsOf({"\\a\\x.mp3|12.5", "\\a\\X.mp3|abc", "\\a\\x.mp3|3", "\\a\\y.mp3|"}));
    EXPECT_EQ(records.findRecordIndex("\\a\\x.mp3"), 0);
    EXPECT_EQ(records.findRecordIndex("\\a\\X.mp3"), 1);
    EXPECT_EQ(records.findRecordIndex("\\a\\x.mp"), RecordList::none);
    EXPECT_EQ(records.pathOf(3), "\\a\\y.mp3");
    EXPECT_EQ(records.pathOf(4), QString());
    EXPECT_EQ(records.durationOf(0), 12);
    EXPECT_EQ(records.durationOf(1), 0);
    EXPECT_EQ(records.durationOf(3), 0);
    EXPECT_EQ(records.durationOf(-1), 0);

    records.setCurrent(2);
    records.setCurrent(4);
    EXPECT_EQ(records.current(), RecordList::none);
    EXPECT_TRUE(records.hasPlayableRecord("\\a\\x.mp3"));
    EXPECT_FALSE(records.hasPlayableRecord("\\A\\x.MP3"));

    // A name may hold "|"; a duration never does.
    records.reset(recordsOf({"\\a\\a|b.mp3|7", "\\a\\c|.mp3|"}));
    EXPECT_EQ(records.pathOf(0), "\\a\\a|b.mp3");
    EXPECT_EQ(records.durationOf(0), 7);
    EXPECT_EQ(records.findRecordIndex("\\a\\c|.mp3"), 1);
    EXPECT_TRUE(records.hasPlayableRecord("\\a\\a|b.mp3"));
    EXPECT_FALSE(records.hasPlayableRecord("\\a\\y.mp3"));
}

TEST_F(SessionTest, SelectRecordPlaysFromTheStartAndCountsFromOne)
{
    session.selectRecord(2);
    settle();

    EXPECT_EQ(player.url(), three);
    EXPECT_TRUE(timerOn);
    EXPECT_EQ(session.heldPosition(), "0");
    EXPECT_EQ(captions, QStringList{"three.mp3 (#3 from 3)"});
    // The reset to 0 is no seek: the seconds go on being counted.
    EXPECT_EQ(session.recordSeconds(), 1);
}

TEST_F(SessionTest, AnIndexPastTheLastRecordIsRefused)
{
    session.selectRecord(RecordList::Index(records.count()));
    settle();
    EXPECT_EQ(player.url(), QString());
    EXPECT_EQ(records.current(), RecordList::none);
}

TEST_F(SessionTest, AProfileLoadPositionsWithoutPlayingAndAChosenAlbumPlays)
{
    session.setProfileLoading(true);
    session.selectRecord(0);
    session.resumeAt(two, 3.4);
    session.refreshState();
    settle();
    session.setProfileLoading(false);

    EXPECT_EQ(player.playState(), PlayState::Ready);
    EXPECT_FALSE(timerOn);
    EXPECT_EQ(records.current(), 1);
    EXPECT_EQ(player.currentPosition(), 3.4);
    EXPECT_EQ(session.heldPosition(), "3");
    EXPECT_EQ(captions.last(), "two.mp3 (#2 from 3)");

    session.resumeAt(one, 2);
    session.refreshState();
    settle();
    EXPECT_EQ(player.playState(), PlayState::Playing);
    EXPECT_TRUE(timerOn);
}

TEST_F(SessionTest, StopAndPauseKeepTheLastWholeSecondAndCapture)
{
    session.selectRecord(0);
    settle();
    playFor(3);
    player.advance(0.6);
    player.pause();
    settle();
    EXPECT_FALSE(timerOn);
    EXPECT_EQ(marks, QStringList{one + "/4"});

    player.play();
    settle();
    player.stopFromControls();
    settle();
    EXPECT_FALSE(timerOn);
    EXPECT_EQ(player.currentPosition(), 3.0);
    EXPECT_EQ(marks.last(), one + "/3");
}

TEST_F(SessionTest, EventsDuringTheProgramsOwnChangesAreDropped)
{
    session.beginBusy();
    player.setUrl(one);
    player.play();
    settle();
    session.endBusy();
    settle();
    EXPECT_FALSE(timerOn);
}

TEST_F(SessionTest, AnAlbumPlaysRecordAfterRecordAndStopsAfterTheLast)
{
    session.selectRecord(0);
    settle();
    playFor(5);
    EXPECT_EQ(player.url(), two);
    EXPECT_EQ(player.playState(), PlayState::Playing);
    playFor(10);

    EXPECT_EQ(captions,
              QStringList({"one.mp3 (#1 from 3)", "two.mp3 (#2 from 3)", "three.mp3 (#3 from 3)"}));
    EXPECT_EQ(records.current(), 2);
    EXPECT_EQ(player.url(), three);
    EXPECT_EQ(player.playState(), PlayState::Stopped);
    EXPECT_FALSE(timerOn);
    // The end comes before the last tick: the stop goes back to the last second ticked.
    EXPECT_EQ(marks, QStringList{three + "/4"});
}

TEST_F(SessionTest, AnEndedRecordLearnsItsUnknownDurationOnlyFromAWholePlayThrough)
{
    setAlbum({one + "|0", two + "|0", three + "|9"});
    session.selectRecord(0);
    settle();
    playFor(5);
    EXPECT_EQ(records.at(0).entry, one + "|5");

    player.seekFromControls(2);
    settle();
    playFor(3);
    EXPECT_EQ(records.at(1).entry, two + "|0");
    playFor(5);
    EXPECT_EQ(records.at(2).entry, three + "|9");

    // A record resumed part way counts only part of itself.
    setAlbum({one + "|0"});
    session.resumeAt(one, 3);
    session.refreshState();
    settle();
    playFor(2);
    EXPECT_EQ(records.at(0).entry, one + "|0");
}

TEST_F(SessionTest, TheEndGoesOnOnlyToListedPlayableRecords)
{
    setAlbum({one + "|5", two + '|', three + "|5"});
    session.selectRecord(0);
    settle();
    playFor(5);
    EXPECT_EQ(player.url(), three);

    const QString other = QStringLiteral("\\b\\other.mp3");
    player.setDuration(other, 5);
    session.jumpToMark(other, 1.6);
    settle();
    EXPECT_EQ(records.current(), 2);
    EXPECT_EQ(session.heldPosition(), "2");
    EXPECT_EQ(captions.last(), "other.mp3 (#3 from 3)");
    playFor(3);
    EXPECT_EQ(player.url(), other);
    EXPECT_EQ(player.playState(), PlayState::Stopped);
}

TEST_F(SessionTest, ARecordThatCannotBeLoadedIsDisabledAndTheNextPlays)
{
    player.setUnloadable(two);
    session.selectRecord(0);
    settle();
    playFor(5);

    EXPECT_EQ(player.url(), three);
    EXPECT_EQ(player.playState(), PlayState::Playing);
    EXPECT_EQ(records.current(), 2);
    EXPECT_FALSE(records.at(1).enabled);
    EXPECT_EQ(records.at(1).entry, two + '|');
    EXPECT_TRUE(timerOn);
    EXPECT_EQ(captions, QStringList({"one.mp3 (#1 from 3)", "three.mp3 (#3 from 3)"}));

    // The last record broken: the album stops there, the timer off.
    player.setUnloadable(three);
    session.selectRecord(0);
    settle();
    playFor(5);
    EXPECT_EQ(player.url(), three);
    EXPECT_EQ(player.playState(), PlayState::Stopped);
    EXPECT_FALSE(timerOn);
    EXPECT_FALSE(records.at(2).enabled);
}

TEST_F(SessionTest, ABrokenRecordMetDuringAProfileLoadLeavesTheNextOnePositioned)
{
    player.setUnloadable(one);
    session.setProfileLoading(true);
    session.selectRecord(0);
    session.refreshState();
    session.setProfileLoading(false);
    settle();

    EXPECT_EQ(player.url(), two);
    EXPECT_EQ(player.playState(), PlayState::Ready);
    EXPECT_FALSE(timerOn);
}

TEST_F(SessionTest, AFileListedTwiceEndsTheAlbumAfterItsLastRecord)
{
    setAlbum({one + "|5", two + "|5", one + "|5", three + "|5"});
    session.selectRecord(0);
    settle();
    playFor(30);

    EXPECT_EQ(captions, QStringList({"one.mp3 (#1 from 4)", "two.mp3 (#2 from 4)",
                                     "one.mp3 (#3 from 4)", "three.mp3 (#4 from 4)"}));
    EXPECT_EQ(records.current(), 3);
    EXPECT_EQ(player.playState(), PlayState::Stopped);
}

// The example of the manual: records of a minute each.
class ListeningTest : public SessionTest {
protected:
    ListeningTest()
    {
        setAlbum({one + "|60", two + "|60", three + "|60"}, 60);
        session.setClock([this] { return now; });
    }

    void playAt(const QString &path, double seconds)
    {
        session.jumpToMark(path, seconds);
        settle();
    }
    void pauseFor(qint64 minutes)
    {
        player.pause();
        settle();
        now += minutes * 60 * 1000;
        player.play();
        settle();
    }

    qint64 now = 1700000000000;
};

TEST_F(ListeningTest, ASkipCrossesRecordBoundariesBothWays)
{
    playAt(three, 10);
    session.skipBy(-30);
    settle();
    EXPECT_EQ(player.url(), two);
    EXPECT_EQ(player.currentPosition(), 40.0);
    EXPECT_EQ(records.current(), 1);
    EXPECT_EQ(player.playState(), PlayState::Playing);

    session.skipBy(30);
    settle();
    EXPECT_EQ(player.url(), three);
    EXPECT_EQ(player.currentPosition(), 10.0);
    EXPECT_EQ(player.playState(), PlayState::Playing);
}

// Commands given before the record that the last one loads is there: the wish to play that the
// load carries counts as playing.
TEST_F(ListeningTest, CommandsDuringALoadEndPlayingWhereAsked)
{
    struct Case {
        const char *name;
        std::function<void()> commands;
        QString to;
        double landing;
    };
    const Case cases[] = {
        {"two skips", [this] { session.skipBy(30), session.skipBy(60); }, three, 20},
        {"skip back twice", [this] { session.skipBy(-60), session.skipBy(-10); }, one, 0},
        {"a skip, then a bookmark", [this] { session.skipBy(30), session.jumpToMark(two, 7); }, two,
         7},
        {"a skip, then a speed change", [this] { session.skipBy(30), player.setRate(1.5); }, two,
         20},
        {"a record chosen, then a skip", [this] { session.selectRecord(2), session.skipBy(15); },
         three, 15},
    };
    for (const Case &c : cases) {
        playAt(one, 50);
        ASSERT_EQ(player.playState(), PlayState::Playing) << c.name;
        c.commands();
        settle();
        EXPECT_EQ(player.url(), c.to) << c.name;
        EXPECT_EQ(player.currentPosition(), c.landing) << c.name;
        EXPECT_EQ(player.playState(), PlayState::Playing) << c.name;
    }
    // A pause while it loads is what was asked last.
    playAt(one, 50);
    session.skipBy(30);
    player.pause();
    session.skipBy(5);
    settle();
    EXPECT_EQ(player.url(), two);
    EXPECT_NE(player.playState(), PlayState::Playing);
}

TEST_F(ListeningTest, ASkipStaysWithinTheAlbumAndOverMissingRecords)
{
    setAlbum({one + "|60", two + '|', three + "|60"}, 60);
    struct Case {
        QString from;
        double at;
        double skip;
        QString to;
        double landing;
    };
    const Case cases[] = {
        {three, 10, -30, one, 40},
        {one, 50, 30, three, 20},
        {one, 10, -30, one, 0},
        {three, 50, 30, three, 60},
    };
    for (const Case &c : cases) {
        playAt(c.from, c.at);
        session.skipBy(c.skip);
        settle();
        EXPECT_EQ(player.url(), c.to) << c.at << " " << c.skip;
        EXPECT_EQ(player.currentPosition(), c.landing) << c.at << " " << c.skip;
    }
}

TEST_F(ListeningTest, PlaybackAfterALongPauseStartsEarlierNeverBeforeTheAlbum)
{
    session.setRewindAfterPause(true);
    struct Case {
        qint64 pausedMinutes;
        QString from;
        double at;
        QString to;
        double landing;
    };
    const Case cases[] = {
        {4, two, 30, two, 30},   {6, two, 30, two, 25},  {120, two, 30, two, 15},
        {120, two, 10, one, 55}, {120, one, 10, one, 0}, {3 * 24 * 60, one, 40, one, 10},
    };
    for (const Case &c : cases) {
        playAt(c.from, c.at);
        pauseFor(c.pausedMinutes);
        EXPECT_EQ(player.url(), c.to) << c.pausedMinutes << " " << c.at;
        EXPECT_EQ(player.currentPosition(), c.landing) << c.pausedMinutes << " " << c.at;
        EXPECT_EQ(player.playState(), PlayState::Playing);
    }
}

TEST_F(ListeningTest, WithTheRewindOffPlaybackResumesExactly)
{
    playAt(two, 30);
    pauseFor(3 * 24 * 60);
    EXPECT_EQ(player.currentPosition(), 30.0);
}

TEST_F(ListeningTest, TheSleepTimerFadesItsLastTenSecondsThenPausesAndSaves)
{
    setAlbum({one + "|3600"}, 3600);
    qint64 steady = 0;
    SleepTimer timer(session);
    timer.setClock([&] { return steady; });
    playAt(one, 0);
    timer.start(15);
    const auto pass = [&](double seconds) {
        steady += qint64(seconds * 1000);
        player.advance(seconds);
        timer.tick();
    };
    pass(600);
    player.pause();
    settle();
    pass(300); // a pause does not count
    player.play();
    settle();
    pass(290);
    EXPECT_EQ(timer.remainingMilliseconds(), 10000);
    EXPECT_EQ(player.fadeLevel(), 1.0);
    pass(5);
    EXPECT_EQ(player.fadeLevel(), 0.5);
    EXPECT_EQ(player.volume(), 100) << "the album's own volume is kept";
    marks.clear();
    pass(5);
    settle();
    EXPECT_EQ(player.playState(), PlayState::Paused);
    EXPECT_EQ(marks, QStringList({one + "/900"}));
    EXPECT_EQ(player.fadeLevel(), 1.0);
    EXPECT_EQ(timer.mode(), SleepTimer::Mode::Off);
}

TEST_F(ListeningTest, TheSleepTimerAtTheRecordsEndLeavesTheNextRecordWaiting)
{
    qint64 steady = 0;
    SleepTimer timer(session);
    timer.setClock([&] { return steady; });
    playAt(one, 50);
    player.setRate(2.0);
    timer.startAtRecordEnd();
    timer.tick();
    EXPECT_EQ(timer.remainingMilliseconds(), 5000) << "ten seconds of the record at 2x";
    EXPECT_EQ(player.fadeLevel(), 0.5);
    marks.clear();
    player.advance(5);
    settle();
    EXPECT_EQ(player.url(), two);
    EXPECT_NE(player.playState(), PlayState::Playing);
    EXPECT_EQ(marks, QStringList({two + "/0"}));
    EXPECT_EQ(timer.mode(), SleepTimer::Mode::Off);
    EXPECT_EQ(player.fadeLevel(), 1.0);
}

// The stored length is unknown; the player's length of the playing record stands in for it.
TEST_F(ListeningTest, ASkipPastARecordOfUnknownStoredLengthUsesThePlayersLength)
{
    setAlbum({one + "|0", two + "|60", three + "|60"}, 60);
    struct Case {
        double skip;
        QString to;
        double landing;
    };
    const Case cases[] = {
        {30, two, 20},
        {75, three, 5},
    };
    for (const Case &c : cases) {
        playAt(one, 50);
        session.skipBy(c.skip);
        settle();
        EXPECT_EQ(player.url(), c.to) << c.skip;
        EXPECT_EQ(player.currentPosition(), c.landing) << c.skip;
        EXPECT_EQ(player.playState(), PlayState::Playing) << c.skip;
    }
}

TEST_F(ListeningTest, PlayAfterAnEndOfRecordSleepGoesOnPastTheNextRecordsEnd)
{
    SleepTimer timer(session);
    playAt(one, 50);
    timer.startAtRecordEnd();
    player.advance(10);
    settle();
    ASSERT_EQ(player.url(), two);
    ASSERT_NE(player.playState(), PlayState::Playing);

    player.play();
    settle();
    player.advance(60);
    settle();
    EXPECT_EQ(player.url(), three);
    EXPECT_EQ(player.playState(), PlayState::Playing);
}

TEST_F(ListeningTest, ALongPauseAtAnEndOfRecordSleepRewindsTooWhenPlayResumes)
{
    session.setRewindAfterPause(true);
    SleepTimer timer(session);
    playAt(one, 50);
    timer.startAtRecordEnd();
    player.advance(10);
    settle();
    ASSERT_EQ(player.url(), two);
    now += 6 * 60 * 1000;
    player.play();
    settle();
    EXPECT_EQ(player.url(), one);
    EXPECT_EQ(player.currentPosition(), 55.0);
    EXPECT_EQ(player.playState(), PlayState::Playing);
}

// A record whose length the player does not know: nothing to count down to.
TEST_F(ListeningTest, TheSleepTimerAtTheEndOfARecordOfUnknownLengthNeitherFadesNorPauses)
{
    setAlbum({one + "|0", two + "|0"}, 0);
    qint64 steady = 0;
    SleepTimer timer(session);
    timer.setClock([&] { return steady; });
    playAt(one, 10);
    timer.startAtRecordEnd();
    for (int i = 0; i < 3; ++i) {
        steady += 5000;
        player.advance(5);
        timer.tick();
        settle();
        EXPECT_EQ(timer.remainingMilliseconds(), -1) << i;
        EXPECT_EQ(player.fadeLevel(), 1.0) << i;
        EXPECT_EQ(player.playState(), PlayState::Playing) << i;
        EXPECT_EQ(timer.mode(), SleepTimer::Mode::EndOfRecord) << i;
    }
    EXPECT_EQ(player.url(), one);
}

} // namespace

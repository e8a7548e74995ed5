#include "sessionfixture.h"

#include "app/window/elapseddisplay.h"
#include "app/window/mainwindow.h"
#include "player/sleeptimer.h"

#include <gtest/gtest.h>

namespace {

// An album of three 20-second records, the last in two chapters, whose publisher opens each with
// a 3-second jingle and closes it with 2 seconds more.
class SkipEndsWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        album = fixture.makeAlbum(
            "Book",
            {{"01.mp3", "One", 20}, {"02.mp3", "Two", 20}, {"03.mp3", "Three", 20, {0, 10}}});
        fixture.start();
        fixture.openFolder(album);
        setSkip("mOptionSkipIntro", "3");
        setSkip("mOptionSkipOutro", "2");
    }

    void choose(const QString &name)
    {
        fixture.item(name)->trigger();
        SessionFixture::drainEvents();
    }
    void setSkip(const QString &item, const QString &answer)
    {
        fixture.dialogKit().queueInputBox(answer);
        choose(item);
    }
    QString playing() { return fixture.player().url().section(u'\\', -1); }
    double position() { return fixture.player().currentPosition(); }
    // Plays on for the seconds, the elapsed display ticking as it does each second.
    void playFor(double seconds)
    {
        fixture.player().advance(seconds);
        fixture.app().elapsedDisplay().tick();
        SessionFixture::drainEvents();
    }
    QStringList storedFields() { return fixture.albumLines().value(0).split(u'='); }

    SessionFixture fixture;
    QString album;
};

} // namespace

TEST_F(SkipEndsWindowTest, RecordsPlayedFromTheirStartBeginAfterTheIntro)
{
    choose("mRecordList1");
    EXPECT_EQ(playing(), "02.mp3");
    EXPECT_EQ(position(), 3.0);
    choose("mTrayNext");
    EXPECT_EQ(playing(), "03.mp3");
    EXPECT_EQ(position(), 3.0);

    // Just after the intro is the first chapter's start: Previous goes to the record before.
    playFor(1);
    choose("mTrayPrevious");
    EXPECT_EQ(playing(), "02.mp3");
    EXPECT_EQ(position(), 3.0);
    playFor(7);
    choose("mTrayPrevious");
    EXPECT_EQ(playing(), "01.mp3");
    EXPECT_EQ(position(), 3.0);
}

TEST_F(SkipEndsWindowTest, TheOutroEndsTheRecordAndTheSleepTimersEndOfRecordPausesThere)
{
    choose("mRecordList0");
    playFor(14);
    EXPECT_EQ(playing(), "01.mp3");
    playFor(1);
    EXPECT_EQ(playing(), "02.mp3");
    EXPECT_EQ(position(), 3.0);
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);

    choose("mOptionSleepList6");
    EXPECT_EQ(fixture.app().sleepTimer().remainingMilliseconds(), 15000);
    playFor(15);
    EXPECT_EQ(playing(), "03.mp3");
    EXPECT_EQ(position(), 3.0);
    EXPECT_NE(fixture.player().playState(), PlayState::Playing);

    // The album's last record: its outro ends the album, and the sleep timer with it.
    fixture.player().play();
    choose("mOptionSleepList6");
    playFor(15);
    EXPECT_EQ(fixture.player().playState(), PlayState::Paused);
    EXPECT_EQ(playing(), "03.mp3");
    EXPECT_EQ(fixture.app().sleepTimer().mode(), SleepTimer::Mode::Off);
    // Nothing holds at a record's end any more.
    choose("mRecordList1");
    playFor(15);
    EXPECT_EQ(playing(), "03.mp3");
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);
}

TEST_F(SkipEndsWindowTest, ResumeMarksAndBookmarksPlayExactlyAndTheSkipsSurviveARestart)
{
    choose("mRecordList1");
    fixture.player().setCurrentPosition(1);
    fixture.player().pause();
    SessionFixture::drainEvents();
    EXPECT_EQ(storedFields().mid(8), QStringList({"", "", "", "3", "2"}));
    EXPECT_EQ(storedFields().value(5), "60") << "the album's length stays whole";

    fixture.exit();
    fixture.start();
    EXPECT_EQ(playing(), "02.mp3");
    EXPECT_EQ(position(), 1.0);
    choose("mRecordList2");
    EXPECT_EQ(position(), 3.0);
}

TEST_F(SkipEndsWindowTest, TheAnswerOfferedIsWhereThePlayerStandsAndNoneTurnsItOff)
{
    choose("mRecordList0");
    playFor(4);
    fixture.dialogKit().queueInputBox(QString());
    choose("mOptionSkipIntro");
    fixture.dialogKit().queueInputBox("0");
    choose("mOptionSkipOutro");
    const QList<DialogCall> asked = fixture.dialogKit().callsOf(DialogCallKind::InputBox);
    ASSERT_GE(asked.size(), 2);
    EXPECT_EQ(asked[asked.size() - 2].texts.value(2), "7");
    EXPECT_EQ(asked.last().texts.value(2), "13");
    EXPECT_EQ(storedFields().mid(8), QStringList({"", "", "", "3"}))
        << "an empty answer keeps the intro; 0 takes the outro away";

    choose("mRecordList1");
    playFor(16);
    EXPECT_EQ(playing(), "02.mp3") << "no outro any more";
}

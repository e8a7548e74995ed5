#include "sessionfixture.h"

#include "../album/qstringprint.h"
#include "app/window/controlstrip.h"
#include "app/window/mainwindow.h"
#include "app/window/menutree.h"
#include "controls/slider.h"
#include "player/playersession.h"
#include "player/sleeptimer.h"
#include "shell/menu/actionitemarray.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

// An album of a 30-second record with chapters at 0, 10 and 20 s and a plain record after it.
class ChaptersWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        album = fixture.makeAlbum(
            "Book", {{"01 Book.mp3", "Book", 30, {0, 10, 20}}, {"02 After.mp3", "After", 5}});
        fixture.start();
        fixture.openFolder(album);
    }

    const MenuTree &menus() { return fixture.app().window().menus(); }
    QString statusLine() { return fixture.app().strip().statusLabel(0)->text(); }
    QString playing() { return fixture.player().url().section(u'\\', -1); }
    double position() { return fixture.player().currentPosition(); }
    void seek(double seconds)
    {
        fixture.player().setCurrentPosition(seconds);
        SessionFixture::drainEvents();
    }
    void choose(const QString &name)
    {
        QAction *action = fixture.item(name);
        ASSERT_TRUE(action->isEnabled()) << name.toStdString();
        action->trigger();
        SessionFixture::drainEvents();
    }

    SessionFixture fixture;
    QString album;
};

} // namespace

TEST_F(ChaptersWindowTest, TheRecordMenuListsChaptersUnderTheirRecordAndPlaysFromOne)
{
    const shell::ActionItemArray &items = *menus().recordList;
    ASSERT_EQ(items.count(), 5);
    EXPECT_TRUE(items.caption(0).startsWith("[00:00:30] 01 Book.mp3"));
    EXPECT_EQ(items.caption(1), "      [00:00:00] Part 1");
    EXPECT_EQ(items.caption(3), "      [00:00:20] Part 3");
    EXPECT_TRUE(items.caption(4).startsWith("[00:00:05] 02 After.mp3"));

    choose("mRecordList3");
    EXPECT_EQ(playing(), "01 Book.mp3");
    EXPECT_EQ(position(), 20.0);
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);
    EXPECT_EQ(statusLine(), "Chapter 3/3: Part 3");
    EXPECT_TRUE(fixture.item("mRecordList0")->isChecked());
    EXPECT_FALSE(fixture.item("mRecordList3")->isChecked());

    choose("mRecordList4");
    EXPECT_EQ(playing(), "02 After.mp3");
    EXPECT_TRUE(statusLine().startsWith("02 After.mp3 (#2 from 2)")) << statusLine().toStdString();
    EXPECT_TRUE(fixture.item("mRecordList4")->isChecked());
}

// Each row: where the listener stands (record item, seconds), the command, where it lands.
TEST_F(ChaptersWindowTest, NextAndPreviousGoByChapterThenByRecord)
{
    const struct {
        const char *record;
        double at;
        const char *command;
        const char *lands;
        double landsAt;
    } steps[] = {
        {"mRecordList0", 1, "mTrayNext", "01 Book.mp3", 10},
        {"mRecordList0", 25, "mTrayNext", "02 After.mp3", 0},
        {"mRecordList0", 14, "mTrayPrevious", "01 Book.mp3", 10},
        {"mRecordList0", 11.5, "mTrayPrevious", "01 Book.mp3", 0},
        {"mRecordList0", 2, "mTrayPrevious", "01 Book.mp3", 0},
        {"mRecordList4", 1, "mTrayPrevious", "01 Book.mp3", 20},
        {"mRecordList4", 4, "mTrayPrevious", "01 Book.mp3", 20},
    };
    for (const auto &step : steps) {
        choose(step.record);
        seek(step.at);
        choose(step.command);
        EXPECT_EQ(playing(), step.lands) << step.command << " from " << step.at;
        EXPECT_EQ(position(), step.landsAt) << step.command << " from " << step.at;
        EXPECT_EQ(fixture.player().playState(), PlayState::Playing);
    }
    choose("mRecordList4");
    EXPECT_FALSE(fixture.item("mTrayNext")->isEnabled()) << "nothing after the last record";
}

TEST_F(ChaptersWindowTest, TheStripShowsTheChaptersOfAOneRecordAlbum)
{
    Slider &boxes = *fixture.app().strip().boxStrip();
    EXPECT_EQ(boxes.count(), 2) << "one box per record while there are two";

    const QString single = fixture.makeAlbum("Single", {{"Book.mp3", "Book", 40, {0, 10, 20, 30}}});
    fixture.openFolder(single);
    EXPECT_EQ(boxes.count(), 4);
    seek(21);
    EXPECT_EQ(boxes.value(), 2);
    EXPECT_EQ(statusLine(), "Chapter 3/4: Part 3");
    EXPECT_EQ(fixture.app().strip().positionBox()->toolTip(),
              "Time position in current record\nChapter 3 of 4: 00:00:09 left");
}

TEST_F(ChaptersWindowTest, AMarkInsideChapterSevenReopensInChapterSeven)
{
    QList<int> starts;
    for (int chapter = 0; chapter < 10; ++chapter)
        starts.append(chapter * 3);
    const QString single = fixture.makeAlbum("Ten", {{"Ten.mp3", "Ten", 30, starts}});
    fixture.openFolder(single);
    choose("mRecordList7"); // chapter 7 starts at 18 s
    seek(19.4);
    fixture.player().pause();
    SessionFixture::drainEvents();
    fixture.exit();

    fixture.start();
    SessionFixture::drainEvents();
    EXPECT_EQ(playing(), "Ten.mp3");
    EXPECT_EQ(position(), 19.0);
    EXPECT_EQ(statusLine(), "Chapter 7/10: Part 7");
}

TEST_F(ChaptersWindowTest, ANewBookmarkIsOfferedTheChapterTitle)
{
    choose("mRecordList2");
    seek(12.3);
    fixture.dialogKit().queueInputBox(QString());
    choose("mBookmarkNew");
    const QList<DialogCall> asked = fixture.dialogKit().callsOf(DialogCallKind::InputBox);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].texts.value(2), "Part 2 - 00:00:12");
}

TEST_F(ChaptersWindowTest, EndOfChapterPausesAtTheNextChaptersStart)
{
    SleepTimer &timer = fixture.app().sleepTimer();
    qint64 now = 0;
    timer.setClock([&now] { return now; });
    choose("mRecordList2");
    seek(12);
    choose("mOptionSleepList7");
    EXPECT_EQ(timer.mode(), SleepTimer::Mode::EndOfChapter);
    EXPECT_EQ(timer.remainingMilliseconds(), 8000);

    fixture.player().advance(8.15);
    now += 8150;
    timer.tick();
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().playState(), PlayState::Paused);
    EXPECT_EQ(position(), 20.0);
    EXPECT_EQ(timer.mode(), SleepTimer::Mode::Off);

    // A seek into another chapter aims at that chapter's end; the last one ends with the record.
    fixture.player().play();
    choose("mOptionSleepList7");
    seek(3);
    EXPECT_EQ(timer.remainingMilliseconds(), 7000);
    seek(22);
    EXPECT_EQ(timer.remainingMilliseconds(), 8000);
    choose("mOptionSleepList0");

    // Without chapters it waits for the record's end, as End of Record does.
    choose("mRecordList4");
    choose("mOptionSleepList7");
    EXPECT_EQ(timer.remainingMilliseconds(), 5000);
    fixture.player().reachEnd();
    SessionFixture::drainEvents();
    EXPECT_EQ(timer.mode(), SleepTimer::Mode::Off);
}

TEST_F(ChaptersWindowTest, EndOfRecordEndsWithTheRecordInsideChaptersToo)
{
    SleepTimer &timer = fixture.app().sleepTimer();
    choose("mRecordList3");
    choose("mOptionSleepList6");
    EXPECT_EQ(timer.remainingMilliseconds(), 10000) << "the record's end, not the chapter's";
    fixture.player().reachEnd();
    SessionFixture::drainEvents();
    EXPECT_EQ(timer.mode(), SleepTimer::Mode::Off);
    EXPECT_EQ(playing(), "02 After.mp3") << "the next record waits at its start";
    EXPECT_FALSE(fixture.player().wantsToPlay());
}

TEST_F(ChaptersWindowTest, EachChaptersNameAndTimeLeftShowFromTheFirstChapterOn)
{
    const QString two =
        fixture.makeAlbum("Two", {{"A.mp3", "A", 20, {0, 10}}, {"B.mp3", "B", 20, {0, 5, 10}}});
    fixture.openFolder(two);
    choose("mRecordList0");
    seek(4);
    EXPECT_EQ(statusLine(), "Chapter 1/2: Part 1");
    EXPECT_EQ(fixture.app().strip().positionBox()->toolTip(),
              "Time position in current record\nChapter 1 of 2: 00:00:06 left");
    seek(12);
    choose("mTrayNext");
    EXPECT_EQ(playing(), "B.mp3");
    EXPECT_EQ(statusLine(), "Chapter 1/3: Part 1") << "another record's first chapter";
}

TEST_F(ChaptersWindowTest, ARecordThatCannotLoadTakesItsChaptersWithIt)
{
    const QString three = fixture.makeAlbum("Three", {{"01 Plain.mp3", "Plain", 5},
                                                      {"02 Book.mp3", "Book", 30, {0, 10, 20}},
                                                      {"03 After.mp3", "After", 5}});
    fixture.openFolder(three);
    fixture.player().setUnloadable(internal(three + "/02 Book.mp3"));
    fixture.item("mRecordList3")->trigger(); // its second chapter
    SessionFixture::drainEvents();
    for (int item = 1; item < 5; ++item)
        EXPECT_FALSE(fixture.item(QStringLiteral("mRecordList%1").arg(item))->isEnabled()) << item;
    EXPECT_TRUE(fixture.item("mRecordList0")->isEnabled());
    EXPECT_TRUE(fixture.item("mRecordList5")->isEnabled());
    EXPECT_EQ(playing(), "03 After.mp3");
    EXPECT_TRUE(fixture.player().wantsToPlay());
}

#include "../album/qstringprint.h"
#include "app/window/controlstrip.h"
#include "app/window/elapseddisplay.h"
#include "doubles/fakeplayer.h"
#include "player/playersession.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The display over a player session of three records of 60, 120 and 30 seconds, with no window
// around it; the saves it asks for are counted.
class ElapsedDisplayTest : public testing::Test {
protected:
    ElapsedDisplayTest()
    {
        session.setCaptureAndSave([this] { ++saves; });
        records.reset({{"\\a\\1.mp3|60", "1", true},
                       {"\\a\\2.mp3|120", "2", true},
                       {"\\a\\3.mp3|30", "3", true}});
        for (const auto &[path, seconds] :
             {std::pair{"\\a\\1.mp3", 60}, {"\\a\\2.mp3", 120}, {"\\a\\3.mp3", 30}})
            player.setDuration(path, seconds);
    }

    QString label(int index) const { return strip.statusLabel(index)->text(); }
    QLineEdit &box() const { return *strip.positionBox(); }

    // Record index loaded and paused at seconds.
    void standAt(RecordList::Index index, double seconds)
    {
        session.selectRecord(index);
        drain();
        player.pause();
        drain();
        player.setCurrentPosition(seconds);
    }

    static void drain()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    ControlStrip strip{nullptr, nullptr};
    FakePlayer player;
    RecordList records;
    PlayerSession session{player, records};
    int saves = 0;
    ElapsedDisplay display{strip, session};
};

} // namespace

TEST_F(ElapsedDisplayTest, ShowsTheAlbumsElapsedAndRemainingTime)
{
    standAt(1, 10);
    EXPECT_EQ(label(1), "00:01:10");
    EXPECT_EQ(label(2), "00:02:20");
    EXPECT_EQ(box().displayText(), "00:00:10");
    EXPECT_EQ(display.acceptedPosition(), "00:00:10");
    EXPECT_EQ(session.heldPosition(), "10");
}

TEST_F(ElapsedDisplayTest, RemainingTimeIsEmptyOnceTheTotalIsReached)
{
    records.reset({{"\\a\\1.mp3|0", "1", true}, {"\\a\\2.mp3|", "2", false}});
    player.setDuration("\\a\\1.mp3", 50);
    standAt(0, 20);
    EXPECT_EQ(label(1), "00:00:20");
    EXPECT_EQ(label(2), "");
}

TEST_F(ElapsedDisplayTest, PositionsRoundHalvesToEven)
{
    standAt(0, 2.5);
    EXPECT_EQ(box().displayText(), "00:00:02");
    player.setCurrentPosition(3.5);
    EXPECT_EQ(box().displayText(), "00:00:04");
    EXPECT_EQ(session.heldPosition(), "4");
}

TEST_F(ElapsedDisplayTest, TheTimerRunsExactlyWhilePlaying)
{
    session.selectRecord(0);
    drain();
    EXPECT_TRUE(display.timer().isActive());
    EXPECT_EQ(display.timer().interval(), 1000);
    EXPECT_EQ(display.timer().objectName(), "toElapsed");
    player.pause();
    drain();
    EXPECT_FALSE(display.timer().isActive());
}

TEST_F(ElapsedDisplayTest, APauseBetweenTicksShowsTheSecondItStores)
{
    session.selectRecord(1);
    drain();
    player.advance(53);
    display.tick();
    player.advance(0.7);
    player.pause();
    drain();
    EXPECT_EQ(box().displayText(), "00:00:54");
    EXPECT_EQ(label(1), "00:01:54");
    EXPECT_EQ(session.heldPosition(), "54");
}

TEST_F(ElapsedDisplayTest, EverySixtiethTickSavesTheAlbum)
{
    standAt(0, 0);
    const int before = saves;
    int ticks = 0;
    while (saves == before && ticks < 60) {
        display.tick();
        ++ticks;
    }
    EXPECT_EQ(saves, before + 1);
    for (int i = 0; i < 59; ++i)
        display.tick();
    EXPECT_EQ(saves, before + 1);
    display.tick();
    EXPECT_EQ(saves, before + 2);
}

TEST_F(ElapsedDisplayTest, ATimeTypedWhilePausedSeeksWhenItFitsTheRecord)
{
    records.reset({{"\\a\\1.mp3|50", "1", true}});
    player.setDuration("\\a\\1.mp3", 50);
    standAt(0, 5);
    box().setText("00:01:00");
    EXPECT_EQ(box().displayText(), "00:00:05");
    EXPECT_EQ(player.currentPosition(), 5.0);
    box().setText("00:00:40");
    EXPECT_EQ(player.currentPosition(), 40.0);
    EXPECT_EQ(box().displayText(), "00:00:40");
    EXPECT_EQ(display.acceptedPosition(), "00:00:40");
    EXPECT_EQ(label(1), "00:00:40");
}

TEST_F(ElapsedDisplayTest, SixtyInTheMinutesOrSecondsPlaceIsRefused)
{
    standAt(1, 5);
    box().setText("00:00:60");
    EXPECT_EQ(box().displayText(), "00:00:05");
    box().setText("00:60:00");
    EXPECT_EQ(box().displayText(), "00:00:05");
    EXPECT_EQ(player.currentPosition(), 5.0);
}

TEST_F(ElapsedDisplayTest, EachTypedDigitSeeksOnItsOwn)
{
    standAt(1, 0);
    box().setCursorPosition(4);
    QTest::keyClicks(&box(), "13");
    EXPECT_EQ(box().displayText(), "00:01:30");
    EXPECT_EQ(player.currentPosition(), 90.0);
    box().setCursorPosition(3);
    QTest::keyClicks(&box(), "5");
    EXPECT_EQ(box().displayText(), "00:01:30");
    EXPECT_EQ(player.currentPosition(), 90.0);
}

TEST_F(ElapsedDisplayTest, NothingTypedIsTakenWhilePlaying)
{
    session.selectRecord(1);
    drain();
    player.advance(3);
    display.tick();
    box().setText("00:00:40");
    EXPECT_EQ(box().displayText(), "00:00:03");
    EXPECT_EQ(player.currentPosition(), 3.0);
}

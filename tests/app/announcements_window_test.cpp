#include "sessionfixture.h"

#include "app/window/mainwindow.h"
#include "player/sleeptimer.h"

#include <QMenu>
#include <gtest/gtest.h>

namespace {

// What a screen reader is told unasked, over an album of three records of 2, 3 and 4 seconds.
class AnnouncementsWindowTest : public testing::Test {
protected:
    void SetUp() override { fixture.startWithThreeTrackAlbum("Tale"); }

    QWidget *notice()
    {
        return fixture.app().window().findChild<QWidget *>(QStringLiteral("announcement"));
    }
    std::string announced() { return notice()->accessibleName().toStdString(); }
    void choose(const QString &name)
    {
        fixture.item(name)->trigger();
        SessionFixture::drainEvents();
    }

    SessionFixture fixture;
};

} // namespace

TEST_F(AnnouncementsWindowTest, ANewRecordIsAnnouncedOnceByItsBoxsName)
{
    ASSERT_NE(notice(), nullptr);
    EXPECT_EQ(announced().rfind("Record 1 of 3", 0), 0u) << announced();
    EXPECT_FALSE(notice()->isHidden());

    choose("mRecordList2");
    EXPECT_EQ(announced().rfind("Record 3 of 3", 0), 0u) << announced();
    EXPECT_EQ(notice()->size(), QSize(0, 0));
}

TEST_F(AnnouncementsWindowTest, BookmarkJumpsSayTheTitleAndTimeAndTheWayBackItsTime)
{
    choose("mRecordList1");
    fixture.player().setCurrentPosition(2);
    fixture.dialogKit().queueInputBox(QStringLiteral("Dragon"));
    choose("mBookmarkNew");
    EXPECT_EQ(announced(), "Bookmark Dragon, 00:00:02");

    choose("mRecordList0");
    fixture.player().setCurrentPosition(1);
    QMenu *menu = fixture.app().window().menus().bookmark;
    menu->popup(QPoint(10, 10));
    SessionFixture::drainEvents();
    menu->hide();
    choose("mBookmarkList0");
    EXPECT_EQ(announced(), "Bookmark Dragon, 00:00:02");
    choose("mBookmarkLast");
    EXPECT_EQ(announced(), "Back to 00:00:01");
}

TEST_F(AnnouncementsWindowTest, TheSleepTimersLastMinuteIsAnnouncedOncePerCountdown)
{
    SleepTimer &timer = fixture.app().sleepTimer();
    qint64 now = 0;
    timer.setClock([&now] { return now; });
    choose("mOptionSleepList2"); // 30 minutes
    const std::string before = announced();

    now += 29 * 60000 - 1;
    timer.tick();
    EXPECT_EQ(announced(), before);
    now += 1;
    timer.tick();
    EXPECT_EQ(announced(), "Sleep timer: one minute left");

    choose("mRecordList1");
    now += 1000;
    timer.tick();
    EXPECT_EQ(announced().rfind("Record 2 of 3", 0), 0u) << announced();

    // Chosen anew, the countdown says its last minute again.
    choose("mOptionSleepList2");
    now += 29 * 60000 + 5000;
    timer.tick();
    EXPECT_EQ(announced(), "Sleep timer: one minute left");
}

#include "sessionfixture.h"

#include "app/menus/historymenu.h"
#include "app/window/historywindow.h"
#include "app/window/mainwindow.h"
#include "history/historyfile.h"
#include "history/historypath.h"

#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// The history kept of a profile's listening: two albums of two 20-second records, on clocks of
// the test's.
class HistoryWindowSessionTest : public testing::Test {
protected:
    void SetUp() override
    {
        other = fixture.makeAlbum("Other", {{"01.mp3", "O1", 20}, {"02.mp3", "O2", 20}});
        book = fixture.makeAlbum("Book", {{"01.mp3", "B1", 20}, {"02.mp3", "B2", 20}});
        fixture.start();
        fixture.openFolder(other);
        fixture.openFolder(book);
        fixture.player().pause();
        recorder().setClocks([this] { return wall; }, [this] { return steady; });
        SessionFixture::drainEvents();
    }

    history::HistoryRecorder &recorder()
    {
        return fixture.app().findChild<HistoryMenu *>()->recorder();
    }
    QList<history::ListeningSession> written()
    {
        return history::HistoryFile(history::historyFilePath(fixture.settingsFile(), "Default"))
            .read();
    }
    void choose(const QString &name)
    {
        fixture.item(name)->trigger();
        SessionFixture::drainEvents();
    }
    void listen(double seconds)
    {
        fixture.player().advance(seconds);
        wall += qint64(seconds * 1000);
        steady += qint64(seconds * 1000);
        SessionFixture::drainEvents();
    }
    QString fileOf(const QString &record) { return record.section(u'\\', -1); }

    SessionFixture fixture;
    QString other;
    QString book;
    qint64 wall = 1'700'000'000'000;
    qint64 steady = 0;
};

} // namespace

TEST_F(HistoryWindowSessionTest, APauseAnotherRecordAndTheExitEachEndASession)
{
    choose("mRecordList0");
    listen(5);
    fixture.player().pause();
    SessionFixture::drainEvents();
    ASSERT_EQ(written().size(), 1);
    EXPECT_EQ(fileOf(written()[0].record), "01.mp3");
    EXPECT_EQ(written()[0].fromSeconds, 0.0);
    EXPECT_EQ(written()[0].toSeconds, 5.0);
    EXPECT_EQ(written()[0].lengthMs, 5000);

    fixture.player().play();
    SessionFixture::drainEvents();
    listen(3);
    choose("mRecordList1");
    listen(4);
    fixture.exit();
    const QList<history::ListeningSession> sessions = written();
    ASSERT_EQ(sessions.size(), 3);
    // Newest first.
    EXPECT_EQ(fileOf(sessions[0].record), "02.mp3");
    EXPECT_EQ(sessions[0].lengthMs, 4000);
    EXPECT_EQ(fileOf(sessions[1].record), "01.mp3");
    EXPECT_EQ(sessions[1].fromSeconds, 5.0);
    EXPECT_EQ(sessions[1].toSeconds, 8.0);
    EXPECT_EQ(sessions[1].album, sessions[2].album);
}

TEST_F(HistoryWindowSessionTest, GoThereActivatesTheSessionsAlbumAndPlaysFromWhereItBegan)
{
    choose("mFileList1"); // the other album
    choose("mRecordList1");
    fixture.player().pause();
    fixture.player().setCurrentPosition(6);
    fixture.player().play();
    SessionFixture::drainEvents();
    listen(4);
    choose("mFileList1"); // back to the book
    ASSERT_EQ(written().size(), 1);

    choose("mViewHistory");
    auto *window = fixture.app().window().findChild<HistoryWindow *>("fwHistory");
    ASSERT_NE(window, nullptr);
    auto *list = window->findChild<QTreeWidget *>();
    ASSERT_NE(list, nullptr);
    list->setCurrentItem(list->topLevelItem(0));
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (button->text().remove(u'&') == "Go There")
            button->click();
    }
    SessionFixture::drainEvents();
    EXPECT_TRUE(fixture.player().url().endsWith("Other\\02.mp3"))
        << fixture.player().url().toStdString();
    EXPECT_EQ(fixture.player().currentPosition(), 6.0);
}

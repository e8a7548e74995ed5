#include "sessionfixture.h"

#include "album/albumentry.h"
#include "app/program/commandline.h"
#include "app/window/mainwindow.h"
#include "shell/tray/systemtrayicon.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TrayTest : public testing::Test {
protected:
    void SetUp() override
    {
        fixture.start();
        tray().setTrayAvailability([this] { return trayPresent; });
        window().setWindowTitle("Sonnalby - " + QString(80, 'x'));
        window().show();
    }

    MainWindow &window() { return fixture.app().window(); }
    shell::SystemTrayIcon &tray() { return *window().findChild<shell::SystemTrayIcon *>(); }
    QAction *item(const char *name) { return fixture.item(QString::fromLatin1(name)); }

    void minimise()
    {
        window().showMinimized();
        SessionFixture::drainEvents();
    }

    // The Play/Pause entry as the tray menu shows it when opened.
    QAction *openedPlayEntry()
    {
        window().menus().tray->popup(QPoint(10, 10));
        SessionFixture::drainEvents();
        window().menus().tray->hide();
        return item("mTrayPlay");
    }

    static bool showsPicture(const QAction *action, QStyle::StandardPixmap picture)
    {
        const QIcon expected = QApplication::style()->standardIcon(picture);
        return action->icon().pixmap(16).toImage() == expected.pixmap(16).toImage();
    }

    SessionFixture fixture;
    bool trayPresent = true;
};

} // namespace

TEST_F(TrayTest, PlayPauseFollowsThePlayersState)
{
    EXPECT_EQ(openedPlayEntry()->text(), "&Play/Pause") << "nothing loaded";
    EXPECT_FALSE(item("mTrayPlay")->isEnabled());

    fixture.openFolder(fixture.makeThreeTrackAlbum("Tale"));
    fixture.player().pause();
    SessionFixture::drainEvents();
    ASSERT_EQ(fixture.player().playState(), PlayState::Paused);
    QAction *play = openedPlayEntry();
    EXPECT_EQ(play->text(), "&Play");
    EXPECT_TRUE(play->isEnabled());
    EXPECT_TRUE(showsPicture(play, QStyle::SP_MediaPlay));

    play->trigger();
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);
    EXPECT_EQ(openedPlayEntry()->text(), "&Pause");
    EXPECT_TRUE(showsPicture(play, QStyle::SP_MediaPause));

    play->trigger();
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().playState(), PlayState::Paused);

    fixture.player().close();
    SessionFixture::drainEvents();
    ASSERT_EQ(fixture.player().playState(), PlayState::Stopped);
    EXPECT_EQ(openedPlayEntry()->text(), "&Play");
}

TEST_F(TrayTest, MinimisingHidesTheWindowInTheTrayAndDoubleClickRestores)
{
    ASSERT_EQ(window().trayIcon(), &tray());
    minimise();
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(tray().isPresent());
    EXPECT_TRUE(window().menus().tray->menuAction()->isEnabled());
    EXPECT_EQ(tray().toolTip(), window().windowTitle().left(63));

    emit tray().icon().activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().isMinimized());
    EXPECT_FALSE(tray().isPresent());
    EXPECT_FALSE(window().menus().tray->menuAction()->isEnabled());
}

TEST_F(TrayTest, NoHidingWithTheOptionOffOrWithoutATray)
{
    item("mOptionSysTray")->trigger();
    minimise();
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(tray().isPresent());

    window().showNormal();
    item("mOptionSysTray")->trigger();
    trayPresent = false;
    minimise();
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(tray().isPresent());
}

TEST_F(TrayTest, RestoreFromTheMenuAndTheHandOver)
{
    minimise();
    item("mTrayRestore")->trigger();
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(tray().isPresent());

    fixture.app().receiveCommand("/i");

    SessionFixture::drainEvents();
    EXPECT_FALSE(tray().isPresent()) << "a shown window needs no icon";
    minimise();
    fixture.app().receiveCommand("/i");
    SessionFixture::drainEvents();
    EXPECT_TRUE(tray().isPresent());
    EXPECT_FALSE(window().isVisible());

    trayPresent = false;
    fixture.app().receiveCommand("/i");
    SessionFixture::drainEvents();
    EXPECT_TRUE(window().isVisible()) << "with no tray the window is the only way back";
    EXPECT_FALSE(tray().isPresent());
}

// "Open with" on a book while the window hides behind the icon: the book is what the listener
// wants to see, so the window comes back with it.
TEST_F(TrayTest, AHandedOverPathComesBackFromTheTrayOpenedAndActive)
{
    const QString album = fixture.makeThreeTrackAlbum("Tale");
    minimise();
    ASSERT_FALSE(window().isVisible());
    for (int start = 0; start < 2; ++start)
        fixture.app().receiveCommand(handOverCommand(internal(album)));
    SessionFixture::drainEvents();
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().isMinimized());
    EXPECT_FALSE(tray().isPresent());
    EXPECT_EQ(window().windowTitle(), "Sonnalby - " + album + "/index.wpl");
    EXPECT_EQ(fixture.player().url(), internal(album + "/01.mp3"));
    EXPECT_EQ(fixture.albumLines().size(), 1);
}

TEST_F(TrayTest, ExitSavesAsFileExitDoesAndRemovesTheIcon)
{
    fixture.openFolder(fixture.makeThreeTrackAlbum("Tale"));
    item("mRecordList1")->trigger();
    SessionFixture::drainEvents();
    fixture.player().advance(1.2);
    minimise();
    QSignalSpy closing(&window(), &MainWindow::closing);
    item("mTrayExit")->trigger();
    EXPECT_EQ(closing.count(), 1);
    EXPECT_FALSE(tray().isPresent());
    EXPECT_TRUE(
        album::AlbumEntry::fromText(fixture.albumLines().value(0)).marks.startsWith("02.mp3/1/"));
}

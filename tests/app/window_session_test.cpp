#include "faketray.h"
#include "sessionfixture.h"

#include "../album/qstringprint.h"
#include "album/albumentry.h"
#include "album/albumsession.h"
#include "app/program/commandline.h"
#include "app/window/controlstrip.h"
#include "app/window/elapseddisplay.h"
#include "app/window/mainwindow.h"
#include "app/menus/options.h"
#include "controls/slider.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/signals.h"
#include "player/playersession.h"
#include "settings/settingsstore.h"
#include "shell/menu/actionitemarray.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>
#include <QWidgetAction>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace {

class WindowSessionTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::setAnsiCodePage(1252);
        platform::setTitleCodePage(1252);
    }
    void TearDown() override
    {
        platform::setAnsiCodePage(0);
        platform::setTitleCodePage(0);
    }

    MainWindow &window() { return fixture.app().window(); }
    const MenuTree &menus() { return window().menus(); }
    ControlStrip &strip() { return fixture.app().strip(); }
    QString label(int index) { return strip().statusLabel(index)->text(); }

    album::AlbumEntry albumLine(int index)
    {
        return album::AlbumEntry::fromText(fixture.albumLines().value(index));
    }

    // Shows the menu as the listener opens it, then closes it again.
    static void openAndClose(QMenu *menu)
    {
        menu->popup(QPoint(10, 10));
        SessionFixture::drainEvents();
        menu->hide();
        SessionFixture::drainEvents();
    }

    SessionFixture fixture;
};

} // namespace

TEST_F(WindowSessionTest, OpeningAFolderCreatesAndActivatesTheAlbumAndPlaysItsFirstRecord)
{
    const QString album = fixture.startWithThreeTrackAlbum("Tale");
    const QString playlist = album + QStringLiteral("/index.wpl");

    const shell::ActionItemArray &albums = *menus().fileList;
    EXPECT_TRUE(albums.isVisible(0));
    EXPECT_TRUE(albums.isChecked(0));
    EXPECT_TRUE(albums.caption(0).contains(playlist));

    const shell::ActionItemArray &records = *menus().recordList;
    ASSERT_EQ(records.count(), 3);
    EXPECT_EQ(records.caption(0), "[00:00:02] 01.mp3\t= One");
    EXPECT_EQ(records.caption(1), "[00:00:03] 02.mp3\t= Two");
    EXPECT_EQ(records.caption(2), "[00:00:04] 03.mp3\t= Three");
    EXPECT_TRUE(records.isChecked(0));
    EXPECT_TRUE(menus().record->menuAction()->isEnabled());
    EXPECT_TRUE(menus().bookmark->menuAction()->isEnabled());

    EXPECT_EQ(window().windowTitle(), "Sonnalby - " + playlist);
    EXPECT_EQ(fixture.player().url(), internal(album + "/01.mp3"));
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);
    EXPECT_TRUE(fixture.app().elapsedDisplay().timer().isActive());
    EXPECT_EQ(strip().boxStrip()->count(), 3);
    EXPECT_EQ(strip().boxStrip()->value(), 0);
    EXPECT_EQ(label(0), "01.mp3 (#1 from 3)");
    EXPECT_EQ(label(1), "00:00:00");
    EXPECT_EQ(label(2), "00:00:09");

    ASSERT_EQ(fixture.albumLines().size(), 1);
    const album::AlbumEntry entry = fixture.app().albumSession().albums().entry(0);
    EXPECT_EQ(entry.records, "3");
    EXPECT_EQ(entry.duration, "9");
}

TEST_F(WindowSessionTest, ChoosingARecordPlaysItAndTheEndOfEachPlaysTheNext)
{
    const QString album = fixture.startWithThreeTrackAlbum("Tale");
    fixture.item("mRecordList1")->trigger();
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().url(), internal(album + "/02.mp3"));
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);
    EXPECT_TRUE(fixture.app().elapsedDisplay().timer().isActive());
    EXPECT_TRUE(menus().recordList->isChecked(1));
    EXPECT_FALSE(menus().recordList->isChecked(0));
    EXPECT_EQ(strip().boxStrip()->value(), 1);
    EXPECT_EQ(label(0), "02.mp3 (#2 from 3)");

    fixture.player().reachEnd();
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().url(), internal(album + "/03.mp3"));
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);
    EXPECT_TRUE(menus().recordList->isChecked(2));
    EXPECT_EQ(strip().boxStrip()->value(), 2);
    EXPECT_EQ(label(0), "03.mp3 (#3 from 3)");

    fixture.player().reachEnd();
    SessionFixture::drainEvents();
    EXPECT_EQ(fixture.player().url(), internal(album + "/03.mp3"));
    EXPECT_NE(fixture.player().playState(), PlayState::Playing);
    EXPECT_FALSE(fixture.app().elapsedDisplay().timer().isActive());
}

TEST_F(WindowSessionTest, ExitSavesTheAlbumAndTheNextStartStandsAtTheResumeMark)
{
    const QString album = fixture.startWithThreeTrackAlbum("Tale");
    fixture.player().setVolume(70);
    fixture.item("mRecordList1")->trigger();
    SessionFixture::drainEvents();
    fixture.player().advance(1.6);
    fixture.exit();

    const album::AlbumEntry saved = albumLine(0);
    EXPECT_FALSE(saved.access.isEmpty());
    EXPECT_EQ(saved.records, "3");
    EXPECT_EQ(saved.duration, "9");
    EXPECT_EQ(saved.volume, "70");
    EXPECT_EQ(saved.marks.section(u'|', 0, 0), "02.mp3/2/");

    fixture.start();
    EXPECT_EQ(fixture.player().url(), internal(album + "/02.mp3"));
    EXPECT_EQ(fixture.player().currentPosition(), 2.0);
    EXPECT_EQ(fixture.player().volume(), 70);
    EXPECT_NE(fixture.player().playState(), PlayState::Playing);
    EXPECT_TRUE(menus().recordList->isChecked(1));
    EXPECT_TRUE(menus().fileList->isChecked(0));
    EXPECT_EQ(strip().positionBox()->displayText(), "00:00:02");
    EXPECT_EQ(label(1), "00:00:04");
    EXPECT_EQ(label(2), "00:00:05");
}

TEST_F(WindowSessionTest, TheCommandLineAlbumIsPositionedAtStartButNotPlayed)
{
    const QString album = fixture.makeThreeTrackAlbum("Given");
    fixture.start(internal(album));
    EXPECT_TRUE(menus().fileList->isChecked(0));
    EXPECT_EQ(menus().recordList->count(), 3);
    EXPECT_TRUE(menus().recordList->isChecked(0));
    EXPECT_EQ(window().windowTitle(), "Sonnalby - " + album + "/index.wpl");
    EXPECT_EQ(fixture.player().url(), internal(album + "/01.mp3"));
    EXPECT_NE(fixture.player().playState(), PlayState::Playing);
    EXPECT_FALSE(fixture.app().elapsedDisplay().timer().isActive());
    EXPECT_EQ(label(0), "01.mp3 (#1 from 3)");
    EXPECT_EQ(label(2), "00:00:09");
    // Only the load's own tick counts, as for a chosen record; the display's first tick does not.
    EXPECT_EQ(fixture.app().playerSession().recordSeconds(), 1);

    fixture.exit();
    ASSERT_EQ(fixture.albumLines().size(), 1);
    EXPECT_EQ(albumLine(0).records, "3");
    EXPECT_EQ(albumLine(0).marks.section(u'|', 0, 0), "01.mp3/0/");
}

TEST_F(WindowSessionTest, ACommandLineNameTheFilesCannotCarryIsRefused)
{
    const QString album = fixture.makeThreeTrackAlbum("a\\b");
    fixture.start(commandLinePath({"sonnalby", album}, fixture.folder()));
    const QList<DialogCall> messages = fixture.dialogKit().callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].texts.value(0).startsWith("Undecipherable file name:"));
    EXPECT_TRUE(fixture.app().albumSession().albums().isEmpty());
    EXPECT_FALSE(menus().record->menuAction()->isEnabled());
}

TEST_F(WindowSessionTest, ClosingTheWindowAndAnEndRequestSaveAsExitDoes)
{
    // Ctrl+C in a terminal too.
    for (const int request : {SIGTERM, SIGHUP, SIGINT}) {
        fixture.startWithThreeTrackAlbum("Tale");
        platform::watchEndRequests(&window(), [this] { window().endProgram(); });
        fixture.item("mRecordList2")->trigger();
        SessionFixture::drainEvents();
        fixture.player().advance(3);
        std::raise(request);
        EXPECT_TRUE(QTest::qWaitFor([this] { return albumLine(0).marks.startsWith("03.mp3/3/"); }))
            << request;
        EXPECT_FALSE(window().isVisible()) << request;
        settings::writeSectionLines(fixture.settingsFile(), "Default\\mFileList", "");
    }
    fixture.startWithThreeTrackAlbum("Tale");
    fixture.item("mRecordList2")->trigger();
    SessionFixture::drainEvents();

    fixture.player().setCurrentPosition(1);
    fixture.item("mOptionMinimize")->trigger();
    window().close();
    EXPECT_TRUE(albumLine(0).marks.startsWith("03.mp3/1/"));
}

// A session save (or a logout that is then cancelled) saves and leaves the program as it was:
// the window in the tray keeps its icon.
TEST_F(WindowSessionTest, ASessionSaveRequestOnlySaves)
{
    FakeTray tray;
    fixture.startWithThreeTrackAlbum("Tale");
    window().setTrayIcon(&tray);
    fixture.item("mRecordList1")->trigger();
    SessionFixture::drainEvents();
    fixture.player().advance(2);
    window().show();
    window().windowHandle()->close();
    ASSERT_TRUE(window().isHidden());
    ASSERT_TRUE(tray.present);

    fixture.app().saveSession();
    EXPECT_TRUE(albumLine(0).marks.startsWith("02.mp3/2/"));
    EXPECT_TRUE(tray.present);
    EXPECT_EQ(tray.calls, QStringList{"add"});
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);
}

// Only the temporary files of its own writes are ever cleaned up.
TEST_F(WindowSessionTest, TheUsersBackupsOfTheSettingsFileSurviveStarts)
{
    const QString settings = platform::toNativePath(fixture.settingsFile());
    const QStringList backups = {".backup", ".Backup", ".202412", ".bak001", ".saved1"};
    for (const QString &suffix : backups) {
        QFile backup(settings + suffix);
        ASSERT_TRUE(backup.open(QIODevice::WriteOnly));
        backup.write("[Scheme]\r\n");
    }
    for (int start = 0; start < 10; ++start) {
        fixture.start();
        fixture.exit();
    }
    for (const QString &suffix : backups)
        EXPECT_TRUE(QFile::exists(settings + suffix)) << suffix.toStdString();
}

TEST_F(WindowSessionTest, AltXEndsTheProgram)
{
    fixture.startWithThreeTrackAlbum("Tale");
    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QSignalSpy closing(&window(), &MainWindow::closing);
    QTest::keyClick(&window(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(closing.count(), 1);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(WindowSessionTest, TheFirstStartWritesTheSchemeLegendFirst)
{
    fixture.start();
    EXPECT_TRUE(fixture.settingsBytes().startsWith("[Scheme]\r\n<Path>=<Access>=<Title>=<Codepage>="
                                                   "<Records>=<Duration>=<Volume>=<Marks>=<Speed>"
                                                   "\r\n<Marks>:=<Path>/<Time>/<Title>|...\r\n"));
    EXPECT_FALSE(menus().record->menuAction()->isEnabled());
    EXPECT_FALSE(menus().bookmark->menuAction()->isEnabled());
    EXPECT_FALSE(menus().fileList->isVisible(0));
    EXPECT_EQ(window().windowTitle(), "Sonnalby");
    EXPECT_EQ(strip().positionBox()->displayText(), "00:00:00");
}

TEST_F(WindowSessionTest, TheEncodingMenuFollowsTheAlbumAndReadsTitlesAgain)
{
    const QString album = fixture.makeAlbum(
        "Cyrillic", {{"01.mp3", QByteArray("\xCA\xED\xE8\xE3\xE0"), 2}, {"02.mp3", "Two", 2}});
    fixture.start();
    fixture.openFolder(album);
    const shell::ActionItemArray &encodings = *menus().viewEncodingList;
    ASSERT_EQ(encodings.count(), 17);
    EXPECT_EQ(encodings.caption(0), "Unicode (UTF-16 LE)");
    EXPECT_EQ(encodings.tag(0), "1200");
    EXPECT_EQ(encodings.caption(1), "Unicode (UTF-8)");
    EXPECT_EQ(encodings.tag(1), "65001");
    EXPECT_EQ(encodings.caption(2), "-");
    EXPECT_EQ(encodings.caption(9), "Cyrillic (Windows)");
    EXPECT_EQ(encodings.tag(9), "1251");
    // The folder's playlist is read in the title code page.
    EXPECT_TRUE(encodings.isChecked(10));
    EXPECT_EQ(menus().recordList->caption(0), QString::fromUtf8("[00:00:02] 01.mp3\t= Êíèãà"));

    QSignalSpy resets(&fixture.app().records(), &RecordList::recordsReset);
    fixture.item("mViewEncodingList9")->trigger();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_TRUE(encodings.isChecked(9));
    EXPECT_FALSE(encodings.isChecked(10));
    EXPECT_EQ(menus().recordList->caption(0), QString::fromUtf8("[00:00:02] 01.mp3\t= Книга"));
    EXPECT_EQ(albumLine(0).codepage, "1251");
    EXPECT_TRUE(menus().recordList->isChecked(0));
}

TEST_F(WindowSessionTest, ChoosingTheCheckedEncodingDoesNothing)
{
    fixture.start();
    fixture.openFolder(fixture.makeThreeTrackAlbum("Tale"));
    const QByteArray before = fixture.settingsBytes();
    QSignalSpy resets(&fixture.app().records(), &RecordList::recordsReset);
    fixture.item("mViewEncodingList10")->trigger();
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(fixture.settingsBytes(), before);
    EXPECT_TRUE(menus().viewEncodingList->isChecked(10));
}

TEST_F(WindowSessionTest, AnAlbumInUnicodeOrAnUnlistedCodePageIsCheckedAccordingly)
{
    fixture.startWithThreeTrackAlbum("Tale");
    fixture.item("mViewEncodingList0")->trigger();
    fixture.exit();
    fixture.start();
    EXPECT_EQ(shell::checkedMenuItemIndex(*menus().viewEncodingList), 0);

    fixture.item("mViewEncodingList1")->trigger();
    fixture.exit();
    fixture.start();
    EXPECT_EQ(shell::checkedMenuItemIndex(*menus().viewEncodingList), 1);
    EXPECT_EQ(albumLine(0).codepage, "65001");

    QString line = fixture.albumLines().value(0);
    line.replace("=65001=", "=437=");
    settings::writeSectionLines(fixture.settingsFile(), "Default\\mFileList", line);
    fixture.start();
    EXPECT_EQ(shell::checkedMenuItemIndex(*menus().viewEncodingList), -1);
    fixture.item("mViewEncodingList8")->trigger();
    EXPECT_EQ(shell::checkedMenuItemIndex(*menus().viewEncodingList), 8);
    EXPECT_EQ(albumLine(0).codepage, "1250");
}

TEST_F(WindowSessionTest, FileMenuCommandsAreOfferedAsTheAlbumListAllows)
{
    fixture.start();
    QMenu *file = menus().file;
    openAndClose(file);
    for (const char *name : {"mFileRename", "mFilePlaylist", "mFileEditor", "mFileNonFound"})
        EXPECT_FALSE(fixture.item(name)->isEnabled()) << name;

    const QString gone = fixture.makeThreeTrackAlbum("Gone");
    fixture.openFolder(gone);
    fixture.openFolder(fixture.makeThreeTrackAlbum("Kept"));
    openAndClose(file);
    EXPECT_TRUE(fixture.item("mFileRename")->isEnabled());
    EXPECT_TRUE(fixture.item("mFilePlaylist")->isEnabled());
    EXPECT_FALSE(fixture.item("mFileEditor")->isEnabled());
    EXPECT_FALSE(fixture.item("mFileNonFound")->isEnabled());

    fixture.app().options().setEditor(Options::TextEditor, "\\usr\\bin\\editor");
    QFile::remove(gone + "/index.wpl");
    openAndClose(file);
    EXPECT_TRUE(fixture.item("mFileEditor")->isEnabled());
    EXPECT_TRUE(fixture.item("mFileNonFound")->isEnabled());
}

TEST_F(WindowSessionTest, AlbumItemsActivateAndRemoveThroughTheFileMenu)
{
    fixture.start();
    const QString first = fixture.makeThreeTrackAlbum("First");
    const QString second = fixture.makeThreeTrackAlbum("Second");
    fixture.openFolder(first);
    fixture.openFolder(second);
    const shell::ActionItemArray &albums = *menus().fileList;
    ASSERT_EQ(albums.count(), 2);
    EXPECT_TRUE(albums.caption(0).contains(second));
    EXPECT_TRUE(albums.isChecked(0));

    fixture.item("mFileList1")->trigger();
    EXPECT_TRUE(albums.caption(0).contains(first));
    EXPECT_TRUE(albums.caption(1).contains(second));
    EXPECT_EQ(fixture.player().url(), internal(first + "/01.mp3"));
    EXPECT_EQ(menus().fileRemoveList->count(), 2);

    fixture.item("mFileRemoveList0")->trigger();
    ASSERT_EQ(albums.count(), 1);
    EXPECT_TRUE(albums.caption(0).contains(second));
    EXPECT_TRUE(albums.isChecked(0));

    fixture.item("mFileRemoveList0")->trigger();
    EXPECT_FALSE(albums.isVisible(0));
    EXPECT_FALSE(albums.isChecked(0));
    EXPECT_TRUE(fixture.albumLines().isEmpty());
    EXPECT_FALSE(menus().record->menuAction()->isEnabled());
    EXPECT_FALSE(menus().recordList->isVisible(0));
    EXPECT_EQ(window().windowTitle(), "Sonnalby");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(label(i).isEmpty()) << i;
    EXPECT_EQ(strip().statusLabel(0)->toolTip(), "Current media file");
}

TEST_F(WindowSessionTest, AMediaCaptionTooWideForItsLabelShowsItselfAsTooltip)
{
    const QString longName = QString(60, u'n') + ".mp3";
    fixture.start();
    fixture.openFolder(fixture.makeAlbum("Names", {{"a.mp3", "", 2}, {longName, "", 2}}));
    EXPECT_EQ(strip().statusLabel(0)->toolTip(), "Current media file");
    fixture.item("mRecordList1")->trigger();
    fixture.drainEvents();
    EXPECT_EQ(label(0), longName + " (#2 from 2)");
    EXPECT_EQ(strip().statusLabel(0)->toolTip(), label(0));
}

TEST_F(WindowSessionTest, RecordCaptionsKeepALiteralAmpersand)
{
    fixture.start();
    fixture.openFolder(fixture.makeAlbum("Songs", {{"A & B.mp3", "Rock & Roll", 2}}));
    const shell::ActionItemArray &records = *menus().recordList;
    EXPECT_EQ(records.caption(0), "[00:00:02] A & B.mp3\t= Rock & Roll");
    EXPECT_EQ(records.action(0)->text(), "[00:00:02] A && B.mp3\t= Rock && Roll");
}

TEST_F(WindowSessionTest, RecordColumnsAreArrangedWhenTheMenuOpens)
{
    QList<TestTrack> parts;
    for (int i = 1; i <= 60; ++i)
        parts.append({QStringLiteral("%1.mp3").arg(i, 2, 10, QLatin1Char('0')), "Part", 2});
    fixture.start();
    fixture.openFolder(fixture.makeAlbum("Parts", parts));
    const auto columnBreaks = [this] {
        const QList<QAction *> entries = menus().record->actions();
        return std::count_if(entries.cbegin(), entries.cend(), [](const QAction *entry) {
            return qobject_cast<const QWidgetAction *>(entry) != nullptr;
        });
    };
    EXPECT_EQ(columnBreaks(), 0) << "nothing is measured before the menu is seen";
    openAndClose(menus().record);
    EXPECT_GT(columnBreaks(), 0);
}

TEST_F(WindowSessionTest, BookmarksOfTheAlbumFillTheThreeBookmarkLists)
{
    const QString album = fixture.startWithThreeTrackAlbum("Marked");
    EXPECT_FALSE(menus().bookmarkList->isVisible(0));
    EXPECT_FALSE(menus().bookmarkSeparator->isVisible());

    QString line = fixture.albumLines().value(0);
    const QString longTitle = QString(150, u'x');
    line = line.section(u'=', 0, 6) + "=02.mp3/75/|01.mp3/5/&#1050;&#1085;|03.mp3/3661/" +
           longTitle + u'|';
    settings::writeSectionLines(fixture.settingsFile(), "Default\\mFileList", line);
    fixture.start();

    const shell::ActionItemArray &jump = *menus().bookmarkList;
    const shell::ActionItemArray &remove = *menus().bookmarkDeleteList;
    const shell::ActionItemArray &rename = *menus().bookmarkRenameList;
    ASSERT_EQ(jump.count(), 2);
    ASSERT_EQ(remove.count(), 2);
    ASSERT_EQ(rename.count(), 2);
    EXPECT_TRUE(jump.isVisible(0));
    EXPECT_TRUE(menus().bookmarkSeparator->isVisible());
    EXPECT_EQ(jump.caption(0), QString::fromUtf8("Кн"));
    EXPECT_EQ(rename.caption(0), QString::fromUtf8("Кн"));
    EXPECT_EQ(remove.caption(0), "01.mp3 - 00:00:05");
    EXPECT_EQ(jump.caption(1), QString(100, u'x'));
    EXPECT_EQ(remove.caption(1), "03.mp3 - 01:01:01");
}

namespace {

// QObject keeps the question to subclasses; a pointer to the inherited member, taken inside
// one, may ask it of any QObject.
struct SignalProbe : QObject {
    static bool handled(const QAction *action)
    {
        const auto isConnected = &SignalProbe::isSignalConnected;
        return (action->*isConnected)(QMetaMethod::fromSignal(&QAction::triggered));
    }
};

// The enabled entries of every menu, each opened first as the listener would, that nothing acts
// on.
QStringList deadEntries(const MenuTree &menus)
{
    QStringList dead;
    for (QMenu *menu : menus.allMenus()) {
        menu->popup(QPoint(10, 10));
        SessionFixture::drainEvents();
        for (const QAction *action : menu->actions()) {
            if (action->isSeparator() || action->menu() || !action->isVisible() ||
                !action->isEnabled())
                continue;
            if (!SignalProbe::handled(action))
                dead.append(menu->objectName() + u'/' + action->objectName() + u' ' +
                            action->text());
        }
        menu->hide();
        SessionFixture::drainEvents();
    }
    return dead;
}

} // namespace

TEST_F(WindowSessionTest, EveryEnabledMenuEntryHasAHandler)
{
    fixture.start();
    EXPECT_EQ(deadEntries(menus()), QStringList()) << "without an album";

    fixture.dialogKit().queueInputBox("Anna");
    fixture.item("mProfileNew")->trigger();
    SessionFixture::drainEvents();
    fixture.openFolder(fixture.makeThreeTrackAlbum("Tale"));
    fixture.dialogKit().queueInputBox("Mark");
    fixture.item("mBookmarkNew")->trigger();
    SessionFixture::drainEvents();
    EXPECT_EQ(deadEntries(menus()), QStringList()) << "with an album, a bookmark, two profiles";
}

#include "sessionfixture.h"

#include "../album/qstringprint.h"
#include "album/albumentry.h"
#include "album/albumsession.h"
#include "app/window/controlstrip.h"
#include "app/window/mainwindow.h"
#include "controls/slider.h"
#include "platform/codepage.h"
#include "settings/settingsstore.h"
#include "shell/menu/actionitemarray.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The Bookmark menu of the whole program over an album of three records of 2, 3 and 4 seconds.
class BookmarkWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::setAnsiCodePage(1252);
        album = fixture.startWithThreeTrackAlbum("Tale");
    }
    void TearDown() override { platform::setAnsiCodePage(0); }

    const MenuTree &menus() { return fixture.app().window().menus(); }
    QString file(const char *name) const { return internal(album + u'/' + name); }
    // The active album's Marks field in memory, and as the settings file holds it.
    QString marks() { return fixture.app().albumSession().albums().entry(0).marks; }
    QString storedMarks()
    {
        return album::AlbumEntry::fromText(fixture.albumLines().value(0)).marks;
    }

    void standAt(int record, double seconds)
    {
        fixture.item(QStringLiteral("mRecordList%1").arg(record))->trigger();
        SessionFixture::drainEvents();
        fixture.player().setCurrentPosition(seconds);
    }
    void define(int record, double seconds, const QString &title)
    {
        standAt(record, seconds);
        fixture.dialogKit().queueInputBox(title);
        fixture.item("mBookmarkNew")->trigger();
        SessionFixture::drainEvents();
    }
    void choose(const QString &name)
    {
        fixture.item(name)->trigger();
        SessionFixture::drainEvents();
    }
    // Opens the Bookmark menu as the listener does, so that its entries are settled.
    void openBookmarkMenu()
    {
        QMenu *menu = menus().bookmark;
        menu->popup(QPoint(10, 10));
        SessionFixture::drainEvents();
        menu->hide();
        SessionFixture::drainEvents();
    }
    QStringList bookmarks() { return marks().split(u'|').mid(1); }

    SessionFixture fixture;
    QString album;
};

} // namespace

TEST_F(BookmarkWindowTest, DefineAsksWithFileAndTimeStoresTheMarkAndPlaysFromIt)
{
    define(1, 1.4, "Start");
    const QList<DialogCall> asked = fixture.dialogKit().callsOf(DialogCallKind::InputBox);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].texts,
              QStringList({"Enter the text:", "Bookmark Title", "02.mp3 - 00:00:01"}));
    EXPECT_EQ(bookmarks(), QStringList{file("02.mp3") + "/1/Start"});
    EXPECT_EQ(storedMarks().section(u'|', 1), "02.mp3/1/Start");
    EXPECT_EQ(menus().bookmarkList->caption(0), "Start");
    EXPECT_EQ(menus().bookmarkDeleteList->caption(0), "02.mp3 - 00:00:01");
    EXPECT_EQ(fixture.player().currentPosition(), 1.0);
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);

    fixture.dialogKit().queueInputBox(QString());
    choose("mBookmarkNew");
    EXPECT_EQ(bookmarks().size(), 1);
}

// The menus list 32,767 bookmarks; the rest stay in the field through every change.
TEST_F(BookmarkWindowTest, BookmarksPastWhatTheMenusListSurviveADefine)
{
    fixture.exit();
    const QString line = fixture.albumLines().value(0);
    QStringList many;
    for (int i = 0; i < 40'000; ++i)
        many.append(QStringLiteral("03.mp3/3/Mark %1").arg(i));
    album::AlbumEntry entry = album::AlbumEntry::fromText(line);
    entry.marks = "01.mp3/0/|" + many.join(u'|');
    settings::writeSectionLines(fixture.settingsFile(), "Default\\mFileList", entry.toText());
    fixture.start();
    EXPECT_EQ(menus().bookmarkList->count(), 32767);
    // The menus are full: the listener is told, and nothing is lost.
    define(0, 1, "New");
    const QList<DialogCall> told = fixture.dialogKit().callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].texts.value(0).contains("full"));
    // A change to a listed one keeps the rest too.
    fixture.item("mBookmarkDeleteList0")->trigger();
    SessionFixture::drainEvents();
    QStringList stored = storedMarks().split(u'|').mid(1);
    EXPECT_EQ(stored.size(), 39'999);
    EXPECT_EQ(stored.first(), "03.mp3/3/Mark 1");
    EXPECT_EQ(stored.last(), "03.mp3/3/Mark 39999");
    define(0, 1, "New");
    stored = storedMarks().split(u'|').mid(1);
    EXPECT_EQ(stored.size(), 40'000);
    EXPECT_EQ(stored.first(), "01.mp3/1/New");
    EXPECT_EQ(stored.last(), "03.mp3/3/Mark 39999");
}

TEST_F(BookmarkWindowTest, MarksKeepAlbumOrderAndTheSameSecondReplacesTheTitle)
{
    define(2, 1, "C1");
    define(1, 2, "B2");
    define(1, 1, "B1");
    define(1, 2, "B2 again");
    EXPECT_EQ(bookmarks(), QStringList({file("02.mp3") + "/1/B1", file("02.mp3") + "/2/B2 again",
                                        file("03.mp3") + "/1/C1"}));
    EXPECT_EQ(menus().bookmarkList->count(), 3);
    EXPECT_EQ(menus().bookmarkList->caption(1), "B2 again");
}

TEST_F(BookmarkWindowTest, RenameAndDeleteLeaveTheOtherBookmarksInPlace)
{
    define(0, 1, "A");
    define(1, 1, "B");
    define(2, 1, "C");
    fixture.dialogKit().queueInputBox("B renamed");
    choose("mBookmarkRenameList1");
    EXPECT_EQ(fixture.dialogKit().callsOf(DialogCallKind::InputBox).last().texts.value(2), "B");
    EXPECT_EQ(bookmarks(), QStringList({file("01.mp3") + "/1/A", file("02.mp3") + "/1/B renamed",
                                        file("03.mp3") + "/1/C"}));

    // An unchanged or empty answer changes nothing.
    const QByteArray saved = fixture.settingsBytes();
    fixture.dialogKit().queueInputBox("A");
    choose("mBookmarkRenameList0");
    fixture.dialogKit().queueInputBox("");
    choose("mBookmarkRenameList0");
    EXPECT_EQ(fixture.settingsBytes(), saved);

    choose("mBookmarkDeleteList0");
    EXPECT_EQ(bookmarks(), QStringList({file("02.mp3") + "/1/B renamed", file("03.mp3") + "/1/C"}));
    EXPECT_EQ(menus().bookmarkList->caption(0), "B renamed");
    EXPECT_EQ(menus().bookmarkRenameList->count(), 2);
    EXPECT_TRUE(fixture.dialogKit().callsOf(DialogCallKind::MessageBox).isEmpty());
}

TEST_F(BookmarkWindowTest, DeletingTheOnlyBookmarkHidesTheListAndDisablesItsCommands)
{
    define(1, 1, "Only");
    openBookmarkMenu();
    for (const char *name : {"mBookmarkDelete", "mBookmarkRename", "mBookmarkClearAll"})
        EXPECT_TRUE(fixture.item(name)->isEnabled()) << name;

    choose("mBookmarkDeleteList0");
    openBookmarkMenu();
    EXPECT_FALSE(menus().bookmarkList->isVisible(0));
    EXPECT_FALSE(menus().bookmarkSeparator->isVisible());
    for (const char *name : {"mBookmarkDelete", "mBookmarkRename", "mBookmarkClearAll"})
        EXPECT_FALSE(fixture.item(name)->isEnabled()) << name;
    EXPECT_TRUE(fixture.item("mBookmarkNew")->isEnabled());
    EXPECT_TRUE(marks().endsWith(u'|'));
    EXPECT_EQ(bookmarks(), QStringList{QString()});
}

TEST_F(BookmarkWindowTest, ClearAllAsksFirstThenLeavesTheLastUnmarkedPositionAlone)
{
    define(0, 1, "A");
    define(2, 3, "C");
    fixture.dialogKit().queueMessageBox(MessageResult::No);
    choose("mBookmarkClearAll");
    const QList<DialogCall> asked = fixture.dialogKit().callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].texts.value(0), "All bookmarks for the Album will be lost.\r\n"
                                       "Are you sure you wish to continue?");
    EXPECT_EQ(asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked[0].icon, MessageIcon::Question);
    EXPECT_EQ(asked[0].defaultButton, DefaultButton::Second);
    EXPECT_EQ(bookmarks().size(), 2);

    // The define's jump to C left the place before it: record 3 at second 3.
    fixture.dialogKit().queueMessageBox(MessageResult::Yes);
    choose("mBookmarkClearAll");
    EXPECT_EQ(marks(), file("03.mp3") + "/3/|");
    EXPECT_FALSE(menus().bookmarkList->isVisible(0));
}

TEST_F(BookmarkWindowTest, WithoutAJumpABookmarkChangeKeepsTheResumeMark)
{
    QString line = fixture.albumLines().value(0);
    line = line.section(u'=', 0, 6) + "=02.mp3/2/|03.mp3/1/C";
    settings::writeSectionLines(fixture.settingsFile(), "Default\\mFileList", line);
    fixture.start();
    fixture.dialogKit().queueMessageBox(MessageResult::Yes);
    choose("mBookmarkClearAll");
    EXPECT_EQ(marks(), file("02.mp3") + "/2/|");
    EXPECT_EQ(storedMarks(), "02.mp3/2/");
}

TEST_F(BookmarkWindowTest, ALongTitleIsStoredWholeAndShownWithItsFirstHundredCharacters)
{
    const QString title = QString(149, u'x') + QString::fromUtf8("я");
    define(1, 1, title);
    EXPECT_EQ(storedMarks().section(u'|', 1), "02.mp3/1/" + QString(149, u'x') + "&#1103;");
    EXPECT_EQ(menus().bookmarkList->caption(0), QString(100, u'x'));
    EXPECT_EQ(menus().bookmarkRenameList->caption(0), QString(100, u'x'));
    fixture.dialogKit().queueInputBox(QString());
    choose("mBookmarkRenameList0");
    EXPECT_EQ(fixture.dialogKit().callsOf(DialogCallKind::InputBox).last().texts.value(2), title);
}

TEST_F(BookmarkWindowTest, LastUnmarkedPositionWorksOncePerJump)
{
    define(2, 3, "C");
    standAt(0, 1);
    openBookmarkMenu();
    choose("mBookmarkList0");
    EXPECT_EQ(fixture.player().url(), file("03.mp3"));
    EXPECT_EQ(fixture.player().currentPosition(), 3.0);
    EXPECT_TRUE(menus().recordList->isChecked(2));

    openBookmarkMenu();
    EXPECT_TRUE(fixture.item("mBookmarkLast")->isEnabled());
    choose("mBookmarkLast");
    EXPECT_EQ(fixture.player().url(), file("01.mp3"));
    EXPECT_EQ(fixture.player().currentPosition(), 1.0);
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);
    EXPECT_TRUE(menus().recordList->isChecked(0));
    EXPECT_EQ(fixture.app().strip().boxStrip()->value(), 0);

    openBookmarkMenu();
    EXPECT_FALSE(fixture.item("mBookmarkLast")->isEnabled());
    choose("mBookmarkLast");
    EXPECT_EQ(fixture.player().url(), file("01.mp3"));
}

TEST_F(BookmarkWindowTest, SlashBarAndReferenceLikeTextInATitleRoundTripThroughTheSettingsFile)
{
    const QString title = QString::fromUtf8("a/b|c = d &#65; é");
    define(1, 1, title);
    EXPECT_EQ(storedMarks().section(u'|', 1), "02.mp3/1/a&#47;b&#124;c &#61; d &#38;#65; &#233;");
    fixture.exit();
    fixture.start();
    EXPECT_EQ(menus().bookmarkList->caption(0), title);
    EXPECT_EQ(menus().bookmarkDeleteList->caption(0), "02.mp3 - 00:00:01");
    fixture.dialogKit().queueInputBox(QString());
    choose("mBookmarkRenameList0");
    EXPECT_EQ(fixture.dialogKit().callsOf(DialogCallKind::InputBox).last().texts.value(2), title);
}

TEST_F(BookmarkWindowTest, AFileNotInTheRecordListSortsFirstAndAJumpToItKeepsTheStrip)
{
    fixture.makeAlbum("Tale", {{"extra.mp3", "", 9}});
    QString line = fixture.albumLines().value(0);
    line = line.section(u'=', 0, 6) + "=|02.mp3/1/B|extra.mp3/2/X";
    settings::writeSectionLines(fixture.settingsFile(), "Default\\mFileList", line);
    fixture.start();
    standAt(1, 0);

    choose("mBookmarkList1");
    EXPECT_EQ(fixture.player().url(), file("extra.mp3"));
    EXPECT_EQ(fixture.player().currentPosition(), 2.0);
    EXPECT_TRUE(menus().recordList->isChecked(1));
    EXPECT_EQ(fixture.app().strip().boxStrip()->value(), 1);

    fixture.player().setCurrentPosition(5);
    fixture.dialogKit().queueInputBox("U");
    choose("mBookmarkNew");
    EXPECT_EQ(bookmarks(), QStringList({file("extra.mp3") + "/5/U", file("02.mp3") + "/1/B",
                                        file("extra.mp3") + "/2/X"}));
    EXPECT_EQ(fixture.app().strip().boxStrip()->value(), 1);
}

TEST_F(BookmarkWindowTest, ActivationPadsShortEntriesAndAMarkOfAGoneFileStaysUnplayed)
{
    QString line = fixture.albumLines().value(0);
    line = line.section(u'=', 0, 6) + "=01.mp3/1/||02.mp3|03.mp3/4|gone.mp3/2/";
    settings::writeSectionLines(fixture.settingsFile(), "Default\\mFileList", line);
    fixture.start();
    EXPECT_EQ(bookmarks(), QStringList({file("02.mp3") + "//", file("03.mp3") + "/4/",
                                        file("gone.mp3") + "/2/"}));
    EXPECT_EQ(menus().bookmarkList->caption(0), "02.mp3 - 00:00:00");
    EXPECT_EQ(menus().bookmarkList->caption(1), "03.mp3 - 00:00:04");
    choose("mBookmarkList2");
    EXPECT_EQ(fixture.player().url(), file("01.mp3"));
    EXPECT_TRUE(menus().bookmarkList->isVisible(2));
}

TEST_F(BookmarkWindowTest, ABookmarkInAFileNamedLikeACharacterReferenceSurvivesARestartAndPlays)
{
    const QString lab = fixture.makeAlbum("Lab", {{"R&#68;.mp3", "Lab", 5}});
    fixture.openFolder(lab);
    ASSERT_EQ(fixture.player().url(), internal(lab + "/R&#68;.mp3"));
    fixture.player().setCurrentPosition(3);
    fixture.dialogKit().queueInputBox("P");
    choose("mBookmarkNew");
    fixture.exit();
    fixture.start();
    EXPECT_EQ(menus().bookmarkList->caption(0), "P");
    fixture.player().setCurrentPosition(0);
    choose("mBookmarkList0");
    EXPECT_EQ(fixture.player().url(), internal(lab + "/R&#68;.mp3"));
    EXPECT_EQ(fixture.player().currentPosition(), 3.0);
}

// The place a jump left belongs to its album: the next album activated has none, and its Marks
// field keeps its own resume mark and bookmarks.
TEST_F(BookmarkWindowTest, AnotherAlbumAfterAJumpHasNoLastUnmarkedPositionAndKeepsItsMarks)
{
    const QString other = fixture.makeThreeTrackAlbum("Other");
    fixture.openFolder(other);
    define(1, 2, "O");
    choose("mFileList1");
    define(2, 3, "C");
    const QString fresh = fixture.makeThreeTrackAlbum("Fresh");
    const QString otherMark = internal(other + "/02.mp3") + "/2/";
    const struct {
        const char *name;
        std::function<void()> activate;
        QString marks;
    } cases[] = {
        {"activated", [&] { choose("mFileList1"); }, otherMark + u'|' + otherMark + u'O'},
        {"opened", [&] { fixture.openFolder(fresh); }, "|"},
    };
    for (const auto &c : cases) {
        standAt(0, 1);
        choose("mBookmarkList0");
        ASSERT_EQ(fixture.player().url(), file("03.mp3")) << c.name;

        c.activate();
        openBookmarkMenu();
        EXPECT_FALSE(fixture.item("mBookmarkLast")->isEnabled()) << c.name;
        EXPECT_EQ(marks(), c.marks) << c.name;
        // Back to the album of the jump.
        choose("mFileList1");
    }
}

#include "windowfixture.h"

#include "shell/manual/helpcontext.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/menuitem.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

// One line per entry: "name caption", "-" for a separator (its name first when it has one),
// " [heading]" after a heading, ">" after a submenu's entry, whose entries follow indented.
QStringList dumpMenu(const QMenu *menu, const QString &indent = QString())
{
    QStringList lines;
    for (const QAction *action : menu->actions()) {
        QString line = indent + action->objectName();
        line += action->isSeparator() ? QStringLiteral(" -") : u' ' + action->text();
        if (shell::isHeadingItem(action))
            line += QStringLiteral(" [heading]");
        if (action->menu()) {
            lines << line + QStringLiteral(" >");
            lines << dumpMenu(action->menu(), indent + QStringLiteral("  "));
        } else {
            lines << line.trimmed().prepend(indent);
        }
    }
    return lines;
}

QStringList dumpMenu(MainWindow &window, const char *name)
{
    return dumpMenu(window.findChild<QMenu *>(QString::fromLatin1(name)));
}

} // namespace

TEST(MenuTree, TheBarHoldsTheSevenMenusInOrder)
{
    WindowFixture fixture;
    MainWindow &window = fixture.window();
    EXPECT_EQ(window.objectName(), "fwMain");
    EXPECT_EQ(window.windowTitle(), "Sonnalby");
    EXPECT_FALSE(window.windowIcon().isNull());
    QStringList bar;
    for (const QAction *action : window.menuBar()->actions())
        bar << action->objectName() + u' ' + action->text();
    EXPECT_EQ(bar,
              QStringList({"mFile &File", "mView &View", "mRecord &Record", "mBookmark &Bookmark",
                           "mProfile &Profile", "mOption &Option", "mHelp &Help"}));
}

TEST(MenuTree, FileMenu)
{
    WindowFixture fixture;
    EXPECT_EQ(
        dumpMenu(fixture.window(), "mFile"),
        QStringList({"mFileOpen &Open Album...", "-", "mFileRename Rename &Album...",
                     "mFilePlaylist Re-create &Playlist...", "mFileEditor Open in Text &Editor...",
                     "-", "mFileNonFound Remove &non-found Albums", "mFileRemove &Remove >",
                     "  mFileRemovePlaceholder0 Click on item to remove from the list: "
                     "[heading]",
                     "  mFileRemovePlaceholder1 -", "  mFileRemoveList0", "-", "mFileList0", "-",
                     "mFileExit E&xit\tAlt+X"}));
}

TEST(MenuTree, ViewMenuWithTheEncodings)
{
    WindowFixture fixture;
    EXPECT_EQ(dumpMenu(fixture.window(), "mView"),
              QStringList({"mViewProperties &Properties...",
                           "mViewEditor Open in MP3 &Editor...",
                           "mViewHistory &History...",
                           "-",
                           "mViewEncoding Enco&ding >",
                           "  mViewEncodingList0 Unicode (UTF-16 LE)",
                           "  mViewEncodingList1 Unicode (UTF-8)",
                           "  mViewEncodingList2 -",
                           "  mViewEncodingList3 Thai (Windows)",
                           "  mViewEncodingList4 Japanese Shift JIS (Windows)",
                           "  mViewEncodingList5 Simplified Chinese GBK (Windows)",
                           "  mViewEncodingList6 Korean (Windows)",
                           "  mViewEncodingList7 Traditional Chinese Big5 (Windows)",
                           "  mViewEncodingList8 Eastern European (Windows)",
                           "  mViewEncodingList9 Cyrillic (Windows)",
                           "  mViewEncodingList10 Western (Windows)",
                           "  mViewEncodingList11 Greek (Windows)",
                           "  mViewEncodingList12 Turkish (Windows)",
                           "  mViewEncodingList13 Hebrew (Windows)",
                           "  mViewEncodingList14 Arabic (Windows)",
                           "  mViewEncodingList15 Baltic (Windows)",
                           "  mViewEncodingList16 Vietnamese (Windows)",
                           "mViewSpeed &Speed >",
                           "  mViewSpeedList0 0.75x",
                           "  mViewSpeedList1 1.0x",
                           "  mViewSpeedList2 1.25x",
                           "  mViewSpeedList3 1.5x",
                           "  mViewSpeedList4 1.75x",
                           "  mViewSpeedList5 2.0x",
                           "  -",
                           "  mViewSpeedFaster &Faster\tCtrl+Up",
                           "  mViewSpeedSlower &Slower\tCtrl+Down"}));
    const MenuTree &menus = fixture.window().menus();
    EXPECT_EQ(menus.viewEncodingList->tag(0), "1200");
    EXPECT_EQ(menus.viewEncodingList->tag(1), "65001");
    EXPECT_EQ(menus.viewEncodingList->tag(3), "874");
    EXPECT_EQ(menus.viewEncodingList->tag(16), "1258");
}

TEST(MenuTree, RecordBookmarkAndProfileMenus)
{
    WindowFixture fixture;
    MainWindow &window = fixture.window();
    EXPECT_EQ(dumpMenu(window, "mRecord"), QStringList({"mRecordList0"}));
    EXPECT_EQ(dumpMenu(window, "mBookmark"),
              QStringList({"mBookmarkNew Defi&ne...", "-", "mBookmarkClearAll Clear &All",
                           "mBookmarkDelete &Delete >", "  mBookmarkDeletePlaceholder0",
                           "  mBookmarkDeletePlaceholder1 Click on item to remove from the list: "
                           "[heading]",
                           "  mBookmarkDeletePlaceholder2 -", "  mBookmarkDeleteList0",
                           "mBookmarkRename &Rename >",
                           "  mBookmarkRenamePlaceholder0 Click on item to rename the bookmark: "
                           "[heading]",
                           "  mBookmarkRenamePlaceholder1 -", "  mBookmarkRenameList0", "-",
                           "mBookmarkList0", "mBookmarkSeparator -",
                           "mBookmarkLast &Last Unmarked Position"}));
    EXPECT_EQ(dumpMenu(window, "mProfile"),
              QStringList({"mProfileNew Add &New...", "mProfileDelete &Remove >",
                           "  mProfileDeletePlaceholder0 Click on item to remove from the list: "
                           "[heading]",
                           "  mProfileDeletePlaceholder1 -", "  mProfileDeleteList0", "-",
                           "mProfileList0 Default"}));
}

TEST(MenuTree, OptionAndHelpMenus)
{
    WindowFixture fixture;
    MainWindow &window = fixture.window();
    EXPECT_EQ(dumpMenu(window, "mOption"), QStringList({"mOptionOnTop &Always On Top",
                                                        "mOptionMinimize &Minimize On Close",
                                                        "mOptionSysTray &Hide To System Tray",
                                                        "mOptionMultiCol Multi-&column Menu",
                                                        "-",
                                                        "mOptionSleep &Sleep Timer >",
                                                        "  mOptionSleepList0 &Off",
                                                        "  mOptionSleepList1 15 minutes",
                                                        "  mOptionSleepList2 30 minutes",
                                                        "  mOptionSleepList3 45 minutes",
                                                        "  mOptionSleepList4 60 minutes",
                                                        "  mOptionSleepList5 90 minutes",
                                                        "  mOptionSleepList6 &End of Record",
                                                        "  mOptionSleepList7 End of C&hapter",
                                                        "mOptionSkipBack Skip &Back >",
                                                        "  mOptionSkipBackList0 5 seconds",
                                                        "  mOptionSkipBackList1 10 seconds",
                                                        "  mOptionSkipBackList2 15 seconds",
                                                        "  mOptionSkipBackList3 30 seconds",
                                                        "  mOptionSkipBackList4 45 seconds",
                                                        "  mOptionSkipBackList5 60 seconds",
                                                        "mOptionSkipForward Skip &Forward >",
                                                        "  mOptionSkipForwardList0 5 seconds",
                                                        "  mOptionSkipForwardList1 10 seconds",
                                                        "  mOptionSkipForwardList2 15 seconds",
                                                        "  mOptionSkipForwardList3 30 seconds",
                                                        "  mOptionSkipForwardList4 45 seconds",
                                                        "  mOptionSkipForwardList5 60 seconds",
                                                        "mOptionRewind &Rewind After Long Pause",
                                                        "mOptionLevelVoice &Level Voice",
                                                        "mOptionSkipIntro Skip &Intro...",
                                                        "mOptionSkipOutro Skip &Outro...",
                                                        "mOptionShare Share &Places...",
                                                        "-",
                                                        "mOptionEditor0 Set &Text Editor...",
                                                        "mOptionEditor1 Set MP3 &Editor..."}));
    EXPECT_EQ(dumpMenu(window, "mHelp"),
              QStringList({"mHelpWhatsThis What's &This?", "mHelpTopics &Help Topics...", "-",
                           "mHelpUpdate Check for &Update...", "mHelpWeb Visit the Web&page...",
                           "mHelpMail Feed&back...", "-", "mHelpAbout &About..."}));
}

TEST(MenuTree, PopUpMenusExistButNeverOnTheBar)
{
    WindowFixture fixture;
    MainWindow &window = fixture.window();
    EXPECT_EQ(dumpMenu(window, "mTray"),
              QStringList({"mTrayPlay &Play/Pause", "mTraySkipBack Skip &Back\tAlt+Left",
                           "mTraySkipForward Skip &Forward\tAlt+Right",
                           "mTrayPrevious Pre&vious\tCtrl+Left", "mTrayNext &Next\tCtrl+Right",
                           "mTrayRestore &Restore", "-", "mTrayExit E&xit"}));
    EXPECT_EQ(dumpMenu(window, "mList"), QStringList({"mListRemove &Remove"}));
    EXPECT_EQ(dumpMenu(window, "mPopup"), QStringList({"mPopupWhatsThis &What's This?"}));
    for (const QMenu *menu : {window.menus().tray, window.menus().list, window.menus().popup})
        EXPECT_FALSE(window.menuBar()->actions().contains(menu->menuAction()));
    const QList<QMenu *> table = window.menus().barTable();
    ASSERT_EQ(table.size(), 10);
    EXPECT_EQ(table[7]->objectName(), "mTray");
    EXPECT_EQ(table[9]->objectName(), "mPopup");
}

TEST(MenuTree, EveryNamedEntryCarriesItsHelpNumber)
{
    WindowFixture fixture;
    int named = 0;
    for (const QAction *action : fixture.window().findChildren<QAction *>()) {
        if (action->objectName().isEmpty() || action->objectName() == u"mBookmarkSeparator")
            continue;
        ++named;
        EXPECT_EQ(shell::menuItemHelpContext(action),
                  shell::help::helpContextOf(action->objectName()))
            << action->objectName().toStdString();
        EXPECT_GT(shell::menuItemHelpContext(action), 0) << action->objectName().toStdString();
    }
    EXPECT_GT(named, 70);
}

TEST(MenuTree, StartStateOfTheLists)
{
    WindowFixture fixture;
    const MenuTree &menus = fixture.window().menus();
    EXPECT_FALSE(menus.fileList->isVisible(0));
    EXPECT_FALSE(menus.recordList->isVisible(0));
    EXPECT_FALSE(menus.bookmarkList->isVisible(0));
    EXPECT_FALSE(menus.profileDeleteList->isEnabled(0));
    EXPECT_EQ(menus.profileList->caption(0), "Default");
    EXPECT_FALSE(menus.fileListSeparator->isVisible());
    EXPECT_FALSE(fixture.window().menuItem("mFileRemove")->isEnabled());
    for (const QMenu *menu : {menus.tray, menus.list, menus.popup})
        EXPECT_FALSE(menu->menuAction()->isEnabled());
}

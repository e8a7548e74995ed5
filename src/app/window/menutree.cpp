#include "app/window/menutree.h"

#include "player/playbackspeed.h"

#include "shell/manual/helpcontext.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/itemarray.h"
#include "shell/menu/menuitem.h"
#include "text/codepagecatalogue.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

using shell::ActionItemArray;

const QString separator = QStringLiteral("-");

int helpOf(const QString &name)
{
    return shell::help::helpContextOf(name);
}

// The menu and the entry that opens it both carry the name and its help number.
QMenu *named(QMenu *menu, const QString &name)
{
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    shell::setMenuItemHelpContext(menu->menuAction(), helpOf(name));
    return menu;
}

QMenu *barMenu(QMenuBar *menuBar, const QString &name, const QString &caption)
{
    return named(menuBar->addMenu(caption), name);
}

// A menu shown only as a pop-up: it belongs to the window but never to the bar.
QMenu *popupMenu(QWidget *window, const QString &name, const QString &caption)
{
    QMenu *menu = named(new QMenu(caption, window), name);
    menu->menuAction()->setEnabled(false);
    return menu;
}

QMenu *submenu(QMenu *parent, const QString &name, const QString &caption)
{
    return named(parent->addMenu(caption), name);
}

QAction *command(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    shell::setMenuItemHelpContext(action, helpOf(name));
    return action;
}

// An array with its design items; "-" makes a separator.
ActionItemArray *array(QMenu *menu, const QString &name, const QStringList &captions)
{
    auto *items = new ActionItemArray(menu, name, captions.value(0), helpOf(name + u'0'));
    for (qsizetype i = 1; i < captions.size(); ++i)
        items->addDesignItem(captions[i], helpOf(name + QString::number(i)));
    return items;
}

void buildFileMenu(QMenuBar *menuBar, MenuTree &tree)
{
    QMenu *file = tree.file = barMenu(menuBar, "mFile", "&File");
    command(file, "mFileOpen", "&Open Album...");
    file->addSeparator();
    command(file, "mFileRename", "Rename &Album...");
    command(file, "mFilePlaylist", "Re-create &Playlist...");
    command(file, "mFileEditor", "Open in Text &Editor...");
    file->addSeparator();
    command(file, "mFileNonFound", "Remove &non-found Albums");
    QMenu *remove = submenu(file, "mFileRemove", "&Remove");
    tree.fileRemovePlaceholder = array(remove, "mFileRemovePlaceholder",
                                       {"Click on item to remove from the list:", separator});
    tree.fileRemoveList = array(remove, "mFileRemoveList", {""});
    file->addSeparator();
    tree.fileList = array(file, "mFileList", {""});
    tree.fileListSeparator = file->addSeparator();
    QAction *exit = command(file, "mFileExit", "E&xit");
    shell::setShortcutText(exit, "Alt+X");
}

void buildViewMenu(QMenuBar *menuBar, MenuTree &tree)
{
    QMenu *view = tree.view = barMenu(menuBar, "mView", "&View");
    command(view, "mViewProperties", "&Properties...");
    command(view, "mViewEditor", "Open in MP3 &Editor...");
    command(view, "mViewHistory", "&History...");
    view->addSeparator();
    QMenu *encoding = submenu(view, "mViewEncoding", "Enco&ding");
    tree.viewEncodingList = array(encoding, "mViewEncodingList",
                                  {"Unicode (UTF-16 LE)", text::utf8Caption.toString(), separator});
    QMenu *speed = submenu(view, "mViewSpeed", "&Speed");
    QStringList speeds;
    for (const double rate : speed::menuSpeeds)
        speeds.append(speedCaption(rate));
    tree.viewSpeedList = array(speed, "mViewSpeedList", speeds);
    speed->addSeparator();
    shell::setShortcutText(command(speed, "mViewSpeedFaster", "&Faster"), "Ctrl+Up");
    shell::setShortcutText(command(speed, "mViewSpeedSlower", "&Slower"), "Ctrl+Down");
}

void buildBookmarkMenu(QMenuBar *menuBar, MenuTree &tree)
{
    QMenu *bookmark = tree.bookmark = barMenu(menuBar, "mBookmark", "&Bookmark");
    command(bookmark, "mBookmarkNew", "Defi&ne...");
    bookmark->addSeparator();
    command(bookmark, "mBookmarkClearAll", "Clear &All");
    QMenu *remove = submenu(bookmark, "mBookmarkDelete", "&Delete");
    tree.bookmarkDeletePlaceholder =
        array(remove, "mBookmarkDeletePlaceholder",
              {"", "Click on item to remove from the list:", separator});
    tree.bookmarkDeleteList = array(remove, "mBookmarkDeleteList", {""});
    QMenu *rename = submenu(bookmark, "mBookmarkRename", "&Rename");
    tree.bookmarkRenamePlaceholder = array(rename, "mBookmarkRenamePlaceholder",
                                           {"Click on item to rename the bookmark:", separator});
    tree.bookmarkRenameList = array(rename, "mBookmarkRenameList", {""});
    bookmark->addSeparator();
    tree.bookmarkList = array(bookmark, "mBookmarkList", {""});
    tree.bookmarkSeparator = bookmark->addSeparator();
    tree.bookmarkSeparator->setObjectName("mBookmarkSeparator");
    command(bookmark, "mBookmarkLast", "&Last Unmarked Position");
}

void buildProfileMenu(QMenuBar *menuBar, MenuTree &tree)
{
    QMenu *profile = tree.profile = barMenu(menuBar, "mProfile", "&Profile");
    command(profile, "mProfileNew", "Add &New...");
    QMenu *remove = submenu(profile, "mProfileDelete", "&Remove");
    tree.profileDeletePlaceholder = array(remove, "mProfileDeletePlaceholder",
                                          {"Click on item to remove from the list:", separator});
    tree.profileDeleteList = array(remove, "mProfileDeleteList", {""});
    profile->addSeparator();
    tree.profileList = array(profile, "mProfileList", {"Default"});
}

void buildOptionMenu(QMenuBar *menuBar, MenuTree &tree)
{
    QMenu *option = tree.option = barMenu(menuBar, "mOption", "&Option");
    command(option, "mOptionOnTop", "&Always On Top");
    command(option, "mOptionMinimize", "&Minimize On Close");
    command(option, "mOptionSysTray", "&Hide To System Tray");
    command(option, "mOptionMultiCol", "Multi-&column Menu");
    option->addSeparator();
    QMenu *sleep = submenu(option, "mOptionSleep", "&Sleep Timer");
    tree.optionSleepList = array(sleep, "mOptionSleepList",
                                 {"&Off", "15 minutes", "30 minutes", "45 minutes", "60 minutes",
                                  "90 minutes", "&End of Record", "End of C&hapter"});
    const QStringList skips = {"5 seconds",  "10 seconds", "15 seconds",
                               "30 seconds", "45 seconds", "60 seconds"};
    tree.optionSkipBackList =
        array(submenu(option, "mOptionSkipBack", "Skip &Back"), "mOptionSkipBackList", skips);
    tree.optionSkipForwardList = array(submenu(option, "mOptionSkipForward", "Skip &Forward"),
                                       "mOptionSkipForwardList", skips);
    command(option, "mOptionRewind", "&Rewind After Long Pause");
    command(option, "mOptionLevelVoice", "&Level Voice");
    command(option, "mOptionSkipIntro", "Skip &Intro...");
    command(option, "mOptionSkipOutro", "Skip &Outro...");
    command(option, "mOptionShare", "Share &Places...");
    option->addSeparator();
    tree.optionEditor =
        array(option, "mOptionEditor", {"Set &Text Editor...", "Set MP3 &Editor..."});
}

void buildHelpMenu(QMenuBar *menuBar, MenuTree &tree)
{
    QMenu *help = tree.help = barMenu(menuBar, "mHelp", "&Help");
    command(help, "mHelpWhatsThis", "What's &This?");
    command(help, "mHelpTopics", "&Help Topics...");
    help->addSeparator();
    command(help, "mHelpUpdate", "Check for &Update...");
    command(help, "mHelpWeb", "Visit the Web&page...");
    command(help, "mHelpMail", "Feed&back...");
    help->addSeparator();
    command(help, "mHelpAbout", "&About...");
}

void buildPopupMenus(QWidget *window, MenuTree &tree)
{
    tree.tray = popupMenu(window, "mTray", "Tray");
    command(tree.tray, "mTrayPlay", "&Play/Pause");
    shell::setShortcutText(command(tree.tray, "mTraySkipBack", "Skip &Back"), "Alt+Left");
    shell::setShortcutText(command(tree.tray, "mTraySkipForward", "Skip &Forward"), "Alt+Right");
    shell::setShortcutText(command(tree.tray, "mTrayPrevious", "Pre&vious"), "Ctrl+Left");
    shell::setShortcutText(command(tree.tray, "mTrayNext", "&Next"), "Ctrl+Right");
    command(tree.tray, "mTrayRestore", "&Restore");
    tree.tray->addSeparator();
    command(tree.tray, "mTrayExit", "E&xit");
    tree.list = popupMenu(window, "mList", "List");
    command(tree.list, "mListRemove", "&Remove");
    tree.popup = popupMenu(window, "mPopup", "Popup");
    command(tree.popup, "mPopupWhatsThis", "&What's This?");
}

// Items 0 and 1 stand for Unicode in UTF-16 and UTF-8; the offered code pages follow, each
// tagged with its number.
void populateEncodingMenu(ActionItemArray &encodings)
{
    encodings.setTag(0, QString::number(text::unicodeCodePage));
    encodings.setTag(1, QString::number(text::utf8CodePage));
    for (const int codePage : text::offeredCodePages()) {
        shell::appendMenuItem(encodings, text::codePageName(codePage) + " (Windows)", "",
                              QString::number(codePage), 0, false, true);
    }
}

// The lists start empty: no album, record or bookmark yet; the profile removal list has nothing
// to remove.
void setStartState(MenuTree &tree)
{
    for (ActionItemArray *empty : {tree.fileList, tree.recordList, tree.bookmarkList})
        empty->setVisible(0, false);
    tree.bookmarkDeletePlaceholder->setVisible(0, false);
    tree.profileDeleteList->setEnabled(0, false);
    shell::makeHeadingItem(tree.fileRemovePlaceholder->action(0));
    shell::makeHeadingItem(tree.bookmarkDeletePlaceholder->action(1));
    shell::makeHeadingItem(tree.profileDeletePlaceholder->action(0));
    shell::makeHeadingItem(tree.bookmarkRenamePlaceholder->action(0));
    populateEncodingMenu(*tree.viewEncodingList);
}

void collectMenus(QMenu *menu, QList<QMenu *> &menus)
{
    menus.append(menu);
    for (QAction *action : menu->actions()) {
        if (QMenu *submenu = action->menu())
            collectMenus(submenu, menus);
    }
}

} // namespace

QList<QMenu *> MenuTree::barTable() const
{
    return {file, view, record, bookmark, profile, option, help, tray, list, popup};
}

QList<const shell::ActionItemArray *> MenuTree::arrays() const
{
    return {fileRemovePlaceholder,     fileRemoveList,        fileList,
            viewEncodingList,          viewSpeedList,         recordList,
            bookmarkDeletePlaceholder, bookmarkDeleteList,    bookmarkRenamePlaceholder,
            bookmarkRenameList,        bookmarkList,          profileDeletePlaceholder,
            profileDeleteList,         profileList,           optionSleepList,
            optionSkipBackList,        optionSkipForwardList, optionEditor};
}

QList<QMenu *> MenuTree::allMenus() const
{
    QList<QMenu *> menus;
    for (QMenu *menu : barTable())
        collectMenus(menu, menus);
    return menus;
}

MenuTree buildMenuTree(QMenuBar *menuBar, QWidget *window)
{
    MenuTree tree;
    buildFileMenu(menuBar, tree);
    buildViewMenu(menuBar, tree);
    tree.record = barMenu(menuBar, "mRecord", "&Record");
    tree.recordList = array(tree.record, "mRecordList", {""});
    buildBookmarkMenu(menuBar, tree);
    buildProfileMenu(menuBar, tree);
    buildOptionMenu(menuBar, tree);
    buildHelpMenu(menuBar, tree);
    buildPopupMenus(window, tree);
    setStartState(tree);
    return tree;
}

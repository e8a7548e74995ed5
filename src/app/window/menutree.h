#pragma once

#include <QList>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace shell {
class ActionItemArray;
}

// The main window's menus as designed: the seven menu-bar menus, the three pop-up menus that never
// show on the bar, and the item arrays behind the lists. Every entry is named as in the design
// ("mFileOpen"; array items "mFileList0"), and every entry and array item carries its help number.
struct MenuTree {
    QMenu *file = nullptr;
    QMenu *view = nullptr;
    QMenu *record = nullptr;
    QMenu *bookmark = nullptr;
    QMenu *profile = nullptr;
    QMenu *option = nullptr;
    QMenu *help = nullptr;
    QMenu *tray = nullptr;
    QMenu *list = nullptr;
    QMenu *popup = nullptr;

    shell::ActionItemArray *fileRemovePlaceholder = nullptr;
    shell::ActionItemArray *fileRemoveList = nullptr;
    shell::ActionItemArray *fileList = nullptr;
    shell::ActionItemArray *viewEncodingList = nullptr;
    shell::ActionItemArray *viewSpeedList = nullptr;
    shell::ActionItemArray *recordList = nullptr;
    shell::ActionItemArray *bookmarkDeletePlaceholder = nullptr;
    shell::ActionItemArray *bookmarkDeleteList = nullptr;
    shell::ActionItemArray *bookmarkRenamePlaceholder = nullptr;
    shell::ActionItemArray *bookmarkRenameList = nullptr;
    shell::ActionItemArray *bookmarkList = nullptr;
    shell::ActionItemArray *profileDeletePlaceholder = nullptr;
    shell::ActionItemArray *profileDeleteList = nullptr;
    shell::ActionItemArray *profileList = nullptr;
    shell::ActionItemArray *optionSleepList = nullptr;
    shell::ActionItemArray *optionSkipBackList = nullptr;
    shell::ActionItemArray *optionSkipForwardList = nullptr;
    shell::ActionItemArray *optionEditor = nullptr;

    QAction *fileListSeparator = nullptr; // under the album items
    QAction *bookmarkSeparator = nullptr; // under the bookmark items

    // The bar table: the seven bar menus in bar order, then Tray, List and Popup.
    QList<QMenu *> barTable() const;
    QList<const shell::ActionItemArray *> arrays() const;
    // Every menu of the tree, submenus included.
    QList<QMenu *> allMenus() const;
};

// Builds the tree into the window's menu bar, in the start-up state: empty list items (album,
// record and bookmark items hidden), "Default" as the first profile, the four headings, "Alt+X"
// beside Exit and the encoding list filled with the offered code pages.
MenuTree buildMenuTree(QMenuBar *menuBar, QWidget *window);

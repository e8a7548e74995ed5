#pragma once

#include <QObject>

class BookmarkSession;
class MainWindow;
class QAction;

namespace shell {
class ActionItemArray;
}

// The Bookmark menu as the mirror of the bookmark session: item i of the jump list, Delete and
// Rename shows bookmark i as "file - hh:mm:ss", a titled one its title (at most 100 characters)
// in the jump and Rename lists instead. Its commands go to the session, each first offered to
// What's This; each time the menu opens they are enabled as the list allows.
class BookmarkMenu : public QObject {
    Q_OBJECT
public:
    BookmarkMenu(MainWindow &window, BookmarkSession &session, QObject *parent = nullptr);

private:
    // Every item anew from the session's list; with no bookmark the jump list and its separator
    // are hidden.
    void showBookmarks();
    void showAvailability();
    void connectCommands(MainWindow &window);
    void resizeLists(int count);

    BookmarkSession &m_session;
    shell::ActionItemArray &m_jumpList;
    shell::ActionItemArray &m_deleteList;
    shell::ActionItemArray &m_renameList;
    QAction *m_separator;
    QAction *m_define;
    QAction *m_clearAll;
    QAction *m_delete;
    QAction *m_rename;
    QAction *m_last;
};

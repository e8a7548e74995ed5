#pragma once

#include <QObject>
#include <QStringList>

class MainWindow;
class QAction;

namespace shell {
class ActionItemArray;
}

// The bookmarks of the active album in the Bookmark menu's three lists: the jump list, Delete
// and Rename. Item i of each shows bookmark i as "file - hh:mm:ss"; a titled bookmark shows its
// title (at most 100 characters) in the jump and Rename lists instead.
class BookmarkMenu : public QObject {
    Q_OBJECT
public:
    explicit BookmarkMenu(MainWindow &window, QObject *parent = nullptr);

    // Bookmark entries "path/seconds/title" in list order; empty entries are passed over. With
    // none, the jump list and its separator are hidden.
    void showBookmarks(const QStringList &bookmarks);

private:
    void resizeLists(int count);

    shell::ActionItemArray &m_jumpList;
    shell::ActionItemArray &m_deleteList;
    shell::ActionItemArray &m_renameList;
    QAction *m_separator;
};

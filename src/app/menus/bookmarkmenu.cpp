#include "app/menus/bookmarkmenu.h"

#include "app/window/mainwindow.h"
#include "bookmarks/bookmarkentry.h"
#include "bookmarks/bookmarksession.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

constexpr int longestTitle = 100;

// The first count characters; a surrogate pair is never cut in two.
QString leftCharacters(const QString &text, int count)
{
    if (text.size() <= count)
        return text;
    const bool cutsPair = text.at(count - 1).isHighSurrogate();
    return text.left(cutsPair ? count - 1 : count);
}

} // namespace

BookmarkMenu::BookmarkMenu(MainWindow &window, BookmarkSession &session, QObject *parent)
    : QObject(parent), m_session(session), m_jumpList(*window.menus().bookmarkList),
      m_deleteList(*window.menus().bookmarkDeleteList),
      m_renameList(*window.menus().bookmarkRenameList),
      m_separator(window.menus().bookmarkSeparator),
      m_define(window.menuItem(QStringLiteral("mBookmarkNew"))),
      m_clearAll(window.menuItem(QStringLiteral("mBookmarkClearAll"))),
      m_delete(window.menuItem(QStringLiteral("mBookmarkDelete"))),
      m_rename(window.menuItem(QStringLiteral("mBookmarkRename"))),
      m_last(window.menuItem(QStringLiteral("mBookmarkLast")))
{
    connectCommands(window);
    connect(window.menus().bookmark, &QMenu::aboutToShow, this, &BookmarkMenu::showAvailability);
    connect(&session, &BookmarkSession::bookmarksChanged, this, &BookmarkMenu::showBookmarks);
    showBookmarks();
}

void BookmarkMenu::connectCommands(MainWindow &window)
{
    shell::WhatsThis &whatsThis = window.whatsThis();
    BookmarkSession &session = m_session;
    whatsThis.connectCommand(m_define, [&session] { session.defineCommand(); });
    whatsThis.connectCommand(m_clearAll, [&session] { session.clearAllCommand(); });
    whatsThis.connectCommand(m_last, [&session] { session.lastUnmarkedCommand(); });
    whatsThis.connectArray(&m_jumpList, [&session](int index) { session.jumpCommand(index); });
    whatsThis.connectArray(&m_deleteList, [&session](int index) { session.deleteCommand(index); });
    whatsThis.connectArray(&m_renameList, [&session](int index) { session.renameCommand(index); });
}

void BookmarkMenu::showBookmarks()
{
    const QStringList &entries = m_session.entries();
    const bool any = m_session.hasBookmarks();
    resizeLists(int(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        const album::Mark mark = album::parseMark(entries[i]);
        const QString fileAndTime = any ? bookmarks::fileAndTimeCaption(mark) : QString();
        const QString title = leftCharacters(bookmarks::shownTitle(mark), longestTitle);
        const QString shown = title.isEmpty() ? fileAndTime : title;
        m_jumpList.setCaption(i, shown);
        m_renameList.setCaption(i, shown);
        m_deleteList.setCaption(i, fileAndTime);
    }
    for (shell::ActionItemArray *list : {&m_jumpList, &m_deleteList, &m_renameList})
        list->setVisible(0, any);
    m_separator->setVisible(any);
}

void BookmarkMenu::showAvailability()
{
    const bool any = m_session.hasBookmarks();
    m_define->setEnabled(m_session.canDefine());
    m_clearAll->setEnabled(any);
    m_delete->setEnabled(any);
    m_rename->setEnabled(any);
    m_last->setEnabled(!m_session.lastUnmarked().isEmpty());
}

void BookmarkMenu::resizeLists(int count)
{
    for (shell::ActionItemArray *list : {&m_jumpList, &m_deleteList, &m_renameList})
        shell::resizeArray(*list, std::max(count, 1));
}

#include "app/bookmarkmenu.h"

#include "album/markpaths.h"
#include "album/pathtext.h"
#include "app/mainwindow.h"
#include "player/timeformat.h"
#include "shell/actionitemarray.h"
#include "text/characterreferences.h"

#include <QAction>

#include <algorithm>

namespace {

constexpr int longestTitle = 100;

struct BookmarkCaptions {
    QString fileAndTime;
    QString title; // empty when the bookmark has none
};

// The first count characters; a surrogate pair is never cut in two.
QString leftCharacters(const QString &text, int count)
{
    if (text.size() <= count)
        return text;
    const bool cutsPair = text.at(count - 1).isHighSurrogate();
    return text.left(cutsPair ? count - 1 : count);
}

BookmarkCaptions captionsOf(const QString &entry)
{
    const album::Mark mark = album::parseMark(entry);
    BookmarkCaptions captions;
    captions.fileAndTime = album::textAfterLast(mark.path, u"\\", false) + " - " +
                           formatSeconds(FixedPoint::parse(mark.seconds));
    if (!mark.title.isEmpty()) {
        captions.title = leftCharacters(text::fromCharacterReferenceText(mark.title), longestTitle);
    }
    return captions;
}

} // namespace

BookmarkMenu::BookmarkMenu(MainWindow &window, QObject *parent)
    : QObject(parent), m_jumpList(*window.menus().bookmarkList),
      m_deleteList(*window.menus().bookmarkDeleteList),
      m_renameList(*window.menus().bookmarkRenameList),
      m_separator(window.menus().bookmarkSeparator)
{
}

void BookmarkMenu::showBookmarks(const QStringList &bookmarks)
{
    QStringList entries = bookmarks;
    entries.removeAll(QString());
    const int count = int(entries.size());
    resizeLists(std::max(count, 1));
    for (int i = 0; i < count; ++i) {
        const BookmarkCaptions captions = captionsOf(entries[i]);
        const QString shown = captions.title.isEmpty() ? captions.fileAndTime : captions.title;
        m_jumpList.setCaption(i, shown);
        m_renameList.setCaption(i, shown);
        m_deleteList.setCaption(i, captions.fileAndTime);
    }
    const bool any = count > 0;
    for (shell::ActionItemArray *list : {&m_jumpList, &m_deleteList, &m_renameList}) {
        if (!any)
            list->setCaption(0, QString());
        list->setVisible(0, any);
    }
    m_separator->setVisible(any);
}

void BookmarkMenu::resizeLists(int count)
{
    for (shell::ActionItemArray *list : {&m_jumpList, &m_deleteList, &m_renameList})
        shell::resizeArray(*list, count);
}

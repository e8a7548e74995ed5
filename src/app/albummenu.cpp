#include "app/albummenu.h"

#include "platform/paths.h"
#include "shell/actionitemarray.h"

#include <QAction>

#include <algorithm>

AlbumMenu::AlbumMenu(const Entries &entries, const album::MonthNames &months)
    : m_entries(entries), m_months(months)
{
}

void AlbumMenu::resizeAlbumList(const album::AlbumList &list, int lastIndex)
{
    const int count = std::max(lastIndex, 0) + 1;
    for (shell::ActionItemArray *array : {m_entries.albums, m_entries.removeItems})
        shell::resizeArray(*array, count);
    shell::ActionItemArray &removeItems = *m_entries.removeItems;
    for (int i = 0; i < count; ++i) {
        shell::MenuItemState state = removeItems.item(i);
        state.caption = platform::toNativePath(list.albumPathOf(album::AlbumList::Index(i)));
        removeItems.setItem(i, state);
    }
    const bool any = lastIndex >= 0;
    if (!any)
        m_entries.albums->setCaption(0, QString());
    m_entries.albums->setVisible(0, any);
    m_entries.separator->setVisible(any);
    m_entries.removeCommand->setEnabled(any);
}

void AlbumMenu::refreshAlbumItem(const album::AlbumList &list, int index, const QDateTime &now)
{
    if (index < 0 || index >= list.count())
        return;
    shell::ActionItemArray &albums = *m_entries.albums;
    if (albums.count() <= index)
        shell::resizeArray(albums, index + 1);
    const album::AlbumEntry entry = list.entry(album::AlbumList::Index(index));
    albums.setEnabled(index, album::albumFileExists(entry));
    albums.setCaption(index, album::albumCaption(entry, m_months, now).text);
}

void AlbumMenu::showAlbumList(const album::AlbumList &list, const QDateTime &now)
{
    resizeAlbumList(list, list.count() - 1);
    shell::ActionItemArray &albums = *m_entries.albums;
    // One write per item: thousands of albums are mirrored at every start.
    for (int i = 0; i < list.count(); ++i) {
        const album::AlbumEntry entry = list.entry(album::AlbumList::Index(i));
        shell::MenuItemState state = albums.item(i);
        state.enabled = album::albumFileExists(entry);
        state.caption = album::albumCaption(entry, m_months, now).text;
        state.visible = true;
        state.checked = i == 0;
        albums.setItem(i, state);
    }
    if (list.isEmpty())
        shell::radioCheckMenuItem(albums, -1);
}

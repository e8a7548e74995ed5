#include "app/window/albummenu.h"

#include "platform/paths.h"
#include "shell/menu/actionitemarray.h"

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
    const int helpContext = removeItems.helpContext(0);
    removeItems.describeItems([list, helpContext](int index) {
        shell::MenuItemState state;
        state.caption = platform::toNativePath(list.albumPathOf(album::AlbumList::Index(index)));
        state.helpContext = helpContext;
        return state;
    });
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
    if (list.isEmpty()) {
        shell::radioCheckMenuItem(albums, -1);
        return;
    }
    // Thousands of albums are mirrored at every start: each caption and existence check waits
    // until its item is first needed.
    const int helpContext = albums.helpContext(0);
    albums.describeItems([list, months = m_months, now, helpContext](int index) {
        const album::AlbumEntry entry = list.entry(album::AlbumList::Index(index));
        shell::MenuItemState state;
        state.enabled = album::albumFileExists(entry);
        state.caption = album::albumCaption(entry, months, now).text;
        state.checked = index == 0;
        state.helpContext = helpContext;
        return state;
    });
}

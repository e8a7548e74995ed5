#pragma once

#include "album/albumcaption.h"
#include "album/albumlist.h"

#include <QDateTime>

class QAction;

namespace shell {
class ActionItemArray;
}

// The album list shown in the File menu: album item i and File > Remove item i show entry i.
// There is always at least one item; with no album item 0 is hidden with an empty caption, the
// separator under the album items is hidden and File > Remove is disabled.
class AlbumMenu {
public:
    struct Entries {
        shell::ActionItemArray *albums = nullptr;      // mFileList
        shell::ActionItemArray *removeItems = nullptr; // mFileRemoveList
        QAction *separator = nullptr;                  // under the album items
        QAction *removeCommand = nullptr;              // mFileRemove
    };

    // The month names are measured in the window's font.
    AlbumMenu(const Entries &entries, const album::MonthNames &months);

    // Both arrays hold exactly max(lastIndex, 0) + 1 items; every Remove caption is the album's
    // path; item 0, the separator and File > Remove show whether lastIndex is 0 or more.
    void resizeAlbumList(const album::AlbumList &list, int lastIndex);
    // Album item index: enabled exactly when the playlist file exists, its caption the album's
    // date, path, duration and title. Nothing for an index outside the list.
    void refreshAlbumItem(const album::AlbumList &list, int index,
                          const QDateTime &now = QDateTime::currentDateTime());
    // Mirrors the whole list: every item refreshed as it is first read or shown, the active
    // album (item 0) checked.
    void showAlbumList(const album::AlbumList &list,
                       const QDateTime &now = QDateTime::currentDateTime());

private:
    Entries m_entries;
    album::MonthNames m_months;
};

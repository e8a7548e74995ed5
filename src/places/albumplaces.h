#pragma once

#include "album/albumentry.h"
#include "places/placesformat.h"

#include <QString>
#include <QStringList>

// An album entry of this computer as a shared album, and a merged one back into the entry.
namespace places {

// The album as this computer holds it; stamps are left 0.
SharedAlbum sharedAlbumOf(const album::AlbumEntry &entry, const QString &key);
// When the entry's place was captured, in UTC; 0 before its first capture.
Stamp accessStampOf(const album::AlbumEntry &entry);
// The entry with the merged album's bookmarks, in the order of the records (their names in
// playlist order) and of their seconds, and, with takePlace, its place: resume mark, speed,
// volume and access stamp. Names that lead out of the album's folder are left out.
album::AlbumEntry entryWith(album::AlbumEntry entry, const SharedAlbum &merged, bool takePlace,
                            const QStringList &recordNames);

} // namespace places

#pragma once

#include "album/albumentry.h"

#include <QString>
#include <QStringView>

namespace album {

// One item of the Marks field: the record's file, "/", the position in whole seconds, "/", a
// title. In the field (in memory as in the settings file) the path has the stored form of
// encodeAlbumPath, so that a "|" or a line break in a name never cuts the field.
struct Mark {
    QString path;    // decoded
    QString seconds; // as written, decimal text
    QString title;   // character-reference form

    friend bool operator==(const Mark &, const Mark &) = default;
};

// The mark an item holds: split at its first two "/" (the title may hold more), the path
// decoded; missing fields are empty.
Mark parseMark(QStringView item);
// The item for a mark: the path in its stored form, and a "|" or "=" of the title as a
// character reference, which reads back as the same title.
QString markText(const Mark &mark);

// The entry with every mark's path made absolute against the album's folder (toAbsolute, on
// reading the settings file) or relative to it (on writing, where a mark outside the folder is
// dropped, empty marks collapse, and "=" is stored as "&#61;" in titles).
AlbumEntry convertMarkPaths(AlbumEntry entry, bool toAbsolute);

} // namespace album

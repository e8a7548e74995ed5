#pragma once

#include "media/tagtext.h"
#include "player/recordlist.h"

#include <QList>
#include <QString>

namespace album {

// What reading a playlist into the record list found.
struct PlaylistRecords {
    qint16 count = 0;
    qint16 firstPlayable = -1; // the first record whose file exists
    qint32 totalSeconds = 0;   // of the records whose file exists
};

struct LoadedRecords {
    QList<Record> records;
    PlaylistRecords summary;
};

// The title a record shows: Unicode text as it is, cut to its first 100 code units; 8-bit bytes
// decoded in the album's code page as TagText::toString reads them.
QString recordTitleText(const media::TagText &title, int codePage);

// One record per source of the playlist, in order: an existing file with its duration, its
// source as written (relative to the playlist's folder, native form) and its tag title; a
// missing file disabled, with no duration and no title. At most RecordList's index range.
LoadedRecords readPlaylistRecords(const QString &playlist, int codePage);

// The only record of an album made from one audio file, captioned with the file's name.
LoadedRecords readSingleFileRecord(const QString &path);

} // namespace album

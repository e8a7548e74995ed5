#pragma once

#include "media/chapter.h"
#include "media/deviceread.h"
#include "media/tagtext.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QIODevice;

namespace media {

// One file's tags merged: ID3v2 first, then ID3v1 and the enhanced "TAG+" block for what is
// still empty.
struct TagRecord {
    TagText title;
    TagText artist;
    TagText album;
    TagText comment;
    TagText genre;
    qint16 year = 0;
    qint16 track = 0;
    // The chapters the tag lists, as the file holds them (tidyChapters puts them in order).
    Chapters chapters;
    // 2.2, 2.3 or 2.4 for an ID3v2 tag; else 1.2 with an enhanced block, 1.1 with an ID3v1
    // block, 0 with neither.
    float version = 0;

    friend bool operator==(const TagRecord &, const TagRecord &) = default;
};

// Reads and merges all tags of the file at the internal path. A file that cannot be opened or
// holds no tag gives empty texts and zero numbers.
TagRecord readTag(const QString &internalPath);

// The same over an open random-access device (a file, or bytes in a buffer). Reads only the
// ID3v2 header and body and the last 355 bytes, each bounded by the device's size; a body of
// more than 16 MB is read in pieces of 1 MB, and of each frame found only its start, except the
// chapter frames (up to 1 MB each), which its frame headers lead to.
TagRecord readTag(QIODevice &device);
// The same; fileStart, when given, receives the bytes read from the start: the ID3v2 header and
// the body when it was read whole, and at least the first firstScanChunkSize bytes, which a
// frame-sync scan needs next.
TagRecord readTag(const DeviceReader &device, QByteArray *fileStart = nullptr);

} // namespace media

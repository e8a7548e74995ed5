#pragma once

#include "media/tagreader.h"

#include <QString>
#include <QtGlobal>

class QIODevice;
namespace platform {
class RandomAccessFile;
}

namespace media {

struct MediaInfo {
    TagRecord tag;
    qint32 duration = 0;
};

// The tag record and the duration of one file (as readTag and mpegDuration give them) through
// a single opening: the frame-sync scan reuses the ID3v2 bytes read for the tag.
MediaInfo readMediaInfo(const QString &internalPath);
// The same over the file already opened from that path, for a caller that also wants to know
// why a file could not be opened.
MediaInfo readMediaInfo(const platform::RandomAccessFile &file, const QString &internalPath);
// The same over an open random-access device, without asking the system for the duration.
MediaInfo readMediaInfo(QIODevice &device);

} // namespace media

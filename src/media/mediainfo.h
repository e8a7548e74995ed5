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
    // The container and its audio codec as the probe names them ("mp3", "mov/aac", "ogg/opus").
    QString format;
};

// The tag record, the duration and the chapters of one file through a single opening: an MP3
// (any name that is no container's) as readTag and mpegDuration give them, the frame-sync scan
// reusing the ID3v2 bytes read for the tag; a container format as readContainerInfo reads it.
MediaInfo readMediaInfo(const QString &internalPath);
// The same over the file already opened from that path, for a caller that also wants to know
// why a file could not be opened.
MediaInfo readMediaInfo(const platform::RandomAccessFile &file, const QString &internalPath);
// The same for an MP3 over an open random-access device, without asking the system for the
// duration.
MediaInfo readMediaInfo(QIODevice &device);

} // namespace media

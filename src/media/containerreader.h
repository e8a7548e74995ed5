#pragma once

#include "media/mediainfo.h"

#include <QStringView>

namespace platform {
class RandomAccessFile;
}

// Records in today's audiobook formats (MP4/M4B, Ogg, Opus, FLAC, ASF, WAV, raw AAC), read with
// libavformat: the container's header and index only, never a decoded sample.
namespace media {

// Whether the file name's extension names one of those formats (without regard to case).
bool isContainerFileName(QStringView fileName);

// Title, length and chapters of the open file, read as the format its extension names (any
// format libavformat knows when that fails). Reads go through the file itself, never a name
// the library could take for a protocol, and stop after a bounded number of bytes and seconds.
// A file that cannot be read gives an empty record and a duration of 0.
MediaInfo readContainerInfo(const platform::RandomAccessFile &file, QStringView fileName);

} // namespace media

#pragma once

#include "media/chapter.h"

#include <QByteArrayView>
#include <QtGlobal>

namespace media {

class DeviceReader;

// Bits of an ID3v2 tag header's flags byte that change how its body is read.
inline constexpr quint8 id3Unsynchronised = 0x80;
inline constexpr quint8 id3ExtendedHeader = 0x40;

// The chapters of an ID3v2 tag body (the bytes after its 10-byte header), as the tag lists
// them: the chapter frames the first top-level table of contents names, through the tables it
// names in turn, in its order and each once; every chapter frame in the body's order when there
// is no such table or it names none that is there. A chapter's title is its first embedded
// title frame (empty without one). Only versions 2.3 and 2.4 have chapters. Frames are walked
// from the body's start (after an extended header) up to padding, a frame that is cut short or
// a bad identifier; a frame that is compressed, encrypted or too short for its fields is
// skipped. At most maximumChapters chapters; headerFlags is the tag header's flags byte.
Chapters readId3Chapters(QByteArrayView body, int majorVersion, quint8 headerFlags = 0);

// The same for a body of bodySize bytes at bodyOffset on the device, too large to be read whole:
// only its chapter and table frames are read, those of at most 1 MB and up to 16 MB of them in
// all. A 2.3 body unsynchronised as a whole gives none.
Chapters readId3Chapters(const DeviceReader &device, qint64 bodyOffset, qint64 bodySize,
                         int majorVersion, quint8 headerFlags = 0);

} // namespace media

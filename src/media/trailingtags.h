#pragma once

#include "media/deviceread.h"

#include <QtGlobal>

namespace media {

// Where an MPEG file's audio ends: before the blocks that tag writers append to it (an ID3v1
// "TAG" block, the enhanced "TAG+" block, an APEv2 tag, a Lyrics3v2 block), in whatever order
// they follow one another. A block whose stated size would reach before audioStart is no block.
qint64 audioEnd(const DeviceReader &device, qint64 audioStart);

} // namespace media

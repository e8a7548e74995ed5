#pragma once

#include "media/deviceread.h"

#include <QByteArray>
#include <QtGlobal>

#include <optional>

namespace media {

// The length of an MPEG audio stream in 100-nanosecond units, measured as a media-property
// service measures it. The stream starts at the first Layer III frame after the ID3v2 tag that
// the next frames confirm; its length is the frame count of a Xing, Info or VBRI header in that
// frame, else its audio bytes before the trailing tags over their average bit rate. nullopt when
// no confirmed frame is found. fileStart, when given, holds the device's first bytes already read.
std::optional<qint64> streamDurationUnits(const DeviceReader &device,
                                          const QByteArray &fileStart = {});

} // namespace media

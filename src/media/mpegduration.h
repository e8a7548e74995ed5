#pragma once

#include "media/deviceread.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QIODevice;

namespace media {

// Whole seconds of an MP3 file: the system's media duration when it has one, else the device's
// duration below. 0 when none answers.
qint32 mpegDuration(const QString &internalPath);

// Whole seconds of an open device without asking the system: the stream's measured length
// (mpegstream.h) when its frames are found, else the header estimate. fileStart as below.
qint32 deviceDuration(const DeviceReader &device, const QByteArray &fileStart = {});

// The system's media duration alone (no answer off Windows); 0 when there is none.
qint32 shellDuration(const QString &internalPath);

// A count of 100-nanosecond units in whole seconds, halves to the even number; 0 for a count of
// 0 or less.
qint32 secondsFromShellUnits(qint64 units);

// The estimate from the first frame sync found after the ID3v2 tag (from the first byte when
// there is none): the Xing header's average bit rate, else the header's own, by the frame's MPEG
// version, applied to the whole length. 0 when there is no sync.
qint32 headerDuration(QIODevice &device);
// The same; fileStart, when given, holds the device's first bytes already read, which are
// scanned without reading them again.
qint32 headerDuration(const DeviceReader &device, const QByteArray &fileStart = {});

} // namespace media

#pragma once

#include <QByteArray>
#include <QtGlobal>

class QIODevice;

namespace media {

// Up to `length` bytes of the device from offset, cut at its end; empty when nothing is there
// or the device cannot seek or read.
QByteArray readAt(QIODevice &device, qint64 offset, qint64 length);

} // namespace media

#pragma once

#include "media/deviceread.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

namespace media {

// Small pieces of a device read near one another through one chunk kept in memory: a piece the
// chunk holds costs no read, any other reads a new chunk from the piece's offset on.
class DeviceWindow {
public:
    // fileStart, when given, holds the device's first bytes already read: the first chunk.
    DeviceWindow(const DeviceReader &device, const QByteArray &fileStart);

    qint64 size() const { return m_device.size(); }
    // Up to count bytes from offset, fewer at the end of the device. The view lasts until the
    // next call.
    QByteArrayView bytesAt(qint64 offset, qint64 count);
    // The offset of the first frame sync that starts in [from, to), -1 when there is none.
    qint64 findSync(qint64 from, qint64 to);

private:
    // The chunk's bytes from offset on, a new chunk read when it holds fewer than count of them.
    QByteArrayView holding(qint64 offset, qint64 count);

    const DeviceReader &m_device;
    QByteArray m_chunk;
    qint64 m_chunkStart = 0;
};

} // namespace media

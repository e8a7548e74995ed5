#include "media/devicewindow.h"

#include "media/mpegframe.h"

namespace media {
namespace {

// A chunk holds a few frames of any bit rate, so that a chain of them costs one read.
constexpr qint64 chunkSize = 8192;

} // namespace

DeviceWindow::DeviceWindow(const DeviceReader &device, const QByteArray &fileStart)
    : m_device(device), m_chunk(fileStart)
{
}

QByteArrayView DeviceWindow::holding(qint64 offset, qint64 count)
{
    if (offset < m_chunkStart || m_chunkStart + m_chunk.size() < qMin(offset + count, size())) {
        m_chunk = m_device.read(offset, qMax(count, chunkSize));
        m_chunkStart = offset;
    }
    // Past the chunk only when nothing is asked for or the device ends before: nothing to give.
    return QByteArrayView(m_chunk).sliced(qMin<qint64>(offset - m_chunkStart, m_chunk.size()));
}

QByteArrayView DeviceWindow::bytesAt(qint64 offset, qint64 count)
{
    const QByteArrayView bytes = holding(offset, count);
    return bytes.first(qBound<qint64>(0, count, bytes.size()));
}

qint64 DeviceWindow::findSync(qint64 from, qint64 to)
{
    while (true) {
        const QByteArrayView bytes = holding(from, 2);
        const QByteArrayView piece = bytes.first(qBound<qint64>(0, to - from, bytes.size()));
        if (piece.size() < 2)
            return -1;
        const qsizetype found = frameSyncIn(piece);
        if (found >= 0)
            return from + found;
        from += piece.size() - 1;
    }
}

} // namespace media

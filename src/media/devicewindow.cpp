#include "media/devicewindow.h"

#include "media/mpegframe.h"

namespace media {
namespace {

// A chunk holds a few frames of any bit rate, so that a chain of them costs one read.
constexpr qint64 chunkSize = 16384;

} // namespace

DeviceWindow::DeviceWindow(const DeviceReader &device, const QByteArray &fileStart)
    : m_device(device), m_chunk(fileStart)
{
}

QByteArrayView DeviceWindow::holding(qint64 offset, qint64 count)
{
    const qint64 chunkEnd = m_chunkStart + m_chunk.size();
    const qint64 wanted = qMin(offset + count, size());
    if (offset < m_chunkStart || offset >= chunkEnd || chunkEnd < wanted) {
        m_chunk = m_device.read(offset, qMax(count, chunkSize));
        m_chunkStart = offset;
    }
    if (offset < m_chunkStart || offset >= m_chunkStart + m_chunk.size())
        return {};
    return QByteArrayView(m_chunk).sliced(offset - m_chunkStart);
}

QByteArrayView DeviceWindow::bytesAt(qint64 offset, qint64 count)
{
    const QByteArrayView bytes = holding(offset, count);
    return bytes.first(qMin<qint64>(bytes.size(), qMax<qint64>(count, 0)));
}

qint64 DeviceWindow::findSync(qint64 from, qint64 to)
{
    to = qMin(to, size());
    while (from + 1 < to) {
        const QByteArrayView bytes = holding(from, 2);
        const QByteArrayView piece = bytes.first(qMin<qint64>(bytes.size(), to - from));
        if (piece.size() < 2)
            return -1;
        const qsizetype found = frameSyncIn(piece);
        if (found >= 0)
            return from + found;
        from += piece.size() - 1;
    }
    return -1;
}

} // namespace media

#pragma once

#include <QByteArray>
#include <QtGlobal>

class QIODevice;
namespace platform {
class RandomAccessFile;
}

namespace media {

// The first piece a frame-sync scan reads from the file's start; a tag read that a scan follows
// reads at least that much at once.
constexpr qint64 firstScanChunkSize = 4096;

// Bounded reads of an open random-access device (a file, or bytes in a buffer), its size taken
// once: every read is cut at that size, so a length read from the file never sizes a buffer
// beyond it.
class DeviceReader {
public:
    explicit DeviceReader(QIODevice &device);
    // Reads straight from the file at given offsets: no seeks, no buffering.
    explicit DeviceReader(const platform::RandomAccessFile &file);

    qint64 size() const { return m_size; }
    // Up to `length` bytes from offset, cut at the end; empty when nothing is there or the device
    // cannot seek or read.
    QByteArray read(qint64 offset, qint64 length) const;
    // The same read appended to `bytes`, read straight into them.
    void append(QByteArray &bytes, qint64 offset, qint64 length) const;

private:
    // The one of the two that is read.
    QIODevice *m_device = nullptr;
    const platform::RandomAccessFile *m_file = nullptr;
    qint64 m_size;
};

} // namespace media

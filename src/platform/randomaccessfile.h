#pragma once

#include <QString>
#include <QtGlobal>

// A file opened for reads at given offsets, with no buffering, seeking or locking of its own:
// the media readers take a few small pieces of many files, where that overhead would dominate.
namespace platform {

class RandomAccessFile {
public:
    // Opens the regular file at the internal path for reading (never a FIFO or device, which
    // could block); isOpen() tells whether it worked, error() why not.
    explicit RandomAccessFile(const QString &internalPath);
    ~RandomAccessFile();
    RandomAccessFile(const RandomAccessFile &) = delete;
    RandomAccessFile &operator=(const RandomAccessFile &) = delete;

    bool isOpen() const { return m_handle >= 0; }
    // 0 when open, else the system's error number, or notRegularFileError for a name that is
    // no regular file (see platform/regularfile.h).
    int error() const { return m_error; }
    // The size when opened; 0 for a file that is not open or no regular file.
    qint64 size() const { return m_size; }
    // Up to length bytes at offset into data; the count read, 0 at the end, -1 on an error.
    qint64 readAt(qint64 offset, char *data, qint64 length) const;

private:
    int m_handle = -1;
    qint64 m_size = 0;
    int m_error = 0;
};

} // namespace platform

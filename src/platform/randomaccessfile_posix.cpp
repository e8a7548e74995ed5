#include "platform/randomaccessfile.h"

#include "platform/paths.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

RandomAccessFile::RandomAccessFile(const QString &internalPath)
{
    const QByteArray native = QFile::encodeName(toNativePath(internalPath));
    if (native.isEmpty())
        return;
    m_handle = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    struct stat status;
    if (m_handle < 0 || ::fstat(m_handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (m_handle >= 0)
            ::close(m_handle);
        m_handle = -1;
        return;
    }
    m_size = status.st_size;
}

RandomAccessFile::~RandomAccessFile()
{
    if (m_handle >= 0)
        ::close(m_handle);
}

qint64 RandomAccessFile::readAt(qint64 offset, char *data, qint64 length) const
{
    if (m_handle < 0 || offset < 0 || length < 0)
        return -1;
    qint64 done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_handle, data + done, size_t(length - done), offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

} // namespace platform

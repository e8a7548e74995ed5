#include "platform/randomaccessfile.h"

#include "platform/paths.h"
#include "platform/regularfile.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

namespace platform {

RandomAccessFile::RandomAccessFile(const QString &internalPath)
{
    qint64 size = 0;
    m_handle = openRegularFile(QFile::encodeName(toNativePath(internalPath)), &size, &m_error);
    m_size = m_handle >= 0 ? size : 0;
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

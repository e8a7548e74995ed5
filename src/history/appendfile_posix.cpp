#include "history/appendfile.h"

#include "platform/paths.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace history {

namespace {

bool isOwnRegularFile(const struct stat &status)
{
    return S_ISREG(status.st_mode) && status.st_uid == ::geteuid();
}

// Examined before opening: even a non-blocking open of a FIFO releases a writer waiting on it.
bool mayOpen(const QByteArray &name, AppendFile::Mode mode)
{
    struct stat status {};
    if (::lstat(name.constData(), &status) == 0)
        return isOwnRegularFile(status);
    return errno == ENOENT && mode == AppendFile::Mode::CreateMissing;
}

int openFlags(AppendFile::Mode mode)
{
    // Read and write: the file's first and last bytes tell what a new line must follow.
    const int flags = O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    return mode == AppendFile::Mode::CreateMissing ? flags | O_CREAT : flags;
}

} // namespace

AppendFile::AppendFile(const QString &internalPath, Mode mode)
{
    const QByteArray name = QFile::encodeName(platform::toNativePath(internalPath));
    if (name.isEmpty() || !mayOpen(name, mode))
        return;
    const int handle = ::open(name.constData(), openFlags(mode), 0600);
    struct stat status {};
    if (handle >= 0 && ::fstat(handle, &status) == 0 && isOwnRegularFile(status)) {
        m_handle = handle;
        m_size = status.st_size;
    } else if (handle >= 0) {
        ::close(handle);
    }
}

AppendFile::~AppendFile()
{
    if (m_handle >= 0)
        ::close(m_handle);
}

QByteArray AppendFile::readAt(qint64 offset, qint64 length) const
{
    QByteArray bytes(qMax<qint64>(length, 0), Qt::Uninitialized);
    qint64 done = 0;
    while (m_handle >= 0 && done < bytes.size()) {
        const ssize_t got =
            ::pread(m_handle, bytes.data() + done, size_t(bytes.size() - done), offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

bool AppendFile::write(QByteArrayView bytes) const
{
    qsizetype done = 0;
    while (m_handle >= 0 && done < bytes.size()) {
        const ssize_t written = ::write(m_handle, bytes.data() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return m_handle >= 0;
}

bool AppendFile::sync() const
{
    return m_handle >= 0 && ::fsync(m_handle) == 0;
}

} // namespace history

#include "platform/regularfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

int failed(int *error, int reason)
{
    if (error)
        *error = reason;
    return -1;
}

// 0 for a regular file, else why it is refused.
int refusal(int statusResult, const struct stat &status)
{
    if (statusResult != 0)
        return errno;
    return S_ISREG(status.st_mode) ? 0 : notRegularFileError;
}

} // namespace

int openRegularFile(const QByteArray &nativeName, qint64 *size, int *error)
{
    if (nativeName.isEmpty())
        return failed(error, ENOENT);
    // Examined first: even a non-blocking open of a FIFO for reading would release a writer
    // waiting on it.
    struct stat status;
    if (const int reason = refusal(::stat(nativeName.constData(), &status), status))
        return failed(error, reason);
    // O_NONBLOCK: the name may have become a FIFO since it was examined. O_NOCTTY: nor does a
    // terminal named here become the program's.
    const int handle = ::open(nativeName.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (handle < 0)
        return failed(error, errno);
    if (const int reason = refusal(::fstat(handle, &status), status)) {
        ::close(handle);
        return failed(error, reason);
    }
    // Regular files ignore the flag; cleared all the same (the only status flag set), so reads
    // behave as usual.
    ::fcntl(handle, F_SETFL, 0);
    *size = status.st_size;
    if (error)
        *error = 0;
    return handle;
}

} // namespace platform

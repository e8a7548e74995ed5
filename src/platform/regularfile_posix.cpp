#include "platform/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int openRegularFile(const QByteArray &nativeName, qint64 *size)
{
    struct stat status;
    if (nativeName.isEmpty() || ::stat(nativeName.constData(), &status) != 0 ||
        !S_ISREG(status.st_mode))
        return -1;
    // O_NONBLOCK: the name may have become a FIFO since it was examined.
    const int handle = ::open(nativeName.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (handle < 0)
        return -1;
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(handle);
        return -1;
    }
    // Regular files ignore the flag; cleared all the same, so reads behave as usual.
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK);
    *size = status.st_size;
    return handle;
}

} // namespace platform

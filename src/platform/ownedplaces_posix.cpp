#include "platform/ownedplaces.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool isOwnRegularFile(int descriptor)
{
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_uid == ::geteuid() && status.st_nlink == 1;
}

int openNoFollow(const QByteArray &nativePath, int extraFlags)
{
    return ::open(nativePath.constData(),
                  O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | extraFlags, 0600);
}

// A folder that this user owns and no one else may read, write or enter.
bool isPrivateFolder(const QByteArray &nativePath)
{
    struct stat status {};
    return ::stat(nativePath.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 0077) == 0;
}

} // namespace

OwnedFile openOwnedFile(const QByteArray &nativePath)
{
    int descriptor = openNoFollow(nativePath, 0);
    if (descriptor >= 0 && isOwnRegularFile(descriptor))
        return {descriptor, 0};
    if (descriptor >= 0)
        ::close(descriptor);
    else if (errno != ELOOP && errno != ENXIO && errno != EACCES)
        return {-1, errno};
    // Something that is not ours: a new file takes its name, or nothing does.
    if (::unlink(nativePath.constData()) != 0 && errno != ENOENT)
        return {-1, errno};
    descriptor = openNoFollow(nativePath, O_EXCL);
    if (descriptor < 0)
        return {-1, errno};
    return {descriptor, 0};
}

QString privateSocketFolder(const QString &prefix, bool &created)
{
    created = false;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && isPrivateFolder(runtime))
        return QFile::decodeName(runtime);
    // mkdtemp makes a new folder 0700 under a name no one could have guessed.
    QByteArray pattern = QFile::encodeName(QDir(QDir::tempPath()).filePath(prefix)) + "-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return QString();
    created = true;
    return QFile::decodeName(pattern);
}

bool peerIsThisUser(qintptr socketDescriptor)
{
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    return ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           size == sizeof credentials && credentials.uid == ::geteuid();
}

} // namespace platform

#include "platform/filebytes.h"

#include "platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int temporarySuffixLength = 6;
constexpr char suffixCharacters[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// A temporary file is ".NAME.tmp-" and the suffix: hidden, and a name no user gives a backup.
constexpr QStringView temporaryMarker = u".tmp-";

// The file a write replaces: a link's target, so that the link stays a link.
QString writeTarget(const QString &nativePath)
{
    const QString target = QFileInfo(nativePath).canonicalFilePath();
    return target.isEmpty() ? nativePath : target;
}

bool isTemporaryName(QStringView name, QStringView fileName)
{
    const qsizetype prefixSize = 1 + fileName.size() + temporaryMarker.size();
    if (name.size() != prefixSize + temporarySuffixLength || !name.startsWith(u'.') ||
        name.sliced(1, fileName.size()) != fileName ||
        name.sliced(1 + fileName.size(), temporaryMarker.size()) != temporaryMarker)
        return false;
    for (QChar c : name.last(temporarySuffixLength)) {
        if (!(c.unicode() < 128 && c.isLetterOrNumber()))
            return false;
    }
    return true;
}

// A new file beside the target, created exclusively (the umask applies); its descriptor, or -1.
int createTemporary(const QByteArray &target, QByteArray *name)
{
    constexpr int attempts = 100;
    const qsizetype nameStart = target.lastIndexOf('/') + 1;
    const QByteArray prefix =
        target.first(nameStart) + '.' + target.sliced(nameStart) + temporaryMarker.toLatin1();
    for (int attempt = 0; attempt < attempts; ++attempt) {
        QByteArray suffix(temporarySuffixLength, '\0');
        for (char &c : suffix)
            c = suffixCharacters[QRandomGenerator::global()->bounded(int(sizeof suffixCharacters) -
                                                                     1)];
        *name = prefix + suffix;
        const int handle = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle >= 0 || errno != EEXIST)
            return handle;
    }
    return -1;
}

// 0 when all was written, else the errno value of the failure.
int writeAll(int handle, QByteArrayView content)
{
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t written =
            ::write(handle, content.data() + done, std::size_t(content.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        // A write that takes nothing has run out of room.
        if (written == 0)
            return ENOSPC;
        done += written;
    }
    return 0;
}

// The old file's permissions (and, where allowed, owner) on the new one, before it replaces it.
bool takeOverAttributes(int handle, const struct stat &old)
{
    [[maybe_unused]] const int owned = ::fchown(handle, old.st_uid, old.st_gid);
    return ::fchmod(handle, old.st_mode & 07777) == 0;
}

// 0 when the file was replaced, else why not (an errno value).
int replaceFile(const QString &nativePath, QByteArrayView content, LinkWrite links)
{
    if (nativePath.isEmpty())
        return ENOENT;
    const bool follow = links == LinkWrite::Follow;
    const QByteArray target = QFile::encodeName(follow ? writeTarget(nativePath) : nativePath);
    struct stat old;
    const bool existed =
        (follow ? ::stat(target.constData(), &old) : ::lstat(target.constData(), &old)) == 0 &&
        !S_ISLNK(old.st_mode);
    if (existed && !S_ISREG(old.st_mode))
        return EISDIR;
    QByteArray temporary;
    const int handle = createTemporary(target, &temporary);
    if (handle < 0)
        return errno;
    int failure = (!existed || takeOverAttributes(handle, old)) ? writeAll(handle, content) : errno;
    // As a saved file does: on disk before it takes the old one's place; not every file system
    // can tell.
    ::fdatasync(handle);
    if (::close(handle) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(temporary.constData(), target.constData()) == 0)
        return 0;
    if (failure == 0)
        failure = errno;
    ::unlink(temporary.constData());
    return failure;
}

} // namespace

std::optional<QByteArray> readFileBytes(const QString &nativePath, qsizetype maxSize)
{
    qint64 size = 0;
    const int handle = openRegularFile(QFile::encodeName(nativePath), &size);
    if (handle < 0)
        return std::nullopt;
    QFile file;
    if (size > maxSize || !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return std::nullopt;
    }
    // Sized by the file, not the limit (a read allocates what it is asked for); one byte more
    // tells whether the file grew past the limit since it was examined.
    QByteArray bytes = file.read(size + 1);
    if (bytes.size() > maxSize || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool writeFileBytes(const QString &nativePath, QByteArrayView content, int *error, LinkWrite links)
{
    const int failure = replaceFile(nativePath, content, links);
    if (error)
        *error = failure;
    return failure == 0;
}

void removeStaleTemporaries(const QString &nativePath, const QDateTime &before)
{
    const QFileInfo target(writeTarget(nativePath));
    const QString fileName = target.fileName();
    const QDir folder = target.absoluteDir();
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        const QFileInfo leftover(folder.filePath(name));
        if (isTemporaryName(name, fileName) && leftover.lastModified() < before)
            QFile::remove(leftover.filePath());
    }
}

} // namespace platform

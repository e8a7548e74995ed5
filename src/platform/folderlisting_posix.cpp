#include "platform/folderlisting.h"

#include "platform/paths.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace platform {

namespace {

struct FolderCloser {
    void operator()(DIR *folder) const { closedir(folder); }
};

} // namespace

FolderListing listFolder(const QString &internalFolder)
{
    FolderListing listing;
    const int descriptor = open(QFile::encodeName(toNativePath(internalFolder)).constData(),
                                O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return listing;
    const std::unique_ptr<DIR, FolderCloser> folder(fdopendir(descriptor));
    if (!folder) {
        close(descriptor);
        return listing;
    }
    while (const dirent *entry = readdir(folder.get())) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat status;
        if (fstatat(descriptor, entry->d_name, &status, 0) != 0)
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (S_ISREG(status.st_mode))
            listing.files.append(name);
        else if (S_ISDIR(status.st_mode))
            listing.folders.append(name);
    }
    return listing;
}

} // namespace platform

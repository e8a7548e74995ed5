#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// A folder's visible entries (no name beginning with "."), symbolic links followed, FIFOs,
// sockets and devices left out. Names come decoded from the system's encoding; a name whose
// bytes are not valid in it carries the undecipherable character, so that it can be reported
// rather than vanish, as it would from Qt's own listing. Unordered; empty for a missing folder.
struct FolderListing {
    QStringList files;
    QStringList folders;
};
FolderListing listFolder(const QString &internalFolder);

} // namespace platform

#pragma once

#include <QByteArray>
#include <QString>

// Places in the file system that only this user can have made: what another local user left
// there is never trusted.
namespace platform {

struct OwnedFile {
    int descriptor = -1;
    // errno of the failure, 0 when the file is open.
    int error = 0;
};

// Opens the regular file at the native path for reading only (a read-only remount stays
// possible while it is open), creating it 0600. A link,
// a FIFO, a device, a file of another user or one with a second name there is replaced by a new
// file; neither waits on a FIFO nor follows a link. The descriptor is closed on exec.
OwnedFile openOwnedFile(const QByteArray &nativePath);

// A folder for the user's private sockets: the session's runtime folder when it is a folder of
// this user that no one else may enter, else a new such folder in the temporary folder,
// named prefix and six random characters (then
// `created` is true and the caller removes it when done). Empty when neither can be had.
QString privateSocketFolder(const QString &prefix, bool &created);

// True when the process at the other end of the connected local socket runs as this user.
bool peerIsThisUser(qintptr socketDescriptor);

} // namespace platform

#pragma once

#include <QByteArray>
#include <QtGlobal>

// Opening files for reading without ever blocking on something that is no regular file: a FIFO
// opened for reading waits for a writer for good, and a device may never answer.
namespace platform {

// What openRegularFile reports for a name that exists but is no regular file.
constexpr int notRegularFileError = -1;

// A read-only descriptor of the regular file at the native name (encoded), -1 for anything else
// or on failure. The name is examined before it is opened and the open file again after, so a
// FIFO is never waited on. *size receives the file's size; *error, when given, 0 or why there is
// no descriptor (the system's error number, or notRegularFileError).
int openRegularFile(const QByteArray &nativeName, qint64 *size, int *error = nullptr);

} // namespace platform

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>

// Whole-file reads and writes for the program's own small files (settings, playlists).
namespace platform {

// The whole regular file at the native path; nullopt when it is missing, no regular file,
// unreadable or larger than maxSize, so a huge or strange file is never loaded whole and a FIFO
// is never waited on.
std::optional<QByteArray> readFileBytes(const QString &nativePath, qsizetype maxSize);
// Replaces the file at the native path (the file a link points to) through a temporary file
// beside it, hidden and named "." + its name + ".tmp-" and six letters or digits (never a name a
// user gives a backup), and an atomic rename. The file
// keeps its permissions, read-only included, which are never cleared on the way; false leaves
// the old file whole and no temporary file behind, and error (when given) says why as an errno
// value; it is 0 after a write.
// In a folder that others may write to, a link there must never lead a write elsewhere:
// ReplaceLink puts the new file in the link's place instead.
enum class LinkWrite { Follow, ReplaceLink };
bool writeFileBytes(const QString &nativePath, QByteArrayView content, int *error = nullptr,
                    LinkWrite links = LinkWrite::Follow);
// Removes the temporary files that writes of that file left when the program was ended between
// writing and renaming: only names of that exact form, last changed before `before`.
void removeStaleTemporaries(const QString &nativePath, const QDateTime &before);

} // namespace platform

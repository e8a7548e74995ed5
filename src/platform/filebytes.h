#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Whole-file reads and writes for the program's own small files (settings, playlists).
namespace platform {

// The whole regular file at the native path; nullopt when it is missing, no regular file,
// unreadable or larger than maxSize, so a huge or strange file is never loaded whole.
std::optional<QByteArray> readFileBytes(const QString &nativePath, qsizetype maxSize);
// Replaces the file at the native path through a temporary file and an atomic rename; false
// leaves the old file whole.
bool writeFileBytes(const QString &nativePath, QByteArrayView content);

} // namespace platform

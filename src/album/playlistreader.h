#pragma once

#include <QString>
#include <QStringList>

namespace album {

// The media sources of a playlist file, whoever wrote it, in playlist order: the "src" values of
// the "<media " elements between "<seq>" and "</seq>" (to the end of the file when "</seq>" is
// missing). Relative sources are resolved against the playlist's folder (".\" and "..\"
// applied), "/" counts as "\" except in addresses, so every path is absolute and internal.
// Empty for a missing, unreadable or oversized file.
QStringList readPlaylistSources(const QString &playlistPath);

} // namespace album

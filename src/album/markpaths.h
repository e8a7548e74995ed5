#pragma once

#include "album/albumentry.h"

namespace album {

// The entry with every mark's path made absolute against the album's folder (toAbsolute, on
// reading the settings file) or relative to it (on writing, where a mark outside the folder is
// dropped, empty marks collapse, and "=" is stored as "*" in paths and as "&#61;" in titles).
AlbumEntry convertMarkPaths(AlbumEntry entry, bool toAbsolute);

} // namespace album

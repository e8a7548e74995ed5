#pragma once

#include <QByteArrayView>
#include <QStringList>

namespace media {

// The ID3v1 genre names as extended by Winamp, indexes 0 to 191.
QStringList genreList();
// The name of one genre index; empty for an index outside the list.
QByteArrayView genreName(int index);

} // namespace media

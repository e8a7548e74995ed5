#include "fuzzcheck.h"

#include "places/placesformat.h"
#include "places/placesmerge.h"

#include <cstddef>
#include <cstdint>

// The input is another computer's places file, as a sync tool delivered it. Whatever it reads as
// must write back to a file that reads the same, and merge with this computer's album.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const places::PlacesReading read = places::readPlacesText(bytes);
    fuzzCheck(read.file.has_value() == read.problem.isEmpty(), "a refusal without its reason");
    if (!read.file)
        return 0;
    const QByteArray written = places::writePlacesText(*read.file);
    const places::PlacesReading again = places::readPlacesText(written);
    fuzzCheck(again.file.has_value(), "a file read does not read back once written");
    fuzzCheck(places::writePlacesText(*again.file) == written, "a file changes on its way back");

    constexpr places::Stamp now = 1'800'000'000;
    for (const places::SharedAlbum &album : read.file->albums) {
        places::SharedAlbum own = album;
        own.bookmarks.clear();
        own.place.stamp = now;
        const places::MergedAlbum merged =
            places::mergeAlbum(own, {{read.file->computer, album}}, now, false);
        fuzzCheck(merged.album.key == album.key, "a merge changed the album");
        fuzzCheck(merged.album.bookmarks.size() <= album.bookmarks.size(),
                  "a merge made bookmarks up");
    }
    return 0;
}

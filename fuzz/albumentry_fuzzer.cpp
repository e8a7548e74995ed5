#include "fuzzcheck.h"

#include "album/albumcaption.h"
#include "album/albumentry.h"
#include "album/albumlist.h"
#include "album/markpaths.h"

#include <QDateTime>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

const album::MonthNames months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

// The input is UTF-8: album list lines as the settings file holds them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    const album::AlbumEntry entry = album::AlbumEntry::fromText(input);
    fuzzCheck(album::AlbumEntry::fromText(entry.toText()) == entry,
              "an entry's text reads back as the entry");
    entry.volumeLevel();
    entry.durationSeconds().roundedToInt();
    const QDateTime now(QDate(2024, 3, 5), QTime(14, 7, 9));
    album::albumCaption(entry, months, now);
    const album::AlbumEntry stored = album::convertMarkPaths(entry, false);
    album::convertMarkPaths(album::AlbumEntry::fromText(stored.toText()), true);

    const QString storedPath = album::encodeAlbumPath(input);
    for (QChar c : {u'\r', u'\n', u'|', u'='})
        fuzzCheck(!storedPath.contains(c), "a stored path holds a character of the line's form");
    if (!input.contains(u'*'))
        fuzzCheck(album::decodeAlbumPath(storedPath) == input, "a path does not read back");

    album::AlbumList list;
    list.loadLines(input);
    return 0;
}

#include "fuzzcheck.h"

#include "album/albumentry.h"
#include "album/markpaths.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

// The input is UTF-8 lines: a mark's path, seconds and title, then a Marks field for the album
// of that path (which may hold further lines).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList parts = input.split(u'\n');
    const auto part = [&parts](qsizetype i) { return i < parts.size() ? parts[i] : QString(); };
    const album::Mark mark{part(0), part(1), part(2)};
    const qsizetype headerSize = mark.path.size() + mark.seconds.size() + mark.title.size() + 3;
    const QString marks = QStringView(input).sliced(qMin(headerSize, input.size())).toString();

    const QString text = album::markText(mark);
    // The seconds are the program's own decimal text.
    if (!mark.seconds.contains(u'|'))
        fuzzCheck(!text.contains(u'|') && !text.contains(u'\n'), "a mark's text can cut the field");
    const album::Mark back = album::parseMark(text);
    if (!mark.path.contains(u'*'))
        fuzzCheck(back.path == mark.path, "a mark's path does not read back");
    if (!mark.seconds.contains(u'/'))
        fuzzCheck(back.seconds == mark.seconds, "a mark's seconds do not read back");
    if (!mark.title.contains(u'&') && !mark.seconds.contains(u'/')) {
        QString escaped = mark.title;
        escaped.replace(u'|', QStringLiteral("&#124;")).replace(u'=', QStringLiteral("&#61;"));
        fuzzCheck(back.title == escaped, "a mark's title does not read back");
    }

    album::AlbumEntry entry;
    entry.path = album::encodeAlbumPath(mark.path);
    entry.marks = marks;
    const album::AlbumEntry stored = album::convertMarkPaths(entry, false);
    fuzzCheck(!stored.marks.contains(QStringLiteral("||")), "empty marks were not collapsed");
    const album::AlbumEntry loaded =
        album::convertMarkPaths(album::AlbumEntry::fromText(stored.toText()), true);
    for (QStringView item : QStringView(loaded.marks).split(u'|'))
        album::parseMark(item);
    return 0;
}

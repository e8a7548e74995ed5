#include "album/markpaths.h"

#include "album/pathtext.h"

namespace album {

namespace {

// One mark with its file path converted; empty when the mark is to be dropped. A "=" would end
// the entry's field on the way back, so the stored path carries it as "*" (as the album's own
// path does) and the title as a character reference.
QString convertMark(QStringView mark, const QString &folder, bool toAbsolute)
{
    const qsizetype end = mark.indexOf(u'/');
    const QStringView filePath = end >= 0 ? mark.left(end) : mark;
    const QString rest = end >= 0 ? mark.sliced(end).toString() : QString();
    if (toAbsolute)
        return resolveRelativePath(decodeAlbumPath(filePath), folder) + rest;
    if (!filePath.startsWith(folder, Qt::CaseInsensitive))
        return QString();
    return encodeAlbumPath(makeRelativePath(filePath, folder)) +
           QString(rest).replace(u'=', QStringLiteral("&#61;"));
}

// Empty items squeezed out, one trailing "|" dropped; a leading empty resume mark stays.
QString collapseEmptyMarks(QString marks)
{
    while (marks.contains(QStringLiteral("||")))
        marks.replace(QStringLiteral("||"), QStringLiteral("|"));
    if (marks.endsWith(u'|'))
        marks.chop(1);
    return marks;
}

} // namespace

AlbumEntry convertMarkPaths(AlbumEntry entry, bool toAbsolute)
{
    const QString folder = folderOfPath(entry.albumPath());
    QStringList marks;
    for (QStringView mark : QStringView(entry.marks).split(u'|'))
        marks.append(mark.isEmpty() ? QString() : convertMark(mark, folder, toAbsolute));
    entry.marks = collapseEmptyMarks(marks.join(u'|'));
    return entry;
}

} // namespace album

#include "album/markpaths.h"

#include "album/pathtext.h"
#include "platform/paths.h"

namespace album {

namespace {

QString titleText(QString title)
{
    return title.replace(u'|', QStringLiteral("&#124;")).replace(u'=', QStringLiteral("&#61;"));
}

// One mark with its file path converted; empty when the mark is to be dropped. A "=" would end
// the entry's field on the way back, so the title carries it as a character reference.
QString convertMark(QStringView mark, const QString &folder, bool toAbsolute)
{
    const qsizetype end = mark.indexOf(u'/');
    const QString filePath = decodeAlbumPath(end >= 0 ? mark.left(end) : mark);
    const QString rest = end >= 0 ? mark.sliced(end).toString() : QString();
    if (toAbsolute)
        return encodeAlbumPath(resolveRelativePath(filePath, folder)) + rest;
    if (!filePath.startsWith(folder, platform::pathCaseSensitivity()))
        return QString();
    return encodeAlbumPath(makeRelativePath(filePath, folder)) + titleText(rest);
}

// Empty items squeezed out, one trailing "|" dropped; a leading empty resume mark stays.
QString collapseEmptyMarks(QStringView marks)
{
    QString collapsed;
    collapsed.reserve(marks.size());
    for (QChar c : marks) {
        if (c != u'|' || !collapsed.endsWith(u'|'))
            collapsed += c;
    }
    if (collapsed.endsWith(u'|'))
        collapsed.chop(1);
    return collapsed;
}

} // namespace

Mark parseMark(QStringView item)
{
    const qsizetype pathEnd = item.indexOf(u'/');
    if (pathEnd < 0)
        return {decodeAlbumPath(item), {}, {}};
    const qsizetype secondsEnd = item.indexOf(u'/', pathEnd + 1);
    const QStringView seconds = secondsEnd < 0 ? item.sliced(pathEnd + 1)
                                               : item.sliced(pathEnd + 1, secondsEnd - pathEnd - 1);
    const QStringView title = secondsEnd < 0 ? QStringView() : item.sliced(secondsEnd + 1);
    return {decodeAlbumPath(item.first(pathEnd)), seconds.toString(), title.toString()};
}

QString markText(const Mark &mark)
{
    return encodeAlbumPath(mark.path) + u'/' + mark.seconds + u'/' + titleText(mark.title);
}

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

#include "album/playlistreader.h"

#include "album/markuptext.h"
#include "album/pathtext.h"
#include "album/textfile.h"
#include "platform/paths.h"

namespace album {

namespace {

constexpr QStringView mediaTag = u"<media ";

// The texts after each "<media " of the body, each up to the next one.
QList<QStringView> mediaElements(QStringView body)
{
    QList<QStringView> elements;
    qsizetype at = body.indexOf(mediaTag, 0, Qt::CaseInsensitive);
    while (at >= 0) {
        const qsizetype from = at + mediaTag.size();
        at = body.indexOf(mediaTag, from, Qt::CaseInsensitive);
        elements.append(at < 0 ? body.sliced(from) : body.sliced(from, at - from));
    }
    return elements;
}

// Playlists from other systems may separate folders with "/".
QString internalSource(QString source)
{
    if (!platform::isAddress(source))
        source.replace(u'/', u'\\');
    return source;
}

} // namespace

QStringList readPlaylistSources(const QString &playlistPath)
{
    const QString body =
        textBetween(readTextFile(playlistPath), u"<seq>", u"</seq>", Qt::CaseInsensitive, true);
    const QString folder = folderOfPath(playlistPath);
    QStringList sources;
    for (QStringView element : mediaElements(body)) {
        const QString source = attributeValue(element, u"src");
        if (!source.isEmpty())
            sources.append(resolveRelativePath(internalSource(source), folder));
    }
    return sources;
}

} // namespace album

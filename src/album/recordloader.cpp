#include "album/recordloader.h"

#include "album/albumcaption.h"
#include "album/pathtext.h"
#include "album/playlistreader.h"
#include "media/mediainfo.h"
#include "platform/paths.h"
#include "player/timeformat.h"
#include "settings/settingsstore.h"

#include <algorithm>
#include <limits>

namespace album {

namespace {

constexpr qsizetype maximumRecords = std::numeric_limits<RecordList::Index>::max();

QString durationCaption(qint32 seconds)
{
    return u'[' + formatSeconds(FixedPoint::fromInt(seconds)) + QStringLiteral("] ");
}

Record missingRecord(const QString &path, const QString &shownSource)
{
    return {path + u'|', shownSource, false, {}};
}

// Adds what one record found to the summary; the total saturates rather than wraps.
void count(PlaylistRecords &summary, const Record &record, qint32 seconds)
{
    if (record.enabled) {
        if (summary.firstPlayable < 0)
            summary.firstPlayable = summary.count;
        const qint64 total = qint64(summary.totalSeconds) + seconds;
        summary.totalSeconds = qint32(std::min<qint64>(total, std::numeric_limits<qint32>::max()));
    }
    ++summary.count;
}

} // namespace

QString recordTitleText(const media::TagText &title, int codePage)
{
    return title.isUnicode ? title.unicode.left(shownTitleLength) : title.toString(codePage);
}

LoadedRecords readPlaylistRecords(const QString &playlist, int codePage)
{
    const QString folder = folderOfPath(playlist);
    LoadedRecords loaded;
    for (const QString &path : readPlaylistSources(playlist)) {
        if (loaded.records.size() == maximumRecords)
            break;
        // Only the title is in the album's code page; the source is already text.
        const QString shownSource = platform::toNativePath(makeRelativePath(path, folder));
        if (!settings::fileExists(path)) {
            loaded.records.append(missingRecord(path, shownSource));
            count(loaded.summary, loaded.records.last(), 0);
            continue;
        }
        const media::MediaInfo info = media::readMediaInfo(path);
        QString caption = durationCaption(info.duration) + shownSource;
        const QString title = recordTitleText(info.tag.title, codePage);
        if (!title.isEmpty())
            caption += QStringLiteral("\t= ") + title;
        loaded.records.append(
            {path + u'|' + QString::number(info.duration), caption, true, info.tag.chapters});
        count(loaded.summary, loaded.records.last(), info.duration);
    }
    return loaded;
}

LoadedRecords readSingleFileRecord(const QString &path)
{
    const QString name = textAfterLast(path, u"\\", false);
    LoadedRecords loaded;
    qint32 seconds = 0;
    if (settings::fileExists(path)) {
        const media::MediaInfo info = media::readMediaInfo(path);
        seconds = info.duration;
        loaded.records.append({path + u'|' + QString::number(seconds),
                               durationCaption(seconds) + name, true, info.tag.chapters});
    } else {
        loaded.records.append(missingRecord(path, name));
    }
    count(loaded.summary, loaded.records.last(), seconds);
    return loaded;
}

} // namespace album

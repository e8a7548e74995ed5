#include "places/albumplaces.h"

#include "album/accessstamp.h"
#include "album/albumlistening.h"
#include "album/albumopener.h"
#include "album/markpaths.h"
#include "album/pathtext.h"
#include "places/albumkey.h"
#include "text/characterreferences.h"

#include <QDateTime>

#include <algorithm>
#include <utility>

namespace places {

namespace {

// An album without a title is known by its folder's name, a single file by its own.
QString shownTitle(const album::AlbumEntry &entry)
{
    const QString title = text::fromCharacterReferenceText(entry.title);
    if (!title.isEmpty())
        return title;
    const QString path = entry.albumPath();
    const QString folder = album::folderOfPath(path);
    const bool byFolder = album::hasPlaylistExtension(path) && folder.size() > 1;
    return album::textAfterLast(byFolder ? folder.chopped(1) : path, u"\\", false);
}

} // namespace

SharedAlbum sharedAlbumOf(const album::AlbumEntry &entry, const QString &key)
{
    SharedAlbum shared{key, shownTitle(entry), {}, {}};
    const QString albumPath = entry.albumPath();
    const album::Mark resume = album::parseMark(album::textBefore(entry.marks, u"|", false));
    const QString record = recordNameOf(resume.path, albumPath);
    if (!record.isEmpty()) {
        shared.place.record = record;
        shared.place.seconds = resume.seconds;
    }
    shared.place.speed = entry.speed();
    shared.place.volume = album::listeningOf(entry).volume;
    for (const QString &item : entry.bookmarks()) {
        const album::Mark mark = album::parseMark(item);
        const QString name = recordNameOf(mark.path, albumPath);
        if (!name.isEmpty())
            shared.bookmarks.append({0, false, name, mark.seconds, mark.title});
    }
    return shared;
}

Stamp accessStampOf(const album::AlbumEntry &entry)
{
    return entry.lastPlayedMsecs() / 1000;
}

album::AlbumEntry entryWith(album::AlbumEntry entry, const SharedAlbum &merged, bool takePlace,
                            const QStringList &recordNames)
{
    const QString albumPath = entry.albumPath();
    QString resume = album::textBefore(entry.marks, u"|", false);
    if (takePlace) {
        const QString record = recordPathOf(merged.place.record, albumPath);
        resume = record.isEmpty() ? QString() : album::markText({record, merged.place.seconds, {}});
        entry.setSpeed(merged.place.speed);
        album::AlbumListening listening = album::listeningOf(entry);
        listening.volume = merged.place.volume;
        album::storeListening(entry, listening);
        entry.access = album::formatAccessStamp(QDateTime::fromSecsSinceEpoch(merged.place.stamp));
    }
    QList<SharedBookmark> bookmarks = merged.bookmarks;
    // The Bookmark menu keeps its marks in the album's order; another computer's come anywhere.
    const auto place = [&recordNames](const SharedBookmark &b) {
        const qsizetype record = recordNames.indexOf(b.record);
        return std::pair(record < 0 ? recordNames.size() : record, b.seconds.toDouble());
    };
    std::stable_sort(
        bookmarks.begin(), bookmarks.end(),
        [&place](const SharedBookmark &a, const SharedBookmark &b) { return place(a) < place(b); });
    QStringList marks{resume};
    for (const SharedBookmark &bookmark : bookmarks) {
        const QString record = recordPathOf(bookmark.record, albumPath);
        if (!bookmark.deleted && !record.isEmpty())
            marks.append(album::markText({record, bookmark.seconds, bookmark.title}));
    }
    entry.marks = marks.join(u'|');
    return entry;
}

} // namespace places

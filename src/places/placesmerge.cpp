#include "places/placesmerge.h"

#include <QHash>
#include <QSet>

namespace places {

namespace {

// Marks are looked up by this text, so that a merge takes time in step with the marks' number.
QString markKey(const SharedBookmark &mark)
{
    return mark.record + QChar(0) + mark.seconds + QChar(0) + mark.title;
}

QSet<QString> aliveKeys(const QList<SharedBookmark> &list)
{
    QSet<QString> keys;
    for (const SharedBookmark &mark : list) {
        if (!mark.deleted)
            keys.insert(markKey(mark));
    }
    return keys;
}

bool fromFuture(Stamp stamp, Stamp now)
{
    return stamp > now + futureToleranceSeconds;
}

// Bookmarks of all computers, each mark at its newest stamp; the own ones win within the same
// moment, a deletion wins an exact tie between others.
class BookmarkMerge {
public:
    explicit BookmarkMerge(const QList<SharedBookmark> &own)
    {
        for (const SharedBookmark &mark : own)
            add(mark, true);
    }

    void take(const SharedBookmark &mark, Stamp now)
    {
        const auto found = m_index.constFind(markKey(mark));
        if (found == m_index.cend()) {
            if (!mark.deleted || now - mark.stamp < deletionKeptSeconds)
                add(mark, false);
            return;
        }
        const qsizetype i = *found;
        const Stamp needed = m_marks[i].stamp + (m_own[i] ? sameMomentSeconds : 0);
        if (mark.stamp > needed || (!m_own[i] && mark.stamp == needed && mark.deleted)) {
            m_marks[i] = mark;
            m_own[i] = false;
        }
    }

    const QList<SharedBookmark> &marks() const { return m_marks; }

private:
    void add(const SharedBookmark &mark, bool own)
    {
        const QString key = markKey(mark);
        if (m_index.contains(key))
            return;
        m_index.insert(key, m_marks.size());
        m_marks.append(mark);
        m_own.append(own);
    }

    QList<SharedBookmark> m_marks;
    QList<bool> m_own;
    QHash<QString, qsizetype> m_index;
};

} // namespace

SharedAlbum updatedOwnAlbum(const SharedAlbum *previous, const SharedAlbum &current,
                            Stamp placeStamp, Stamp now)
{
    SharedAlbum updated{current.key, current.title, current.place, {}};
    updated.place.stamp = placeStamp;
    if (previous && previous->place.sameAs(current.place))
        updated.place = previous->place;
    const QList<SharedBookmark> before = previous ? previous->bookmarks : QList<SharedBookmark>();
    QHash<QString, qsizetype> known;
    // The first of two alike counts, as in the list.
    for (qsizetype i = before.size() - 1; i >= 0; --i)
        known.insert(markKey(before[i]), i);
    QSet<QString> listed;
    for (SharedBookmark mark : current.bookmarks) {
        const QString key = markKey(mark);
        if (listed.contains(key))
            continue;
        listed.insert(key);
        const qsizetype at = known.value(key, -1);
        mark.stamp = at >= 0 && !before[at].deleted ? before[at].stamp : now;
        mark.deleted = false;
        updated.bookmarks.append(mark);
    }
    for (SharedBookmark mark : before) {
        const QString key = markKey(mark);
        if (listed.contains(key))
            continue;
        listed.insert(key);
        if (!mark.deleted) {
            mark.deleted = true;
            mark.stamp = now;
        }
        if (now - mark.stamp < deletionKeptSeconds)
            updated.bookmarks.append(mark);
    }
    return updated;
}

MergedAlbum mergeAlbum(const SharedAlbum &own, const QList<OtherAlbum> &others, Stamp now,
                       bool placeLocked)
{
    MergedAlbum merged{own, false, false, QString(), false, {}};
    const SharedPlace *newest = &own.place;
    Stamp needed = own.place.stamp + sameMomentSeconds;
    BookmarkMerge bookmarks(own.bookmarks);
    for (const OtherAlbum &other : others) {
        const SharedPlace &place = other.album.place;
        if (fromFuture(place.stamp, now)) {
            merged.ignored.append(QStringLiteral("the place from %1 at %2")
                                      .arg(other.computer, stampText(place.stamp)));
        } else if (place.stamp > needed) {
            newest = &place;
            needed = place.stamp;
            merged.placeFrom = other.computer;
        }
        for (const SharedBookmark &mark : other.album.bookmarks) {
            if (fromFuture(mark.stamp, now))
                merged.ignored.append(QStringLiteral("a bookmark from %1 at %2")
                                          .arg(other.computer, stampText(mark.stamp)));
            else
                bookmarks.take(mark, now);
        }
    }
    if (!placeLocked && newest != &own.place) {
        merged.placeTaken = !newest->sameAs(own.place);
        merged.album.place = *newest;
    } else {
        merged.placeHeld = newest != &own.place && !newest->sameAs(own.place);
        merged.placeFrom.clear();
    }
    merged.album.bookmarks = bookmarks.marks();
    merged.bookmarksChanged = aliveKeys(own.bookmarks) != aliveKeys(merged.album.bookmarks);
    return merged;
}

} // namespace places

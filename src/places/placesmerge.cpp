#include "places/placesmerge.h"

#include <algorithm>

namespace places {

namespace {

const SharedBookmark *findMark(const QList<SharedBookmark> &list, const SharedBookmark &mark)
{
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&mark](const SharedBookmark &b) { return b.sameMark(mark); });
    return found == list.end() ? nullptr : &*found;
}

QList<SharedBookmark> alive(const QList<SharedBookmark> &list)
{
    QList<SharedBookmark> result;
    std::copy_if(list.begin(), list.end(), std::back_inserter(result),
                 [](const SharedBookmark &b) { return !b.deleted; });
    return result;
}

bool sameAliveMarks(const QList<SharedBookmark> &a, const QList<SharedBookmark> &b)
{
    const QList<SharedBookmark> left = alive(a);
    const QList<SharedBookmark> right = alive(b);
    return left.size() == right.size() &&
           std::all_of(left.begin(), left.end(),
                       [&right](const SharedBookmark &mark) { return findMark(right, mark); });
}

bool fromFuture(Stamp stamp, Stamp now)
{
    return stamp > now + futureToleranceSeconds;
}

// Bookmarks of all computers, each mark at its newest stamp; the own ones win within the same
// moment, a deletion wins an exact tie between others.
class BookmarkMerge {
public:
    explicit BookmarkMerge(const QList<SharedBookmark> &own) : m_marks(own), m_own(own.size(), true)
    {
    }

    void take(const SharedBookmark &mark, Stamp now)
    {
        for (qsizetype i = 0; i < m_marks.size(); ++i) {
            if (!m_marks[i].sameMark(mark))
                continue;
            const Stamp needed = m_marks[i].stamp + (m_own[i] ? sameMomentSeconds : 0);
            if (mark.stamp > needed || (!m_own[i] && mark.stamp == needed && mark.deleted)) {
                m_marks[i] = mark;
                m_own[i] = false;
            }
            return;
        }
        if (!mark.deleted || now - mark.stamp < deletionKeptSeconds) {
            m_marks.append(mark);
            m_own.append(false);
        }
    }

    const QList<SharedBookmark> &marks() const { return m_marks; }

private:
    QList<SharedBookmark> m_marks;
    QList<bool> m_own;
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
    for (SharedBookmark mark : current.bookmarks) {
        const SharedBookmark *known = findMark(before, mark);
        mark.stamp = known && !known->deleted ? known->stamp : now;
        mark.deleted = false;
        if (!findMark(updated.bookmarks, mark))
            updated.bookmarks.append(mark);
    }
    for (SharedBookmark mark : before) {
        if (findMark(updated.bookmarks, mark))
            continue;
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
    merged.bookmarksChanged = !sameAliveMarks(own.bookmarks, merged.album.bookmarks);
    return merged;
}

} // namespace places

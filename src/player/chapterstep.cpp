#include "player/chapterstep.h"

namespace chapterstep {

namespace {

double startSeconds(const media::Chapter &chapter)
{
    return double(chapter.startMs) / 1000.0;
}

qint64 milliseconds(double seconds)
{
    return qint64(seconds * 1000.0);
}

bool isListed(const RecordList &records, RecordList::Index index)
{
    return index >= 0 && index < records.count();
}

} // namespace

AlbumSpot next(const RecordList &records, RecordList::Index current, double position)
{
    if (!isListed(records, current))
        return {};
    const media::Chapters &chapters = records.at(current).chapters;
    const int playing = media::chapterAt(chapters, milliseconds(position));
    if (playing >= 0 && playing + 1 < chapters.size())
        return {current, startSeconds(chapters[playing + 1])};
    return {records.nextEnabled(current, 1), 0};
}

AlbumSpot previous(const RecordList &records, RecordList::Index current, double position)
{
    if (!isListed(records, current))
        return {};
    const media::Chapters &chapters = records.at(current).chapters;
    const int playing = media::chapterAt(chapters, milliseconds(position));
    if (playing >= 0) {
        const double start = startSeconds(chapters[playing]);
        if (position - start >= previousGrace)
            return {current, start};
        if (playing > 0)
            return {current, startSeconds(chapters[playing - 1])};
    }
    const RecordList::Index before = records.nextEnabled(current, -1);
    // The album's first chapter starts over, so that Previous never does nothing in it.
    if (before == RecordList::none)
        return playing >= 0 ? AlbumSpot{current, startSeconds(chapters[0])} : AlbumSpot{};
    const media::Chapters &beforeChapters = records.at(before).chapters;
    return {before, beforeChapters.isEmpty() ? 0.0 : startSeconds(beforeChapters.last())};
}

} // namespace chapterstep

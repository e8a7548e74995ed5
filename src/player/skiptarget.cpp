#include "player/skiptarget.h"

namespace {

class Lengths {
public:
    Lengths(const RecordList &records, RecordList::Index current, double currentLength)
        : m_records(records), m_current(current), m_currentLength(currentLength)
    {
    }

    double of(RecordList::Index index) const
    {
        return index == m_current && m_currentLength > 0 ? m_currentLength
                                                         : double(m_records.durationOf(index));
    }

    // The nearest enabled record of known length in the direction (-1 or 1); none at the end.
    RecordList::Index neighbour(RecordList::Index index, int direction) const
    {
        return m_records.nextEnabled(
            index, direction, [this](RecordList::Index candidate) { return of(candidate) > 0; });
    }

private:
    const RecordList &m_records;
    RecordList::Index m_current;
    double m_currentLength;
};

} // namespace

AlbumSpot skipTarget(const RecordList &records, RecordList::Index current, double position,
                     double currentLength, double delta)
{
    if (current < 0 || current >= records.count())
        return {};
    const Lengths lengths(records, current, currentLength);
    AlbumSpot spot{current, position + delta};
    while (spot.seconds < 0) {
        const RecordList::Index previous = lengths.neighbour(spot.record, -1);
        if (previous == RecordList::none)
            return {spot.record, 0};
        spot = {previous, spot.seconds + lengths.of(previous)};
    }
    while (lengths.of(spot.record) > 0 && spot.seconds >= lengths.of(spot.record)) {
        const RecordList::Index next = lengths.neighbour(spot.record, 1);
        if (next == RecordList::none)
            return {spot.record, lengths.of(spot.record)};
        spot = {next, spot.seconds - lengths.of(spot.record)};
    }
    return spot;
}

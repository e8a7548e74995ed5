#pragma once

#include "player/recordlist.h"

// A place in the album: a record and the seconds into it.
struct AlbumSpot {
    RecordList::Index record = RecordList::none;
    double seconds = 0;
};

// Where a skip of delta seconds from position in record current lands, crossing into the enabled
// records of known length before and after it: short of the album's start it lands on the
// start, past its end on the end. currentLength is the current record's length as the player
// knows it; 0 takes the list's. A current record out of range gives none.
AlbumSpot skipTarget(const RecordList &records, RecordList::Index current, double position,
                     double currentLength, double delta);

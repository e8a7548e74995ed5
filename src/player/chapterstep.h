#pragma once

#include "player/skiptarget.h"

// Next and Previous: by chapter inside a record that has chapters, else by record.
namespace chapterstep {

// Within this many seconds of a chapter's start, Previous goes to the chapter before.
inline constexpr double previousGrace = 3.0;

// The next chapter's start in the current record; after its last chapter (or in a record
// without chapters) the next enabled record's start. none past the album's end or with no
// current record.
AlbumSpot next(const RecordList &records, RecordList::Index current, double position);
// The start of the chapter playing, or of the chapter before within its first seconds; before
// the first chapter's grace (or in a record without chapters) the previous enabled record, at
// its last chapter's start when it has chapters. In the album's first chapter, its start; none
// before the start of an album whose first record has no chapters.
AlbumSpot previous(const RecordList &records, RecordList::Index current, double position);

} // namespace chapterstep

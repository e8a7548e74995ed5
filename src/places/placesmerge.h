#pragma once

#include "places/placesformat.h"

#include <QList>
#include <QString>
#include <QStringList>

// The rules by which the computers of a household agree on an album's place and bookmarks, each
// from the others' files alone: the newest stamp wins.
namespace places {

// Clocks of two computers are never quite the same: stamps this close are the same moment, and
// the local one is kept.
inline constexpr Stamp sameMomentSeconds = 2;
// A stamp further ahead of this computer's clock is a wrong clock, not a listener.
inline constexpr Stamp futureToleranceSeconds = 24 * 60 * 60;
// How long a deleted bookmark is remembered as deleted.
inline constexpr Stamp deletionKeptSeconds = 90 * 24 * 60 * 60;

struct OtherAlbum {
    QString computer;
    SharedAlbum album;
};

// This computer's own record of the album brought up to date with the album as it is here now
// (current: its place and its bookmarks, stamps not set). A place that changed takes
// placeStamp; a bookmark that is new here takes now, one that is gone becomes a deletion marker
// of now; markers older than deletionKeptSeconds are let go.
SharedAlbum updatedOwnAlbum(const SharedAlbum *previous, const SharedAlbum &current,
                            Stamp placeStamp, Stamp now);

struct MergedAlbum {
    SharedAlbum album;       // the own record after the merge
    bool placeTaken = false; // another computer's place won
    bool placeHeld = false;  // it would have, but the place was locked
    QString placeFrom;       // that computer
    bool bookmarksChanged = false;
    QStringList ignored; // what a clock from the future said, for the log
};

// The own record merged with the same album on other computers. The place of the newest stamp
// wins unless placeLocked (the album is playing here); bookmarks merge one by one, each by its
// newest stamp, a deletion winning a tie. Stamps more than futureToleranceSeconds after now are
// ignored.
MergedAlbum mergeAlbum(const SharedAlbum &own, const QList<OtherAlbum> &others, Stamp now,
                       bool placeLocked);

} // namespace places

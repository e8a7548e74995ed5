#pragma once

namespace album {

struct AlbumEntry;

// How an album is listened to beyond its speed: the volume with its boost above 100, the voice
// levelling, and the seconds skipped at each record's start and end (publishers' jingles).
// Stored in the fields after Speed, in this order: Boost, Level voice, Intro, Outro. The Volume
// field keeps at most 100, so that a reader that knows nothing of the boost plays the album
// at full volume rather than refusing the line; empty fields mean none.
struct AlbumListening {
    static constexpr int longestSkipSeconds = 3600;

    int volume = 100; // 0..200
    bool levelsVoice = false;
    int introSeconds = 0;
    int outroSeconds = 0;

    friend bool operator==(const AlbumListening &, const AlbumListening &) = default;
};

// Fields that are missing, not numbers or out of range read as none.
AlbumListening listeningOf(const AlbumEntry &entry);
// Fields left empty where there is nothing to say; trailing empty fields are left out, so that
// an album that never used them keeps its line as it was.
void storeListening(AlbumEntry &entry, const AlbumListening &listening);

} // namespace album

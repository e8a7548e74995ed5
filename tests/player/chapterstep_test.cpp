#include "player/chapterstep.h"

#include <gtest/gtest.h>

namespace {

// Record 0: no chapters; 1: chapters at 0, 10 and 20 s; 2: disabled, with chapters; 3: chapters
// starting at 5 s; 4: no chapters.
QList<Record> album()
{
    const media::Chapters three = {{0, "A"}, {10000, "B"}, {20000, "C"}};
    return {{"r0|30", "", true, {}},
            {"r1|30", "", true, three},
            {"r2|30", "", false, three},
            {"r3|30", "", true, {{5000, "Late"}, {15000, "Later"}}},
            {"r4|30", "", true, {}}};
}

} // namespace

TEST(ChapterStep, NextAndPrevious)
{
    RecordList records;
    records.reset(album());
    const struct {
        bool next;
        RecordList::Index from;
        double at;
        RecordList::Index record;
        double seconds;
    } cases[] = {
        {true, 0, 12, 1, 0}, // no chapters: the next record
        {true, 1, 0, 1, 10}, // the next chapter
        {true, 1, 9.99, 1, 10},
        {true, 1, 10, 1, 20}, // at a chapter's start, the one after it
        {true, 1, 25, 3, 0},  // past the last chapter, over a disabled record
        {true, 3, 1, 3, 15},  // before the first start counts as the first chapter
        {true, 4, 1, RecordList::none, 0},
        {true, 7, 1, RecordList::none, 0},
        {false, 1, 13, 1, 10},   // well into a chapter: its start
        {false, 1, 12.99, 1, 0}, // within the grace: the chapter before
        {false, 1, 13.0, 1, 10},
        {false, 1, 2, 0, 0},
        {false, 1, 5, 1, 0},   // well into the first chapter: its start, not the record before   //
                               // first chapter's grace: the record before
        {false, 3, 6, 1, 20},  // over a disabled record, at the last chapter's start
        {false, 4, 29, 3, 15}, // no chapters: the record before, at its last chapter
        {false, 0, 5, RecordList::none, 0},
        {false, -1, 5, RecordList::none, 0},
    };
    for (const auto &test : cases) {
        const AlbumSpot spot = test.next ? chapterstep::next(records, test.from, test.at)
                                         : chapterstep::previous(records, test.from, test.at);
        EXPECT_EQ(spot.record, test.record)
            << (test.next ? "next" : "previous") << " from " << test.from << " at " << test.at;
        if (spot.record >= 0) {
            EXPECT_EQ(spot.seconds, test.seconds)
                << (test.next ? "next" : "previous") << " from " << test.from << " at " << test.at;
        }
    }
}

TEST(ChapterStep, TheAlbumsFirstChapterStartsOver)
{
    RecordList records;
    QList<Record> list = album();
    list.removeFirst();
    records.reset(list);
    const AlbumSpot spot = chapterstep::previous(records, 0, 1.5);
    EXPECT_EQ(spot.record, 0);
    EXPECT_EQ(spot.seconds, 0.0);
}

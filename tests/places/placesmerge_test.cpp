#include "places/placesmerge.h"

#include <gtest/gtest.h>

using namespace places;

namespace {

constexpr Stamp now = 1'800'000'000;
constexpr Stamp day = 24 * 60 * 60;

SharedPlace placeAt(Stamp stamp, const char *seconds, double speed = 1, int volume = 100)
{
    return {stamp, QStringLiteral("03.mp3"), QString::fromLatin1(seconds), speed, volume};
}

SharedBookmark mark(const char *title, Stamp stamp, bool deleted = false)
{
    return {stamp, deleted, QStringLiteral("01.mp3"), QStringLiteral("5"),
            QString::fromLatin1(title)};
}

SharedAlbum album(const SharedPlace &place, const QList<SharedBookmark> &bookmarks = {})
{
    return {QString(32, u'a'), QStringLiteral("Book"), place, bookmarks};
}

QStringList aliveTitles(const SharedAlbum &merged)
{
    QStringList titles;
    for (const SharedBookmark &b : merged.bookmarks) {
        if (!b.deleted)
            titles.append(b.title);
    }
    return titles;
}

} // namespace

TEST(PlacesMerge, TheNewestPlaceWinsUnlessTheClocksCannotTellOrItIsPlayingHere)
{
    const SharedAlbum own = album(placeAt(now - 100, "60"));
    const struct {
        const char *what;
        QList<Stamp> others; // stamps of the others' places, each at second 720
        bool locked;
        bool taken;
        bool held;
        Stamp stamp;
    } cases[] = {
        {"newer by 3 s", {now - 97}, false, true, false, now - 97},
        {"newer by 2 s is the same moment", {now - 98}, false, false, false, now - 100},
        {"older", {now - 500}, false, false, false, now - 100},
        {"ahead of the clock by less than a day", {now + day}, false, true, false, now + day},
        {"ahead by more than a day", {now + day + 1}, false, false, false, now - 100},
        {"the newest of two others", {now - 50, now - 10}, false, true, false, now - 10},
        {"playing here", {now - 10}, true, false, true, now - 100},
    };
    for (const auto &c : cases) {
        QList<OtherAlbum> others;
        for (const Stamp stamp : c.others)
            others.append({QStringLiteral("Kitchen"), album(placeAt(stamp, "720", 1.5, 40))});
        const MergedAlbum merged = mergeAlbum(own, others, now, c.locked);
        EXPECT_EQ(merged.placeTaken, c.taken) << c.what;
        EXPECT_EQ(merged.placeHeld, c.held) << c.what;
        EXPECT_EQ(merged.album.place.stamp, c.stamp) << c.what;
        EXPECT_EQ(merged.album.place.seconds, c.taken ? "720" : "60") << c.what;
        EXPECT_EQ(merged.album.place.volume, c.taken ? 40 : 100) << c.what;
        EXPECT_EQ(merged.ignored.size(), c.stamp == now - 100 && c.others[0] > now + day) << c.what;
    }
    // The same place told later moves nothing here.
    const MergedAlbum same =
        mergeAlbum(own, {{QStringLiteral("Kitchen"), album(placeAt(now, "60"))}}, now, false);
    EXPECT_FALSE(same.placeTaken);
    EXPECT_EQ(same.album.place.stamp, now);
}

TEST(PlacesMerge, BookmarksMergeOneByOneAndADeletionStaysDeleted)
{
    const struct {
        const char *what;
        QList<SharedBookmark> own;
        QList<SharedBookmark> other;
        QStringList alive;
        bool changed;
    } cases[] = {
        {"new there", {mark("A", now - 9)}, {mark("B", now - 50)}, {"A", "B"}, true},
        {"deleted here, still there", {mark("A", now - 9, true)}, {mark("A", now - 50)}, {}, false},
        {"deleted there later", {mark("A", now - 50)}, {mark("A", now - 9, true)}, {}, true},
        {"deleted there within 2 s",
         {mark("A", now - 10)},
         {mark("A", now - 8, true)},
         {"A"},
         false},
        {"added again there", {mark("A", now - 50, true)}, {mark("A", now - 9)}, {"A"}, true},
        {"from the future", {}, {mark("B", now + day + 1)}, {}, false},
        {"an old deletion unknown here", {}, {mark("B", now - 90 * day, true)}, {}, false},
    };
    for (const auto &c : cases) {
        const MergedAlbum merged =
            mergeAlbum(album(placeAt(now, "1"), c.own),
                       {{QStringLiteral("Kitchen"), album(placeAt(0, "1"), c.other)}}, now, true);
        EXPECT_EQ(aliveTitles(merged.album), c.alive) << c.what;
        EXPECT_EQ(merged.bookmarksChanged, c.changed) << c.what;
    }
    // A deletion from a second computer after the first one's newer bookmark: between others the
    // same moment does not count.
    const MergedAlbum later =
        mergeAlbum(album(placeAt(now, "1"), {mark("A", now - 20)}),
                   {{QStringLiteral("Kitchen"), album(placeAt(0, "1"), {mark("A", now - 15)})},
                    {QStringLiteral("Study"), album(placeAt(0, "1"), {mark("A", now - 14, true)})}},
                   now, false);
    EXPECT_TRUE(aliveTitles(later.album).isEmpty());
    // Between two others a deletion wins an exact tie.
    const MergedAlbum tie =
        mergeAlbum(album(placeAt(now, "1")),
                   {{QStringLiteral("Kitchen"), album(placeAt(0, "1"), {mark("A", now - 5)})},
                    {QStringLiteral("Study"), album(placeAt(0, "1"), {mark("A", now - 5, true)})}},
                   now, false);
    EXPECT_TRUE(aliveTitles(tie.album).isEmpty());
    // A deletion marker unknown here is kept, to be told on.
    const MergedAlbum told = mergeAlbum(
        album(placeAt(now, "1")),
        {{QStringLiteral("Kitchen"), album(placeAt(0, "1"), {mark("B", now - day, true)})}}, now,
        false);
    ASSERT_EQ(told.album.bookmarks.size(), 1);
    EXPECT_TRUE(told.album.bookmarks[0].deleted);
    // ... until it is 90 days old.
    const MergedAlbum expired = mergeAlbum(
        album(placeAt(now, "1")),
        {{QStringLiteral("Kitchen"), album(placeAt(0, "1"), {mark("B", now - 90 * day, true)})}},
        now, false);
    EXPECT_TRUE(expired.album.bookmarks.isEmpty());
}

TEST(PlacesMerge, TheOwnRecordStampsWhatChangedHere)
{
    const SharedAlbum previous =
        album(placeAt(now - 500, "60"),
              {mark("Kept", now - 400), mark("Removed", now - 300),
               mark("Old", now - 91 * day, true), mark("Recent", now - day, true)});
    SharedAlbum current = album(placeAt(0, "60"), {mark("Kept", 0), mark("New", 0)});

    SharedAlbum updated = updatedOwnAlbum(&previous, current, now - 20, now);
    EXPECT_EQ(updated.place.stamp, now - 500) << "an unchanged place keeps its stamp";
    const QList<SharedBookmark> expected{mark("Kept", now - 400), mark("New", now),
                                         mark("Removed", now, true),
                                         mark("Recent", now - day, true)};
    EXPECT_EQ(updated.bookmarks, expected);

    for (SharedPlace changed :
         {placeAt(0, "61"), placeAt(0, "60", 1.25), placeAt(0, "60", 1, 99)}) {
        current.place = changed;
        EXPECT_EQ(updatedOwnAlbum(&previous, current, now - 20, now).place.stamp, now - 20);
    }
    EXPECT_EQ(updatedOwnAlbum(nullptr, current, now - 20, now).place.stamp, now - 20);
}

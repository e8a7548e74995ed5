#include "album/albumentry.h"
#include "album/albumlistening.h"

#include "qstringprint.h"

#include <gtest/gtest.h>

using album::AlbumEntry;
using album::AlbumListening;

TEST(AlbumListening, FieldsReadAsNoneUnlessInRange)
{
    const struct {
        const char *line;
        AlbumListening expected;
    } cases[] = {
        {"p=a=t=1252=3=60=80=m", {80, false, 0, 0}},
        {"p=a=t=1252=3=60=100=m=1.5=150=1=12=30", {150, true, 12, 30}},
        // A boost not above 100, or past 200, is no boost; the Volume field counts.
        {"p=a=t=1252=3=60=70=m==100", {70, false, 0, 0}},
        {"p=a=t=1252=3=60=70=m==201", {70, false, 0, 0}},
        {"p=a=t=1252=3=60=70=m==x=yes=-5=3601", {70, false, 0, 0}},
        {"p=a=t=1252=3=60=70=m===1=3600=1", {70, true, 3600, 1}},
        {"p=a=t=1252=3=60=70=m====0.4=2.6", {70, false, 0, 3}},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.line);
        EXPECT_EQ(album::listeningOf(AlbumEntry::fromText(QString::fromLatin1(test.line))),
                  test.expected);
    }
}

TEST(AlbumListening, StoringKeepsVolumeAtMostAHundredAndLeavesUnusedFieldsOut)
{
    const struct {
        const char *before;
        AlbumListening listening;
        const char *after;
    } cases[] = {
        // Nothing to say: an album of eight fields keeps eight.
        {"p=a=t=1252=3=60=80=m", {90, false, 0, 0}, "p=a=t=1252=3=60=90=m"},
        {"p=a=t=1252=3=60=80=m", {180, false, 0, 0}, "p=a=t=1252=3=60=100=m==180"},
        {"p=a=t=1252=3=60=80=m=1.5", {100, false, 0, 12}, "p=a=t=1252=3=60=100=m=1.5====12"},
        {"p=a=t=1252=3=60=80=m=1.5=150=1=12=30", {80, false, 0, 0}, "p=a=t=1252=3=60=80=m=1.5"},
        // Fields a later version added stay where they are.
        {"p=a=t=1252=3=60=80=m======later",
         {250, true, 5000, -3},
         "p=a=t=1252=3=60=100=m==200=1=3600==later"},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.before);
        AlbumEntry entry = AlbumEntry::fromText(QString::fromLatin1(test.before));
        album::storeListening(entry, test.listening);
        EXPECT_EQ(entry.toText(), QString::fromLatin1(test.after));
    }
}

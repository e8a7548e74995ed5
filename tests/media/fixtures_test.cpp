#include "media/mediainfo.h"
#include "media/mpegduration.h"
#include "media/tagreader.h"

#include "platform/paths.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

// Files tagged by real tools; the commands are in the fixtures' README.
namespace {

using media::TagRecord;
using media::TagText;

QString fixture(const char *name)
{
    return platform::fromNativePath(QStringLiteral(SONNALBY_FIXTURES "/media/") + name);
}

TagText bytes(const QByteArray &text)
{
    return TagText::fromBytes(text);
}

TagText unicode(const QString &text)
{
    return TagText::fromUnicode(text);
}

TEST(ToolFixtures, Id3libVersion23Latin1)
{
    const TagRecord record = media::readTag(fixture("id3v2tool_v23_latin1.mp3"));
    EXPECT_EQ(record.title, bytes("Caf\xE9 cr\xE8me"));
    EXPECT_EQ(record.artist, bytes("A\r\nB"));
    EXPECT_EQ(record.album, bytes("Book One"));
    EXPECT_EQ(record.year, 2004);
    EXPECT_EQ(record.track, 3);
    EXPECT_EQ(record.genre, bytes("(101)"));
    EXPECT_EQ(record.comment, TagText());
    EXPECT_EQ(record.version, 2.3f);
    // The bytes after the tag's 2 KB of padding at the first frame's 32 kbit/s: the 2 s tone.
    EXPECT_EQ(media::mpegDuration(fixture("id3v2tool_v23_latin1.mp3")), 2);
}

TEST(ToolFixtures, EyeD3Version23Utf16)
{
    const TagRecord record = media::readTag(fixture("eyed3_v23_utf16.mp3"));
    EXPECT_EQ(record.title, unicode(QStringLiteral("Глава 1\r\n2")));
    EXPECT_EQ(record.artist, unicode(QStringLiteral("Автор")));
    EXPECT_EQ(record.album, unicode(QStringLiteral("Книга")));
    EXPECT_EQ(record.genre, unicode(QStringLiteral("Audiobook")));
    EXPECT_EQ(record.track, 7);
    EXPECT_EQ(record.year, 0); // eyeD3 writes no year frame into a 2.3 tag
    EXPECT_EQ(record.version, 2.3f);
    // The byte-order marks FF FE in the tag are not taken for a frame header: the Xing frame
    // after the tag says 57 frames of 9,216 bytes at 32000 Hz, 36 kbit/s; 9,607 bytes give 2.1 s.
    EXPECT_EQ(media::mpegDuration(fixture("eyed3_v23_utf16.mp3")), 2);
}

TEST(ToolFixtures, EyeD3Version24Utf8)
{
    const TagRecord record = media::readTag(fixture("eyed3_v24_utf8.mp3"));
    EXPECT_EQ(record.title, unicode(QStringLiteral("日本語の本")));
    EXPECT_EQ(record.artist, unicode(QStringLiteral("作者")));
    EXPECT_EQ(record.album, unicode(QStringLiteral("アルバム")));
    EXPECT_EQ(record.genre, unicode(QStringLiteral("Podcast")));
    EXPECT_EQ(record.track, 5);
    EXPECT_EQ(record.year, 0); // the year went to TDRL, which is not read
    EXPECT_EQ(record.version, 2.4f);
    // UTF-8 holds no byte 255: the real header, 32 kbit/s over 8,586 bytes.
    EXPECT_EQ(media::mpegDuration(fixture("eyed3_v24_utf8.mp3")), 2);
}

TEST(ToolFixtures, Id3libVersion1Only)
{
    const TagRecord record = media::readTag(fixture("id3v2tool_v1_only.mp3"));
    EXPECT_EQ(record.title, bytes("Old Title"));
    EXPECT_EQ(record.artist, bytes("Old Artist"));
    EXPECT_EQ(record.album, bytes("Old Album"));
    EXPECT_EQ(record.comment, bytes("A comment"));
    EXPECT_EQ(record.year, 1987);
    EXPECT_EQ(record.track, 4);
    EXPECT_EQ(record.genre, bytes("Audiobook"));
    EXPECT_EQ(record.version, 1.1f);
    EXPECT_EQ(media::mpegDuration(fixture("id3v2tool_v1_only.mp3")), 2);
}

TEST(ToolFixtures, MutagenVersion24Utf16)
{
    const TagRecord record = media::readTag(fixture("mutagen_v24_utf16.mp3"));
    EXPECT_EQ(record.title, unicode("Hello"));
    EXPECT_EQ(record.artist, unicode("Anna\r\nBen"));
    EXPECT_EQ(record.album, unicode("Stories"));
    EXPECT_EQ(record.track, 9);
    EXPECT_EQ(record.year, 0);
    EXPECT_EQ(record.genre, TagText());
    EXPECT_EQ(record.version, 2.4f);
    // The title's mark FF FE, then "H" (48), read as 56 kbit/s, would give 1.48 s; the Xing
    // frame after the tag gives 36 kbit/s over 10,369 bytes, 2.3 s.
    EXPECT_EQ(media::mpegDuration(fixture("mutagen_v24_utf16.mp3")), 2);
}

TEST(ToolFixtures, LameVersion23WithVersion1Block)
{
    const TagRecord record = media::readTag(fixture("lame_v23_v1.mp3"));
    EXPECT_EQ(record.title,
              unicode(QStringLiteral("A rather long title that runs past thirty bytes")));
    EXPECT_EQ(record.artist, unicode("Lame Artist"));
    EXPECT_EQ(record.album, unicode("Lame Album"));
    EXPECT_EQ(record.genre, bytes("Speech"));
    EXPECT_EQ(record.year, 2010);
    EXPECT_EQ(record.track, 2);
    // The comment comes from the version 1 block alone.
    EXPECT_EQ(record.comment, bytes("lame comment"));
    EXPECT_EQ(record.version, 2.3f);
    // The title's mark FF FE, then "A" (41), read as 56 kbit/s, would give 1.2 s; the first
    // frame after the tag says 32 kbit/s: 8,688 bytes, 2.2 s.
    EXPECT_EQ(media::mpegDuration(fixture("lame_v23_v1.mp3")), 2);
}

// Three seconds of a tone at the low sample rates of MPEG-2 (22050 Hz) and MPEG-2.5 (8000 Hz),
// whose frames the MPEG-1 tables read two to four times too fast.
TEST(ToolFixtures, LameMpeg2WithUtf16Tag)
{
    const TagRecord record = media::readTag(fixture("lame_mpeg2_tagged.mp3"));
    EXPECT_EQ(record.title, unicode("Chapter 1"));
    EXPECT_EQ(record.artist, unicode("Reader"));
    EXPECT_EQ(record.album, unicode("Audiobook"));
    EXPECT_EQ(record.track, 1);
    EXPECT_EQ(record.version, 2.3f);
    // Bit-rate index 0100 is 32 kbit/s in MPEG-2 (56 in MPEG-1, as the false header at the
    // title's mark FF FE 43 also says): 12,537 bytes, 3.1 s.
    EXPECT_EQ(media::mpegDuration(fixture("lame_mpeg2_tagged.mp3")), 3);
}

TEST(ToolFixtures, LameLowSampleRateDurations)
{
    // Xing: 117 frames of 3,797 bytes at 22050 Hz, 576 samples a frame, give 10 kbit/s.
    EXPECT_EQ(media::mpegDuration(fixture("lame_mpeg2_vbr.mp3")), 3);
    // MPEG-2.5 at 16 kbit/s (index 0010, which MPEG-1 reads as 40): 6,336 bytes, 3.2 s.
    EXPECT_EQ(media::mpegDuration(fixture("lame_mpeg25_cbr.mp3")), 3);
    // Xing: 44 frames of 3,888 bytes at 8000 Hz give 10 kbit/s (20 with MPEG-1's 144 and
    // 32000 Hz): 3.1 s.
    EXPECT_EQ(media::mpegDuration(fixture("lame_mpeg25_vbr.mp3")), 3);
}

TEST(ToolFixtures, XingHeaderOfLameVbrIsReadWhenTheFirstSyncIsTheAudio)
{
    // The Xing frame of the eyeD3 file on its own: 57 frames, 9,216 bytes at 32000 Hz give
    // 36 kbit/s, so 9,216 bytes last 2.048 s.
    QFile file(platform::toNativePath(fixture("eyed3_v23_utf16.mp3")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray all = file.readAll();
    const qsizetype audio = all.indexOf("\xFF\xFB");
    ASSERT_GT(audio, 0);
    QByteArray vbr = all.mid(audio);
    QBuffer buffer(&vbr);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_EQ(media::headerDuration(buffer), 2);
    // Over 45,000 bytes the 36 kbit/s differ from the header's 128 kbit/s: 10 s, not 2.8 s.
    vbr += QByteArray(45'000 - vbr.size(), '\x55');
    buffer.close();
    buffer.setBuffer(&vbr);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_EQ(media::headerDuration(buffer), 10);
}

TEST(ToolFixtures, OneOpeningGivesTheSameAsTheSeparateReaders)
{
    for (const char *name : {"id3v2tool_v23_latin1.mp3", "eyed3_v23_utf16.mp3",
                             "eyed3_v24_utf8.mp3", "id3v2tool_v1_only.mp3", "mutagen_v24_utf16.mp3",
                             "lame_v23_v1.mp3", "lame_mpeg2_tagged.mp3", "lame_mpeg2_vbr.mp3",
                             "lame_mpeg25_cbr.mp3", "lame_mpeg25_vbr.mp3"}) {
        const media::MediaInfo info = media::readMediaInfo(fixture(name));
        EXPECT_EQ(info.tag, media::readTag(fixture(name))) << name;
        EXPECT_EQ(info.duration, media::mpegDuration(fixture(name))) << name;
    }
}

} // namespace

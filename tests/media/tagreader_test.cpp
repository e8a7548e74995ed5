#include "media/tagreader.h"

#include "media/frametext.h"
#include "platform/paths.h"
#include "tagbytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using media::TagRecord;
using media::TagText;
using namespace tagbytes;

TagText bytes(const QByteArray &text)
{
    return TagText::fromBytes(text);
}

// A version 2.3 body with every frame the reader takes.
QByteArray fullVersion23Body()
{
    return textFrame(3, "TIT2", 0, "Title") + textFrame(3, "TPE1", 0, "Artist") +
           textFrame(3, "TALB", 0, "Album") + textFrame(3, "TYER", 0, "2004") +
           textFrame(3, "TCON", 0, "(13)") + textFrame(3, "TRCK", 0, "3/12");
}

TEST(ReadTag, Version23TagGivesItsFrames)
{
    const TagRecord record = readTag(id3v2Tag(3, fullVersion23Body()) + filler(500));
    EXPECT_EQ(record.title, bytes("Title"));
    EXPECT_EQ(record.artist, bytes("Artist"));
    EXPECT_EQ(record.album, bytes("Album"));
    // A numeric genre reference is kept as it stands.
    EXPECT_EQ(record.genre, bytes("(13)"));
    EXPECT_EQ(record.year, 2004);
    EXPECT_EQ(record.track, 3);
    EXPECT_EQ(record.comment, TagText());
    EXPECT_EQ(record.version, 2.3f);
}

TEST(ReadTag, Version22UsesItsOwnIdentifiers)
{
    const QByteArray body = textFrame(2, "TT2", 0, "Title") + textFrame(2, "TP1", 0, "Lead") +
                            textFrame(2, "TOA", 0, "Original") + textFrame(2, "TAL", 0, "Album") +
                            textFrame(2, "TYE", 0, "1999") + textFrame(2, "TCO", 0, "Speech") +
                            textFrame(2, "TRK", 0, "4");
    const TagRecord record = readTag(id3v2Tag(2, body) + filler(500));
    EXPECT_EQ(record.title, bytes("Title"));
    EXPECT_EQ(record.artist, bytes("Original"));
    EXPECT_EQ(record.album, bytes("Album"));
    EXPECT_EQ(record.genre, bytes("Speech"));
    EXPECT_EQ(record.year, 1999);
    // The track is sought as "TRCK", which a 2.2 tag does not hold.
    EXPECT_EQ(record.track, 0);
    EXPECT_EQ(record.version, 2.2f);
}

TEST(ReadTag, Version22IsSearchedForItsTrackWithTheLaterIdentifier)
{
    // "TRC" then a 3-byte size beginning with "K": the size runs past the body, so the text
    // is what the body still holds.
    const QByteArray body = textFrame(2, "TT2", 0, "T") + "TRCK" +
                            QByteArray("\0\x02\0"
                                       "7",
                                       4);
    EXPECT_EQ(readTag(id3v2Tag(2, body) + filler(200)).track, 7);
}

TEST(ReadTag, Version24TagWithUtf8Text)
{
    const QByteArray body = textFrame(4, "TIT2", 3, "\xC3\x89t\xC3\xA9") +
                            textFrame(4, "TRCK", 3, "12") + textFrame(4, "TYER", 3, "2020");
    const TagRecord record = readTag(id3v2Tag(4, body) + filler(300));
    EXPECT_EQ(record.title, TagText::fromUnicode(QStringLiteral("Été")));
    EXPECT_EQ(record.track, 12);
    EXPECT_EQ(record.year, 2020);
    EXPECT_EQ(record.version, 2.4f);
}

TEST(ReadTag, HeaderMarkerIsReadWithoutRegardToCase)
{
    QByteArray tag = id3v2Tag(3, textFrame(3, "TIT2", 0, "Lower"));
    tag.replace(0, 3, "id3");
    EXPECT_EQ(readTag(tag + filler(100)).title, bytes("Lower"));
}

TEST(ReadTag, Version1BlockAlone)
{
    const QByteArray file = filler(1000) + id3v1({.title = "  Old Title  ",
                                                  .artist = "Old Artist",
                                                  .album = "Old Album",
                                                  .year = "1987",
                                                  .comment = "A comment ",
                                                  .track = 4,
                                                  .genre = 183});
    const TagRecord record = readTag(file);
    EXPECT_EQ(record.title, bytes("Old Title"));
    EXPECT_EQ(record.artist, bytes("Old Artist"));
    EXPECT_EQ(record.album, bytes("Old Album"));
    EXPECT_EQ(record.comment, bytes("A comment"));
    EXPECT_EQ(record.year, 1987);
    EXPECT_EQ(record.track, 4);
    EXPECT_EQ(record.genre, bytes("Audiobook"));
    EXPECT_EQ(record.version, 1.1f);
}

TEST(ReadTag, Version1AndEnhancedValuesAreJoined)
{
    const QByteArray file =
        filler(1000) + enhancedTag({.title = "Two", .artist = "Plus Artist", .genre = "Spoken"}) +
        id3v1({.title = "Part", .album = "Old Album", .genre = 255});
    const TagRecord record = readTag(file);
    EXPECT_EQ(record.title, bytes("Part-Two"));
    EXPECT_EQ(record.artist, bytes("Plus Artist"));
    EXPECT_EQ(record.album, bytes("Old Album"));
    EXPECT_EQ(record.genre, bytes("Spoken"));
    EXPECT_EQ(record.version, 1.2f);
}

TEST(ReadTag, GenreByteNamesTheGenreOrDefersToTheEnhancedBlock)
{
    const auto genreOf = [](quint8 genre, const QByteArray &enhancedGenre) {
        const QByteArray enhanced =
            enhancedGenre.isNull() ? filler(227) : enhancedTag({.genre = enhancedGenre});
        return readTag(filler(500) + enhanced + id3v1({.title = "T", .genre = genre})).genre;
    };
    EXPECT_EQ(genreOf(183, "Plus genre"), bytes("Audiobook"));
    EXPECT_EQ(genreOf(0, {}), bytes("Blues"));
    EXPECT_EQ(genreOf(191, {}), bytes("Psybient"));
    EXPECT_EQ(genreOf(255, "Plus genre"), bytes("Plus genre"));
    EXPECT_EQ(genreOf(192, "Plus genre"), bytes("Plus genre"));
    EXPECT_EQ(genreOf(255, {}), TagText());
}

TEST(ReadTag, Version1FillsWhatTheVersion2TagLeftEmpty)
{
    const QByteArray tag = id3v2Tag(3, textFrame(3, "TIT2", 1, "\xFF\xFE" + utf16le(u"Новая")));
    const QByteArray file = tag + filler(1000) +
                            id3v1({.title = "Old",
                                   .artist = "Old Artist",
                                   .album = "Old Album",
                                   .year = "1987",
                                   .comment = "Note",
                                   .track = 9,
                                   .genre = 186});
    const TagRecord record = readTag(file);
    EXPECT_EQ(record.title, TagText::fromUnicode(QStringLiteral("Новая")));
    EXPECT_EQ(record.artist, bytes("Old Artist"));
    EXPECT_EQ(record.album, bytes("Old Album"));
    EXPECT_EQ(record.comment, bytes("Note"));
    EXPECT_EQ(record.year, 1987);
    EXPECT_EQ(record.track, 9);
    EXPECT_EQ(record.genre, bytes("Podcast"));
    EXPECT_EQ(record.version, 2.3f);
}

TEST(ReadTag, Version2ValuesWinOverVersion1)
{
    const QByteArray file = id3v2Tag(3, fullVersion23Body()) + filler(1000) +
                            id3v1({.title = "Old", .year = "1987", .track = 9, .genre = 0});
    const TagRecord record = readTag(file);
    EXPECT_EQ(record.title, bytes("Title"));
    EXPECT_EQ(record.year, 2004);
    EXPECT_EQ(record.track, 3);
    EXPECT_EQ(record.genre, bytes("(13)"));
}

TEST(ReadTag, Version10CommentOverTheTrackByteIsNoTrack)
{
    const TagRecord record =
        readTag(filler(500) + id3v1({.comment = QByteArray(28, 'c'), .commentTail = "xy"}));
    EXPECT_EQ(record.track, 0);
    EXPECT_EQ(record.comment, bytes(QByteArray(28, 'c')));
}

TEST(ReadTag, ShortFilesHaveNoVersion1OrEnhancedBlock)
{
    const QByteArray block = id3v1({.title = "Old"});
    EXPECT_EQ(readTag(block), TagRecord());
    EXPECT_EQ(readTag(filler(1) + block).title, bytes("Old"));

    const QByteArray both = enhancedTag({.title = "Plus"}) + block;
    const TagRecord exact = readTag(both);
    EXPECT_EQ(exact.title, bytes("Old"));
    EXPECT_EQ(exact.version, 1.1f);
    const TagRecord longer = readTag(filler(1) + both);
    EXPECT_EQ(longer.title, bytes("Old-Plus"));
    EXPECT_EQ(longer.version, 1.2f);
}

TEST(ReadTag, UnusableVersion2SizesSkipTheTagButKeepVersion1)
{
    const QByteArray block = id3v1({.title = "Old"});
    const QByteArray body = textFrame(3, "TIT2", 0, "New");
    for (quint32 size : {quint32(1) << 28, quint32(0x7FFFFFFF)}) {
        // Written as plain bytes, so that the 7-bit groups sum past 2^28.
        const QByteArray header = QByteArray("ID3\x03\0\0", 6) + bigEndian(size, 4);
        const TagRecord record = readTag(header + body + filler(1000) + block);
        EXPECT_EQ(record.title, bytes("Old")) << size;
        EXPECT_EQ(record.version, 1.1f) << size;
    }
    const QByteArray pastEnd = id3v2Header(3, 5000) + body + filler(200) + block;
    EXPECT_EQ(readTag(pastEnd).title, bytes("Old"));
    EXPECT_EQ(readTag(pastEnd).version, 1.1f);
}

TEST(ReadTag, BodyCutByTheEndOfTheFileIsReadAsFarAsItGoes)
{
    // The size is below the file's length but runs past its end.
    const QByteArray file = id3v2Header(3, 30) + textFrame(3, "TIT2", 0, "Cut") + filler(10);
    ASSERT_LT(30, file.size());
    ASSERT_LT(file.size(), 10 + 30);
    EXPECT_EQ(readTag(file).title, bytes("Cut"));
}

TEST(ReadTag, OtherMajorVersionsAreNoVersion2Tag)
{
    for (int version : {0, 1, 5, 255}) {
        const TagRecord record =
            readTag(id3v2Tag(version, textFrame(3, "TIT2", 0, "New")) + filler(500));
        EXPECT_EQ(record, TagRecord()) << version;
    }
}

TEST(ReadTag, TinyFilesGiveNeutralRecords)
{
    EXPECT_EQ(readTag(QByteArray()), TagRecord());
    EXPECT_EQ(readTag("I"), TagRecord());
    EXPECT_EQ(readTag("ID3\x03"), TagRecord());
    EXPECT_EQ(readTag(filler(10)), TagRecord());
    // A bare 10-byte header declaring an empty body is an empty version 2.3 tag.
    const TagRecord header = readTag(id3v2Header(3, 0));
    EXPECT_EQ(header.title, TagText());
    EXPECT_EQ(header.version, 2.3f);
}

TEST(ReadTag, EveryTruncationOfATaggedFileIsReadSafely)
{
    const QByteArray body =
        textFrame(3, "TIT2", 1, "\xFF\xFE" + utf16le(u"Chapter")) + textFrame(3, "TRCK", 0, "12");
    const QByteArray file = id3v2Tag(3, body) + filler(400) + enhancedTag({.title = "Plus"}) +
                            id3v1({.title = "Old", .track = 3});
    for (qsizetype length = 0; length <= file.size(); ++length) {
        const TagRecord record = readTag(file.left(length));
        if (record.title.isUnicode)
            EXPECT_TRUE(QStringLiteral("Chapter").startsWith(record.title.unicode)) << length;
        else
            EXPECT_TRUE(record.title.isEmpty()) << length;
        EXPECT_TRUE(record.track == 0 || record.track == 1 || record.track == 12) << length;
    }
}

TEST(ReadTag, DamagedBytesNeverCrash)
{
    const QByteArray sample = id3v2Tag(4, textFrame(4, "TIT2", 1, "\xFF\xFE" + utf16le(u"Song")) +
                                              textFrame(4, "TPE1", 0, "Who")) +
                              mpegHeader(0x90) + filler(300) + enhancedTag({.title = "Plus"}) +
                              id3v1({.title = "Old"});
    std::mt19937 random(20240607);
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = sample.left(qsizetype(random() % (sample.size() + 1)));
        for (int change = 0; change < 8 && !damaged.isEmpty(); ++change)
            damaged[qsizetype(random() % damaged.size())] = char(random());
        const TagRecord record = readTag(damaged);
        EXPECT_LE(record.title.bytes.size() + record.title.unicode.size(), damaged.size());
    }
}

TEST(ReadTag, ReadsFilesByInternalPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString nativePath = dir.filePath("chapter 1.mp3");
    QFile out(nativePath);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(id3v2Tag(3, fullVersion23Body()) + filler(100) + id3v1({.comment = "c"}));
    out.close();
    const TagRecord record = media::readTag(platform::fromNativePath(nativePath));
    EXPECT_EQ(record.title, bytes("Title"));
    EXPECT_EQ(record.comment, bytes("c"));
    EXPECT_EQ(media::readTag(platform::fromNativePath(dir.filePath("missing.mp3"))), TagRecord());
}

TEST(ReadTag, AFrameIsReadOnlyAsFarAsATitleCanUseIt)
{
    const QByteArray longTitle = "Start" + QByteArray(10'000, 'x');
    const TagRecord record = readTag(id3v2Tag(3, textFrame(3, "TIT2", 0, longTitle)) + filler(50));
    EXPECT_EQ(record.title.bytes, longTitle.first(media::frameContentLimit - 1));
}

// Frames of a body too large to be read whole: found wherever they lie, a piece boundary (every
// megabyte less three bytes of overlap) included.
TEST(ReadTag, AHugeTagBodyIsSearchedPieceByPiece)
{
    constexpr qsizetype megabyte = 1024 * 1024;
    QByteArray body(20 * megabyte, '\0');
    const auto place = [&body](qsizetype at, const QByteArray &frame) {
        body.replace(at, frame.size(), frame);
    };
    place(megabyte - 2, textFrame(3, "TIT2", 0, "Across"));
    place(5 * megabyte, textFrame(3, "TPE1", 0, "Later" + QByteArray(7000, 'a')));
    place(20 * megabyte - 20, textFrame(3, "TRCK", 0, "7"));
    place(20 * megabyte - 8, "TALB\0\0");
    const TagRecord record = readTag(id3v2Tag(3, body) + filler(100));
    EXPECT_EQ(record.title, bytes("Across"));
    EXPECT_EQ(record.artist.bytes, "Later" + QByteArray(media::frameContentLimit - 6, 'a'));
    EXPECT_EQ(record.track, 7);
    EXPECT_EQ(record.album, TagText());
    EXPECT_EQ(record.version, 2.3f);
}

qint64 peakMemoryKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A sparse file of 260 MB whose tag declares a 250 MB title frame: reading it costs a few
// megabytes, not the frame's size.
TEST(ReadTag, AHugeDeclaredFrameCostsLittleMemory)
{
    QTemporaryDir dir;
    const QString nativePath = dir.filePath("huge.mp3");
    QFile out(nativePath);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    constexpr quint32 bodySize = 250 * 1024 * 1024;
    out.write(id3v2Header(3, bodySize) + frameHeader(3, "TIT2", bodySize - 10) + '\0' + "Huge");
    ASSERT_TRUE(out.resize(bodySize + 10 * 1024 * 1024));
    out.close();

    const qint64 before = peakMemoryKilobytes();
    const TagRecord record = media::readTag(platform::fromNativePath(nativePath));
    const media::MediaInfo info = media::readMediaInfo(platform::fromNativePath(nativePath));
    EXPECT_EQ(record.title, bytes("Huge"));
    EXPECT_EQ(info.tag, record);
    EXPECT_LT(peakMemoryKilobytes() - before, 64 * 1024);
}

} // namespace

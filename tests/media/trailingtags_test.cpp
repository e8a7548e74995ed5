#include "media/trailingtags.h"

#include "tagbytes.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace tagbytes;

// The audio's end in the bytes, the audio taken to start at `audioStart`.
qint64 audioEndOf(const QByteArray &bytes, qint64 audioStart = 0)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return media::audioEnd(media::DeviceReader(buffer), audioStart);
}

// An APEv2 footer whose size field says `size`, with the header flag when asked for.
QByteArray apeFooter(quint32 size, bool withHeader)
{
    QByteArray sizeBytes = bigEndian(size, 4);
    std::reverse(sizeBytes.begin(), sizeBytes.end());
    return apeTag("", withHeader).last(32).replace(12, 4, sizeBytes);
}

TEST(AudioEnd, TrailingBlocksInAnyOrderAreCut)
{
    const QByteArray audio = filler(3000);
    const QByteArray ape = apeTag(QByteArray(500, 'a'), true);
    // 999 bytes: every digit is read.
    const QByteArray lyrics = lyrics3Block(QByteArray(988, 'w'));
    const QByteArray blocks[] = {
        {},
        id3v1({.title = "T"}),
        enhancedTag({.title = "T"}) + id3v1({}),
        ape,
        apeTag("v", false),
        // A tag of no item: the footer alone.
        apeFooter(32, false),
        ape + id3v1({}),
        lyrics + id3v1({}),
        lyrics + ape + id3v1({}),
        ape + lyrics + id3v1({}),
        ape + lyrics,
    };
    for (const QByteArray &tail : blocks)
        EXPECT_EQ(audioEndOf(audio + tail), audio.size()) << tail.left(12).constData();
}

TEST(AudioEnd, EachKindIsCutOnce)
{
    const QByteArray audio = filler(3000) + id3v1({.title = "Inside"});
    EXPECT_EQ(audioEndOf(audio + id3v1({})), audio.size());
}

TEST(AudioEnd, SizesThatLieLeaveTheBytesAsAudio)
{
    const QByteArray audio = filler(3000);
    const QByteArray tails[] = {
        // Sizes reaching before the audio's start, past the file's, or below the footer's own.
        apeFooter(0xFFFFFFFF, false),
        apeFooter(3033, false),
        apeFooter(31, false),
        QByteArray("LYRICSBEGIN") + "999999LYRICS200",
        // Digits that are no number, and a size that finds no block start.
        QByteArray("LYRICSBEGIN") + "00001xLYRICS200",
        QByteArray("LYRICSBEGINwords") + "000017LYRICS200",
        // Markers cut short.
        QByteArray("TA"),
        QByteArray("APETAGE"),
    };
    for (const QByteArray &tail : tails) {
        const QByteArray file = audio + tail;
        EXPECT_EQ(audioEndOf(file), file.size()) << tail.toHex().constData();
    }
    // A size that stays within the file but reaches before the audio's start.
    const QByteArray ape = apeTag(QByteArray(500, 'a'), false);
    EXPECT_EQ(audioEndOf(audio + ape, 3000 - 1), 3000);
    EXPECT_EQ(audioEndOf(audio + ape, 3000 + 1), audio.size() + ape.size());
    EXPECT_EQ(audioEndOf(id3v1({}), 0), 0);
    EXPECT_EQ(audioEndOf(id3v1({}), 1), 128);
}

TEST(AudioEnd, FilesShorterThanABlockKeepTheirLength)
{
    for (const qsizetype size : {0, 1, 3, 14, 127})
        EXPECT_EQ(audioEndOf(id3v1({}).right(size)), size) << size;
}

TEST(AudioEnd, TheCommonBlocksCostOneRead)
{
    CountingBuffer buffer(filler(3000) + apeTag("v", false) + enhancedTag({}) + id3v1({}));
    EXPECT_EQ(media::audioEnd(media::DeviceReader(buffer), 0), 3000);
    EXPECT_EQ(buffer.reads, 1);
}

TEST(AudioEnd, BlocksBeyondTheFirstReadAreFound)
{
    // A large APE tag puts the Lyrics3v2 block and the enhanced one far from the end.
    const QByteArray audio = filler(40'000);
    const QByteArray tail = enhancedTag({}) + lyrics3Block(QByteArray(30'000, 'w')) +
                            apeTag(QByteArray(20'000, 'a'), true) + id3v1({});
    EXPECT_EQ(audioEndOf(audio + tail), audio.size());
}

} // namespace

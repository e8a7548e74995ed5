#include "media/mpegduration.h"

#include "media/mediainfo.h"
#include "platform/paths.h"
#include "tagbytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <utility>

namespace {

using namespace tagbytes;

// Rate byte: bit-rate index in the high four bits, sample-rate index in the next two.
constexpr quint8 rateByte(int bitRateIndex, int sampleRateIndex = 0)
{
    return quint8(bitRateIndex << 4 | sampleRateIndex << 2);
}

// A file of `length` bytes that starts with a frame header.
QByteArray constantRateFile(quint8 rate, qsizetype length)
{
    const QByteArray header = mpegHeader(rate);
    return header + filler(length - header.size());
}

TEST(HeaderDuration, ConstantBitRate)
{
    EXPECT_EQ(headerDuration(constantRateFile(rateByte(0b1001), 4'000'000)), 250);
}

TEST(HeaderDuration, EveryBitRateIndexOfTheTable)
{
    const qint32 bitRates[16] = {128000, 32000,  40000,  48000,  56000,  64000,  80000,  96000,
                                 112000, 128000, 160000, 192000, 224000, 256000, 320000, 128000};
    for (int index = 0; index < 16; ++index) {
        // Ten seconds at the index's rate; the sample rate plays no part without a Xing header.
        const qsizetype length = qsizetype(bitRates[index]) * 10 / 8;
        EXPECT_EQ(headerDuration(constantRateFile(rateByte(index, 3), length)), 10) << index;
    }
}

TEST(HeaderDuration, RoundsHalvesToTheEvenNumber)
{
    // 1.5 s and 2.5 s at 128000 bit/s.
    EXPECT_EQ(headerDuration(constantRateFile(rateByte(0b1001), 24'000)), 2);
    EXPECT_EQ(headerDuration(constantRateFile(rateByte(0b1001), 40'000)), 2);
    EXPECT_EQ(headerDuration(constantRateFile(rateByte(0b1001), 40'001)), 3);
}

TEST(HeaderDuration, XingCountsGiveTheAverageBitRate)
{
    // 4,180,000 / 10,000 × 44100 / 144 / 1000 = 128.0125: 128000 bit/s over the whole file.
    const QByteArray xing = xingFrame(rateByte(0b0001), 10'000, 4'180'000);
    const QByteArray file = xing + filler(4'180'000 - xing.size());
    EXPECT_EQ(headerDuration(file), 261); // 4,180,000 × 8 / 128,000 = 261.25
}

TEST(HeaderDuration, XingUsesTheSampleRateOfTheHeader)
{
    // 288 bytes a frame at 48000 Hz is 96 kbit/s; 432 bytes at 32000 Hz is 96 kbit/s too.
    const qsizetype length = 96000 * 20 / 8;
    for (const auto &[sampleIndex, bytesPerFrame] :
         {std::pair{1, 288}, std::pair{2, 432}, std::pair{3, 432}}) {
        const QByteArray xing = xingFrame(rateByte(0, sampleIndex), 1000, 1000 * bytesPerFrame);
        EXPECT_EQ(headerDuration(xing + filler(length - xing.size())), 20) << sampleIndex;
    }
}

TEST(HeaderDuration, XingBitRateRoundsHalvesToEven)
{
    // 2313 / 4 × 32000 / 144 / 1000 = 128.5 gives 128 kbit/s; 2331 / 4 gives 129.5, so 130.
    const QByteArray down = xingFrame(rateByte(0, 2), 4, 2313);
    EXPECT_EQ(headerDuration(down + filler(128000 * 100 / 8 - down.size())), 100);
    const QByteArray up = xingFrame(rateByte(0, 2), 4, 2331);
    EXPECT_EQ(headerDuration(up + filler(130000 * 100 / 8 - up.size())), 100);
}

TEST(HeaderDuration, XingMarkerInAnyCase)
{
    const qsizetype length = 128000 * 10 / 8;
    for (const QByteArray marker : {"XING", "xing", "xInG"}) {
        // 4180 / 10 × 44100 / 144 / 1000 = 128.0125, whereas the header says 32000.
        const QByteArray xing = xingFrame(rateByte(0b0001), 10, 4180, marker);
        EXPECT_EQ(headerDuration(xing + filler(length - xing.size())), 10) << marker.constData();
    }
}

TEST(HeaderDuration, XingWithoutCountsFallsBackToTheHeader)
{
    const qsizetype length = 32000 * 10 / 8;
    for (const auto &[frames, bytes] : {std::pair{0u, 4180u}, std::pair{10u, 0u}}) {
        const QByteArray xing = xingFrame(rateByte(0b0001), frames, bytes);
        EXPECT_EQ(headerDuration(xing + filler(length - xing.size())), 10);
    }
    // The counts cut off by the end of the file.
    const QByteArray cut = mpegHeader(rateByte(0b0001)) + "Xing" + bigEndian(3, 4) + "\x01";
    EXPECT_EQ(headerDuration(filler(length - cut.size()) + cut), 10);
}

TEST(HeaderDuration, XingBeyondTheFrameTextIsNotSeen)
{
    // The text is 155 bytes from the third header byte.
    const QByteArray counts = "Xing" + bigEndian(3, 4) + bigEndian(10, 4) + bigEndian(4180, 4);
    const qsizetype length = 32000 * 40 / 8;
    const auto durationWithGap = [&](qsizetype gap) {
        const QByteArray start = mpegHeader(rateByte(0b0001)) + filler(gap) + counts;
        return headerDuration(start + filler(length - start.size()));
    };
    EXPECT_EQ(durationWithGap(120), 10); // 128 kbit/s from the counts
    EXPECT_EQ(durationWithGap(140), 40); // the byte count passes the text's end
    EXPECT_EQ(durationWithGap(160), 40); // the marker too
}

// A tag whose title holds an MPEG-1 header of 64000 bit/s, before audio of 128000.
QByteArray tagWithFalseSync(const QByteArray &header = {})
{
    const QByteArray body = textFrame(3, "TIT2", 0, "a\xFF\xFB\x50z");
    return (header.isEmpty() ? id3v2Header(3, quint32(body.size())) : header) + body;
}

TEST(HeaderDuration, FalseSyncInsideAnId3v2TagIsSkipped)
{
    const QByteArray start = tagWithFalseSync() + mpegHeader(rateByte(0b1001));
    const qsizetype length = 128000 * 30 / 8;
    EXPECT_EQ(headerDuration(start + filler(length - start.size())), 30);
}

TEST(HeaderDuration, MalformedTagHeaderIsScannedFromTheFirstByte)
{
    const qsizetype length = 64000 * 30 / 8;
    const QByteArray bodySize = sevenBitGroups(quint32(tagWithFalseSync().size() - 10));
    // Version 5; a size byte with its high bit set.
    const QByteArray headers[] = {QByteArray("ID3\x05\x00\x00", 6) + bodySize,
                                  QByteArray("ID3\x03\x00\x00", 6) + bodySize.first(3) + "\x80"};
    for (const QByteArray &header : headers) {
        const QByteArray start = tagWithFalseSync(header) + mpegHeader(rateByte(0b1001));
        EXPECT_EQ(headerDuration(start + filler(length - start.size())), 30)
            << header.toHex().constData();
    }
}

TEST(HeaderDuration, VersionFourFooterIsSkipped)
{
    // The ten bytes after the body, where the footer is, hold a false sync.
    const QByteArray body = textFrame(4, "TIT2", 3, "Title");
    const QByteArray header =
        QByteArray("ID3\x04\x00\x10", 6) + sevenBitGroups(quint32(body.size()));
    const QByteArray footer = QByteArray("\xFF\xE2\x50\x00", 4) + filler(6);
    const QByteArray start = header + body + footer + mpegHeader(rateByte(0b1001));
    EXPECT_EQ(headerDuration(start + filler(128000 * 20 / 8 - start.size())), 20);
}

TEST(HeaderDuration, CoverArtFullOfSyncBytesIsSkipped)
{
    QByteArray picture;
    std::mt19937 random(11);
    while (picture.size() < 200'000)
        picture +=
            random() % 8 == 0 ? QByteArray("\xFF\xE2\x50", 3) : QByteArray(1, char(random()));
    // Sixty seconds of audio after the tag: the picture adds nothing to the duration.
    const QByteArray audioStart = filler(1000) + mpegHeader(rateByte(0b1001));
    const qsizetype length = 128000 * 60 / 8;
    const QByteArray file =
        id3v2Tag(3, frame(3, "APIC", picture)) + audioStart + filler(length - audioStart.size());
    EXPECT_EQ(headerDuration(file), 60);
    EXPECT_EQ(readMediaInfo(file).duration, 60);
}

TEST(HeaderDuration, TagReachingPastTheEndLeavesNoAudio)
{
    const QByteArray audio = mpegHeader(rateByte(0b1001)) + filler(20'000);
    EXPECT_EQ(headerDuration(id3v2Header(3, 100'000) + audio), 0);
    EXPECT_EQ(headerDuration(id3v2Header(3, quint32(audio.size())) + audio), 0);
}

TEST(HeaderDuration, MpegTwoAndTwoAndAHalfUseTheirBitRateTable)
{
    const qint32 kilobits[16] = {80, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 80};
    for (quint8 version : {mpeg2Layer3, mpeg25Layer3}) {
        for (int index = 0; index < 16; ++index) {
            const qsizetype length = qsizetype(kilobits[index]) * 1000 * 10 / 8;
            const QByteArray header = mpegHeader(rateByte(index, 1), version);
            EXPECT_EQ(headerDuration(header + filler(length - header.size())), 10)
                << int(version) << ' ' << index;
        }
    }
}

TEST(HeaderDuration, SixtyFourKilobitMpegTwoAudiobook)
{
    // Ten minutes at 64 kbit/s and 22050 Hz: the MPEG-1 table would read index 1000 as
    // 112 kbit/s and give 343 s.
    const QByteArray header = mpegHeader(rateByte(0b1000, 0), mpeg2Layer3);
    EXPECT_EQ(headerDuration(header + filler(64000 / 8 * 600 - header.size())), 600);
}

TEST(HeaderDuration, ReservedVersionReadsAsMpegOne)
{
    const QByteArray header = mpegHeader(rateByte(0b1001), reservedVersionLayer3);
    EXPECT_EQ(headerDuration(header + filler(4'000'000 - header.size())), 250);
}

TEST(HeaderDuration, XingOfLowSampleRateFramesHolds576Samples)
{
    // 64 kbit/s at 22050 Hz is 72 × 64000 / 22050 = 208.98 bytes a frame, 32 kbit/s at 11025
    // Hz the same: 209 bytes give 64.006 and 32.003 kbit/s.
    const qsizetype length = 64000 * 50 / 8;
    const QByteArray mpeg2 = xingFrame(rateByte(0b0001, 0), 1000, 209'000, "Xing", mpeg2Layer3);
    EXPECT_EQ(headerDuration(mpeg2 + filler(length - mpeg2.size())), 50);
    const QByteArray mpeg25 = xingFrame(rateByte(0b0001, 0), 1000, 209'000, "Xing", mpeg25Layer3);
    EXPECT_EQ(headerDuration(mpeg25 + filler(length - mpeg25.size())), 100);
    // Sample-rate index 11 reads as 10: 16000 Hz, 288 bytes a frame for 64 kbit/s.
    const QByteArray index11 = xingFrame(rateByte(0b0001, 3), 1000, 288'000, "Xing", mpeg2Layer3);
    EXPECT_EQ(headerDuration(index11 + filler(length - index11.size())), 50);
}

TEST(HeaderDuration, NoSyncGivesNothing)
{
    EXPECT_EQ(headerDuration(filler(100'000)), 0);
    EXPECT_EQ(headerDuration(QByteArray()), 0);
    EXPECT_EQ(headerDuration("\xFF"), 0);
    // 255 followed by a byte whose high bits are 110 is no sync.
    EXPECT_EQ(headerDuration(QByteArray("\xFF\xDF\x90\x00", 4) + filler(10'000)), 0);
    // A sync in the last two bytes has no header byte after it.
    EXPECT_EQ(headerDuration(filler(10'000) + "\xFF\xFB"), 0);
}

TEST(HeaderDuration, SyncIsFoundAcrossReadChunksAndFarIntoTheFile)
{
    const qsizetype length = 128000 * 40 / 8;
    for (qsizetype at : {4094, 4095, 4096, 12'287, 300'000, 639'000}) {
        const QByteArray start = filler(at) + mpegHeader(rateByte(0b1001));
        EXPECT_EQ(headerDuration(start + filler(length - start.size())), 40) << at;
    }
}

TEST(ShellDuration, UnitsAreRoundedToWholeSecondsHalvesToEven)
{
    EXPECT_EQ(media::secondsFromShellUnits(2'454'000'000), 245);
    EXPECT_EQ(media::secondsFromShellUnits(2'455'000'000), 246);
    EXPECT_EQ(media::secondsFromShellUnits(2'445'000'000), 244);
    EXPECT_EQ(media::secondsFromShellUnits(2'445'000'001), 245);
    EXPECT_EQ(media::secondsFromShellUnits(4'999'999), 0);
    EXPECT_EQ(media::secondsFromShellUnits(0), 0);
    EXPECT_EQ(media::secondsFromShellUnits(-10'000'000), 0);
    EXPECT_EQ(media::secondsFromShellUnits(std::numeric_limits<qint64>::max()),
              std::numeric_limits<qint32>::max());
}

class DurationFile : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString write(const QByteArray &content)
    {
        const QString nativePath = m_dir.filePath("record.mp3");
        QFile out(nativePath);
        if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size())
            return {};
        return platform::fromNativePath(nativePath);
    }

    QTemporaryDir m_dir;
};

TEST_F(DurationFile, WithoutAShellAnswerTheHeaderEstimateIsUsed)
{
    const QString path = write(constantRateFile(rateByte(0b1001), 4'000'000));
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(media::shellDuration(path), 0);
    EXPECT_EQ(media::mpegDuration(path), 250);
    EXPECT_EQ(media::readMediaInfo(path).duration, 250);
}

TEST_F(DurationFile, TheStreamIsMeasuredBeforeTheEstimate)
{
    // 1500 frames at 22050 Hz after an Info frame of its own bit rate: 39.2 s.
    const MpegFrame stream{
        .versionByte = mpeg2Layer3, .bitRateIndex = 4, .sampleRateIndex = 0, .mono = true};
    MpegFrame info = stream;
    info.bitRateIndex = 7;
    const QString path = write(xingInfoFrame(info, "Info", 1500) + mpegStream(stream, 1500));
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(media::mpegDuration(path), 39);
    EXPECT_EQ(media::readMediaInfo(path).duration, 39);
}

TEST_F(DurationFile, MissingFileHasNoDuration)
{
    const QString missing = platform::fromNativePath(m_dir.filePath("missing.mp3"));
    EXPECT_EQ(media::mpegDuration(missing), 0);
    EXPECT_EQ(media::readMediaInfo(missing).duration, 0);
}

TEST(ReadMediaInfo, AgreesWithTheSeparateReaders)
{
    const QByteArray title = textFrame(3, "TIT2", 0, "Title");
    const QByteArray audio = mpegHeader(rateByte(0b1001)) + filler(20'000);
    const QByteArray files[] = {
        id3v2Tag(3, title) + audio,
        id3v2Tag(3, title + "\xFF\xE2\x50") + audio,
        // The tag ends with 255 and the audio's next byte completes the pair.
        id3v2Tag(3, title + "\xFF") + QByteArray("\xE0\x50", 2) + audio,
        id3v2Tag(3, title + filler(5000) + "\xFF") + QByteArray("\xE0\x50", 2) + audio,
        // Syncs in the tag on both sides of the first 4 KB, the audio after them.
        id3v2Tag(3, title + filler(4000) + "\xFF\xE2\x50" + filler(300) + "\xFF\xE2\x50") + audio,
        id3v2Tag(3, title + filler(4100)) + QByteArray("\xFF\xE2\x50", 3) + audio,
        QByteArray("ID3\x04\x00\x10", 6) + sevenBitGroups(4) + "abcd" + filler(10) + audio,
        // The pair split at the end of the first 4 KB read with the tag.
        id3v2Tag(3, title) + filler(4095 - 10 - title.size()) + "\xFF\xE0\x50" + audio,
        id3v2Tag(3, title + "\xFF"),
        id3v2Header(3, 100'000) + audio,
        audio + id3v1({.title = "Old"}),
        filler(5000),
        QByteArray(),
    };
    for (const QByteArray &file : files) {
        const media::MediaInfo info = readMediaInfo(file);
        EXPECT_EQ(info.tag, readTag(file));
        EXPECT_EQ(info.duration, headerDuration(file)) << file.size();
    }
}

TEST(HeaderDuration, DamagedBytesNeverCrash)
{
    const QByteArray sample = id3v2Tag(3, textFrame(3, "TIT2", 0, "x\xFF\xE0")) +
                              xingFrame(rateByte(0b0101), 100, 50'000) + filler(200);
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray damaged = sample.left(qsizetype(random() % (sample.size() + 1)));
        for (int change = 0; change < 6 && !damaged.isEmpty(); ++change)
            damaged[qsizetype(random() % damaged.size())] = char(random());
        EXPECT_GE(headerDuration(damaged), 0);
    }
}

} // namespace

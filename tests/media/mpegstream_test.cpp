#include "media/mpegstream.h"

#include "media/mpegduration.h"
#include "tagbytes.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace {

using namespace tagbytes;

// 128 kbit/s at 44100 Hz; 32 kbit/s at 22050 Hz; 8 kbit/s at 8000 Hz.
const MpegFrame mpeg1Stereo{};
const MpegFrame mpeg2Mono{
    .versionByte = mpeg2Layer3, .bitRateIndex = 4, .sampleRateIndex = 0, .mono = true};
const MpegFrame mpeg25Mono{
    .versionByte = mpeg25Layer3, .bitRateIndex = 1, .sampleRateIndex = 2, .mono = true};

double secondsOf(const MpegFrame &frame, qint64 frames)
{
    return double(frames) * samplesPerFrame(frame) / sampleRate(frame);
}

std::optional<double> measuredSeconds(const QByteArray &file)
{
    const std::optional<qint64> units = streamDurationUnits(file);
    return units ? std::optional<double>(double(*units) / 1e7) : std::nullopt;
}

MpegFrame with(MpegFrame frame, int bitRateIndex)
{
    frame.bitRateIndex = bitRateIndex;
    return frame;
}

MpegFrame protectedFrame(MpegFrame frame)
{
    frame.crc = true;
    return frame;
}

// Cover art as a tag holds it: random bytes among which real-looking frame headers.
QByteArray coverArtTag(qsizetype size)
{
    std::mt19937 random(5);
    QByteArray picture = "\xFF\xD8\xFF\xE0";
    while (picture.size() < size)
        picture +=
            random() % 50 == 0 ? mpegFrame(mpeg1Stereo).first(6) : QByteArray(1, char(random()));
    return id3v2Tag(3, frame(3, "APIC", "\0image/jpeg\0\3\0" + picture));
}

// An encoder's first frame: its own bit rate, high enough for the header it holds.
const MpegFrame mpeg2Info = with(mpeg2Mono, 7);

struct Case {
    const char *name;
    QByteArray file;
    double seconds;
    double tolerance;
};

constexpr double exact = 1e-7;

// Bytes over a bit rate come within the frame's length.
double withinAFrame(const MpegFrame &frame)
{
    return secondsOf(frame, 1);
}

// An average over windows of the stream comes within a few hundredths of its length.
double averaged(double seconds)
{
    return seconds * 0.04;
}

std::vector<Case> lengthCases()
{
    const QByteArray lowRate = mpegStream(mpeg25Mono, 300);
    const QList<int> varying = {9, 10, 9, 11, 5};
    return {
        {"constant rate, no header", mpegStream(mpeg1Stereo, 2000), secondsOf(mpeg1Stereo, 2000),
         withinAFrame(mpeg1Stereo)},
        {"MPEG-2 mono, no header", mpegStream(mpeg2Mono, 1500), secondsOf(mpeg2Mono, 1500),
         withinAFrame(mpeg2Mono)},
        {"MPEG-2.5 mono, no header", lowRate, secondsOf(mpeg25Mono, 300), withinAFrame(mpeg25Mono)},
        {"Info frame with a count",
         xingInfoFrame(mpeg2Info, "Info", 1500) + mpegStream(mpeg2Mono, 1500),
         secondsOf(mpeg2Mono, 1500), exact},
        {"Info frame without a count",
         xingInfoFrame(mpeg2Info, "Info", std::nullopt) + mpegStream(mpeg2Mono, 1500),
         secondsOf(mpeg2Mono, 1500), withinAFrame(mpeg2Mono)},
        {"Xing frame with a count, varying rate",
         xingInfoFrame(mpeg1Stereo, "Xing", 1800) + mpegStream(mpeg1Stereo, 1800, varying),
         secondsOf(mpeg1Stereo, 1800), exact},
        {"Xing frame without a count, varying rate",
         xingInfoFrame(with(mpeg1Stereo, 1), "Xing", std::nullopt) +
             mpegStream(mpeg1Stereo, 1800, varying),
         secondsOf(mpeg1Stereo, 1800), averaged(secondsOf(mpeg1Stereo, 1800))},
        {"varying rate, no header", mpegStream(mpeg1Stereo, 1800, varying),
         secondsOf(mpeg1Stereo, 1800), averaged(secondsOf(mpeg1Stereo, 1800))},
        {"VBRI frame", vbriFrame(mpeg1Stereo, 1700) + mpegStream(mpeg1Stereo, 1700, varying),
         secondsOf(mpeg1Stereo, 1700), exact},
        {"VBRI in an MPEG-2 mono frame", vbriFrame(mpeg2Info, 1500) + mpegStream(mpeg2Mono, 1500),
         secondsOf(mpeg2Mono, 1500), exact},
        {"MPEG-2 stereo Xing",
         xingInfoFrame(with(mpeg2Mono, 8), "Xing", 900) +
             mpegStream(MpegFrame{.versionByte = mpeg2Layer3, .bitRateIndex = 8}, 900),
         secondsOf(mpeg2Mono, 900), exact},
        {"MPEG-2.5 mono Xing", xingInfoFrame(with(mpeg25Mono, 3), "Xing", 300) + lowRate,
         secondsOf(mpeg25Mono, 300), exact},
        {"MPEG-1 mono Info",
         xingInfoFrame(MpegFrame{.mono = true}, "Info", 1000) +
             mpegStream(MpegFrame{.mono = true}, 1000),
         secondsOf(mpeg1Stereo, 1000), exact},
        // The count is of the stream before the file was cut: it wins over the bytes.
        {"CRC before the side information",
         xingInfoFrame(protectedFrame(mpeg1Stereo), "Xing", 2000) +
             mpegStream(protectedFrame(mpeg1Stereo), 1000),
         secondsOf(mpeg1Stereo, 2000), exact},
        {"CRC in every frame, no header", mpegStream(protectedFrame(mpeg2Mono), 1500),
         secondsOf(mpeg2Mono, 1500), withinAFrame(mpeg2Mono)},
        {"cover art with false syncs",
         coverArtTag(300'000) + xingInfoFrame(mpeg2Info, "Info", 1500) +
             mpegStream(mpeg2Mono, 1500),
         secondsOf(mpeg2Mono, 1500), exact},
        {"cover art, no header", coverArtTag(300'000) + lowRate, secondsOf(mpeg25Mono, 300),
         withinAFrame(mpeg25Mono)},
        {"junk with false syncs before the first frame", coverArtTag(20'000).sliced(10) + lowRate,
         secondsOf(mpeg25Mono, 300), withinAFrame(mpeg25Mono)},
        {"ID3v1", lowRate + id3v1({.title = "T"}), secondsOf(mpeg25Mono, 300),
         withinAFrame(mpeg25Mono)},
        {"enhanced block and ID3v1", lowRate + enhancedTag({.title = "T"}) + id3v1({}),
         secondsOf(mpeg25Mono, 300), withinAFrame(mpeg25Mono)},
        {"APEv2 with a header, then ID3v1",
         lowRate + apeTag(QByteArray(900, 'a'), true) + id3v1({}), secondsOf(mpeg25Mono, 300),
         withinAFrame(mpeg25Mono)},
        {"APEv2 without a header", lowRate + apeTag(QByteArray(900, 'a'), false),
         secondsOf(mpeg25Mono, 300), withinAFrame(mpeg25Mono)},
        {"Lyrics3v2, APEv2 and ID3v1",
         lowRate + lyrics3Block(QByteArray(700, 'l')) + apeTag("x", false) + id3v1({}),
         secondsOf(mpeg25Mono, 300), withinAFrame(mpeg25Mono)},
        {"three frames up to the end", mpegStream(mpeg25Mono, 3), secondsOf(mpeg25Mono, 3),
         withinAFrame(mpeg25Mono)},
        {"one frame before ID3v1", mpegStream(mpeg25Mono, 1) + id3v1({}), secondsOf(mpeg25Mono, 1),
         withinAFrame(mpeg25Mono)},
    };
}

TEST(StreamDuration, KnownLengths)
{
    for (const Case &c : lengthCases()) {
        const std::optional<double> seconds = measuredSeconds(c.file);
        ASSERT_TRUE(seconds.has_value()) << c.name;
        EXPECT_NEAR(*seconds, c.seconds, c.tolerance) << c.name;
    }
}

TEST(StreamDuration, RatesVaryingAwayFromTheMiddleAreAveragedOverTheWholeStream)
{
    // A varying start, a constant middle, and a last part at another constant rate.
    const QByteArray file = mpegStream(mpeg1Stereo, 300, {5, 10}) + mpegStream(mpeg1Stereo, 800) +
                            mpegStream(with(mpeg1Stereo, 14), 300);
    EXPECT_NEAR(measuredSeconds(file).value_or(0), secondsOf(mpeg1Stereo, 1400),
                averaged(secondsOf(mpeg1Stereo, 1400)));
}

TEST(StreamDuration, AStartAndAMiddleOfTwoConstantRatesAreAveragedWithTheRest)
{
    const MpegFrame high = with(mpeg1Stereo, 14);
    const MpegFrame low = with(mpeg1Stereo, 5);
    const QByteArray file = mpegStream(high, 200) + mpegStream(low, 2000) + mpegStream(high, 200);
    EXPECT_NEAR(measuredSeconds(file).value_or(0), secondsOf(mpeg1Stereo, 2400),
                averaged(secondsOf(mpeg1Stereo, 2400)));
}

TEST(StreamDuration, ALongDamagedStretchLeavesTheRateToTheFramesAroundIt)
{
    // The first window and the middle one fall in the damage.
    const QByteArray file =
        mpegStream(mpeg1Stereo, 24) + filler(330'000) + mpegStream(mpeg1Stereo, 700);
    EXPECT_NEAR(measuredSeconds(file).value_or(0), file.size() * 8 / 128000.0,
                withinAFrame(mpeg1Stereo));
}

// 2^62 bytes that are one frame over and over.
class EndlessFrames : public QIODevice {
public:
    explicit EndlessFrames(const QByteArray &frame) : m_frame(frame)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    qint64 size() const override { return qint64(1) << 62; }
    bool isSequential() const override { return false; }

protected:
    qint64 readData(char *data, qint64 length) override
    {
        const qint64 count = qMin(length, size() - pos());
        for (qint64 i = 0; i < count; ++i)
            data[i] = m_frame[(pos() + i) % m_frame.size()];
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_frame;
};

TEST(StreamDuration, AStreamTooLongToCountStopsAtTheLongestDuration)
{
    EndlessFrames device(mpegFrame(mpeg1Stereo));
    const std::optional<qint64> units = media::streamDurationUnits(media::DeviceReader(device));
    ASSERT_TRUE(units.has_value());
    EXPECT_EQ(media::secondsFromShellUnits(*units), std::numeric_limits<qint32>::max());
}

TEST(StreamDuration, CountsNoFileCouldHoldGiveWayToTheBytes)
{
    // At 8 kbit/s and 22050 Hz a frame holds 26 bytes at least: the file from the first frame
    // on is made a whole number of them.
    const qsizetype frameBytes =
        xingInfoFrame(mpeg2Info, "Xing", 0).size() + mpegStream(mpeg2Mono, 1500).size();
    const qsizetype padded = (frameBytes / 26 + 1) * 26;
    const QByteArray stream = mpegStream(mpeg2Mono, 1500) + filler(padded - frameBytes);
    const quint32 mostFrames = quint32(padded / 26);
    for (const quint32 count : {0u, mostFrames + 1, 0xFFFFFFFFu}) {
        const std::optional<double> seconds =
            measuredSeconds(xingInfoFrame(mpeg2Info, "Xing", count) + stream);
        ASSERT_TRUE(seconds.has_value()) << count;
        EXPECT_NEAR(*seconds, secondsOf(mpeg2Mono, 1500), withinAFrame(mpeg2Mono)) << count;
    }
    EXPECT_NEAR(measuredSeconds(xingInfoFrame(mpeg2Info, "Xing", mostFrames) + stream).value_or(0),
                secondsOf(mpeg2Mono, mostFrames), exact);
}

TEST(StreamDuration, EveryCutOfAFileIsMeasuredSafely)
{
    const QByteArray file = id3v2Tag(3, textFrame(3, "TIT2", 0, "Cut")) +
                            xingInfoFrame(with(mpeg25Mono, 3), "Xing", 40) +
                            mpegStream(mpeg25Mono, 40) + apeTag("v", true) + id3v1({});
    for (qsizetype length = 0; length <= file.size(); ++length) {
        const std::optional<double> seconds = measuredSeconds(file.first(length));
        EXPECT_LE(seconds.value_or(0), secondsOf(mpeg25Mono, 40) + exact) << length;
    }
}

TEST(StreamDuration, FewerFramesThanAChainBeforeJunkAreNoStream)
{
    for (int frames : {1, 2, 3})
        EXPECT_FALSE(measuredSeconds(mpegStream(mpeg1Stereo, frames) + filler(5000))) << frames;
    EXPECT_TRUE(measuredSeconds(mpegStream(mpeg1Stereo, 4) + filler(5000)));
    // A chain that breaks off later leaves its bytes to the bit rate.
    const QByteArray broken = mpegStream(mpeg25Mono, 50) + filler(720);
    EXPECT_NEAR(measuredSeconds(broken).value_or(0), secondsOf(mpeg25Mono, 60),
                withinAFrame(mpeg25Mono));
}

TEST(StreamDuration, TheFirstFrameIsSearchedForAMegabyteAfterTheTag)
{
    const QByteArray tag = id3v2Tag(3, frame(3, "PRIV", filler(50'000)));
    const qsizetype megabyte = 1 << 20;
    const QByteArray stream = mpegStream(mpeg25Mono, 300);
    for (const qsizetype junk : {qsizetype(16'383), qsizetype(16'384), megabyte - 2}) {
        const std::optional<double> seconds = measuredSeconds(tag + filler(junk) + stream);
        ASSERT_TRUE(seconds.has_value()) << junk;
        // The junk before the first frame is no audio.
        EXPECT_NEAR(*seconds, secondsOf(mpeg25Mono, 300), withinAFrame(mpeg25Mono)) << junk;
    }
    EXPECT_FALSE(measuredSeconds(tag + filler(megabyte - 1) + stream));
}

TEST(StreamDuration, FramesOfAnotherStreamMakeNoChain)
{
    // Whole frames one after another, but each of another sample rate than the last.
    QByteArray junk;
    for (const int sampleRateIndex : {0, 1, 0, 1, 2, 0})
        junk += mpegFrame({.bitRateIndex = 1, .sampleRateIndex = sampleRateIndex});
    const QByteArray stream = mpegStream(mpeg25Mono, 300);
    EXPECT_NEAR(measuredSeconds(junk + filler(100) + stream).value_or(0),
                secondsOf(mpeg25Mono, 300), withinAFrame(mpeg25Mono));
}

TEST(StreamDuration, JunkFullOfHeadersIsReadAFewTimesAtMost)
{
    // A header every four bytes, each one's frame ending where no header starts.
    const QByteArray junk = mpegFrame(mpeg1Stereo).first(4).repeated(200'000);
    CountingBuffer buffer(junk + mpegStream(mpeg25Mono, 300));
    EXPECT_TRUE(media::streamDurationUnits(media::DeviceReader(buffer)));
    EXPECT_LT(buffer.bytesRead, 4 * junk.size());
}

TEST(StreamDuration, LargeFilesCostAFewWindows)
{
    const MpegFrame highRate = with(mpeg1Stereo, 14);
    const QByteArray files[] = {
        mpegStream(highRate, 20'000),
        mpegStream(highRate, 20'000, {14, 13, 12, 11}),
        filler(20 << 20),
    };
    for (const QByteArray &file : files) {
        CountingBuffer buffer(file);
        media::streamDurationUnits(media::DeviceReader(buffer));
        EXPECT_LT(buffer.bytesRead, 1200 * 1024) << file.size();
    }
}

TEST(StreamDuration, DamagedBytesNeverCrash)
{
    const QByteArray sample = id3v2Tag(3, textFrame(3, "TIT2", 0, "x\xFF\xE0")) +
                              xingInfoFrame(mpeg2Info, "Info", 30) + mpegStream(mpeg2Mono, 30) +
                              lyrics3Block("la") + apeTag("v", true) + id3v1({});
    std::mt19937 random(3);
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = sample.left(qsizetype(random() % (sample.size() + 1)));
        for (int change = 0; change < 6 && !damaged.isEmpty(); ++change)
            damaged[qsizetype(random() % damaged.size())] = char(random());
        EXPECT_GE(streamDurationUnits(damaged).value_or(0), 0);
    }
}

TEST(DeviceDuration, TheMeasurementComesBeforeTheEstimate)
{
    // The estimate takes the Info frame's 56 kbit/s for the stream's 32.
    const QByteArray file = xingInfoFrame(mpeg2Info, "Info", 1500) + mpegStream(mpeg2Mono, 1500);
    EXPECT_EQ(readMediaInfo(file).duration, 39);
    EXPECT_NE(headerDuration(file), 39);
}

TEST(DeviceDuration, HalfSecondsRoundToTheEvenSecond)
{
    // 125 and 375 frames at 32000 Hz: 4.5 and 13.5 seconds.
    const MpegFrame frame{.sampleRateIndex = 2};
    for (const auto &[frames, seconds] : {std::pair{125, 4}, std::pair{375, 14}}) {
        const QByteArray file = xingInfoFrame(frame, "Info", frames) + mpegStream(frame, frames);
        EXPECT_EQ(readMediaInfo(file).duration, seconds) << frames;
    }
}

TEST(DeviceDuration, TheBytesTheTagReadAreMeasuredAsAScanOfItsOwnWould)
{
    const QByteArray stream = xingInfoFrame(mpeg2Info, "Info", 200) + mpegStream(mpeg2Mono, 200);
    const QByteArray title = textFrame(3, "TIT2", 0, "Title");
    for (const qsizetype padding : {0, 3900, 4070, 4080, 4090, 20'000}) {
        const QByteArray file = id3v2Tag(3, title) + filler(padding) + stream;
        const media::MediaInfo info = readMediaInfo(file);
        EXPECT_EQ(info.duration, media::secondsFromShellUnits(*streamDurationUnits(file)))
            << padding;
        EXPECT_EQ(info.duration, 5) << padding;
    }
}

} // namespace

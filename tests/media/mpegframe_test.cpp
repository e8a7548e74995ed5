#include "media/mpegframe.h"

#include "tagbytes.h"

#include <gtest/gtest.h>

namespace {

using media::frameRates;
using media::frameScanStart;
using namespace tagbytes;

constexpr quint8 rateByte(int bitRateIndex, int sampleRateIndex)
{
    return quint8(bitRateIndex << 4 | sampleRateIndex << 2);
}

// "ID3", version, revision, flags, then the size as 7-bit groups.
QByteArray tagHeader(int majorVersion, quint8 flags, quint32 size)
{
    return QByteArray("ID3") + char(majorVersion) + '\0' + char(flags) + sevenBitGroups(size);
}

TEST(FrameRates, LowSampleRateVersionsUseTheirOwnLayer3BitRates)
{
    // Index 0000 (free format) and 1111 (bad) take the 1001 entry, as in MPEG-1.
    const qint32 kilobits[16] = {80, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 80};
    for (quint8 version : {mpeg2Layer3, mpeg25Layer3}) {
        for (int index = 0; index < 16; ++index)
            EXPECT_EQ(frameRates(version, rateByte(index, 0)).bitRate, kilobits[index] * 1000)
                << int(version) << ' ' << index;
    }
}

TEST(FrameRates, SampleRatesAndFrameSizeByVersion)
{
    struct Expected {
        quint8 version;
        qint32 sampleRates[4];
        qint32 factor;
    };
    // Sample-rate index 11 (reserved) reads as 10.
    const Expected versions[] = {{mpeg1Layer3, {44100, 48000, 32000, 32000}, 144},
                                 {mpeg2Layer3, {22050, 24000, 16000, 16000}, 72},
                                 {mpeg25Layer3, {11025, 12000, 8000, 8000}, 72},
                                 {reservedVersionLayer3, {44100, 48000, 32000, 32000}, 144}};
    for (const Expected &expected : versions) {
        for (int index = 0; index < 4; ++index) {
            const media::FrameRates rates = frameRates(expected.version, rateByte(0b0101, index));
            EXPECT_EQ(rates.sampleRate, expected.sampleRates[index]) << int(expected.version);
            EXPECT_EQ(rates.frameSizeFactor, expected.factor) << int(expected.version);
        }
    }
}

TEST(FrameRates, MpegOneAndTheReservedVersionUseTheMpegOneTable)
{
    for (quint8 version : {mpeg1Layer3, reservedVersionLayer3}) {
        EXPECT_EQ(frameRates(version, rateByte(0b0001, 0)).bitRate, 32000);
        EXPECT_EQ(frameRates(version, rateByte(0b1100, 0)).bitRate, 224000);
        EXPECT_EQ(frameRates(version, rateByte(0b1111, 0)).bitRate, 128000);
    }
}

TEST(FrameRates, LayerBitsAreNotConsulted)
{
    // MPEG-2 with the Layer II and Layer I bits, CRC on and off.
    for (quint8 version : {0xF5, 0xF7, 0xF2, 0xF4}) {
        const media::FrameRates rates = frameRates(version, rateByte(0b1000, 1));
        EXPECT_EQ(rates.bitRate, 64000);
        EXPECT_EQ(rates.sampleRate, 24000);
    }
}

TEST(FrameScanStart, AfterAWellFormedTag)
{
    for (int version : {2, 3, 4})
        EXPECT_EQ(frameScanStart(tagHeader(version, 0, 1000), 5000), 1010) << version;
    // The largest size the four 7-bit groups hold.
    EXPECT_EQ(frameScanStart(tagHeader(3, 0, (1 << 28) - 1), qint64(1) << 30),
              (qint64(1) << 28) + 9);
}

TEST(FrameScanStart, VersionFourFooterIsSkippedToo)
{
    EXPECT_EQ(frameScanStart(tagHeader(4, 0x10, 1000), 5000), 1020);
    // The same flag bit means nothing to the earlier versions.
    EXPECT_EQ(frameScanStart(tagHeader(3, 0x10, 1000), 5000), 1010);
    EXPECT_EQ(frameScanStart(tagHeader(4, 0xEF, 1000), 5000), 1010);
}

TEST(FrameScanStart, CutAtTheFileSize)
{
    EXPECT_EQ(frameScanStart(tagHeader(3, 0, 1000), 600), 600);
    EXPECT_EQ(frameScanStart(tagHeader(4, 0x10, 1000), 1015), 1015);
    EXPECT_EQ(frameScanStart(tagHeader(3, 0, 1000), 0), 0);
}

TEST(FrameScanStart, MalformedOrMissingHeaderStartsAtTheFirstByte)
{
    const QByteArray good = tagHeader(3, 0, 1000);
    const auto changed = [&good](qsizetype at, char byte) {
        QByteArray bytes = good;
        bytes[at] = byte;
        return bytes;
    };
    const QByteArray malformed[] = {
        changed(3, 1),          changed(3, 5),          changed(3, char(0xFF)),
        changed(6, char(0x80)), changed(7, char(0x81)), changed(8, char(0xFF)),
        changed(9, char(0x80)), changed(0, 'i'),        changed(2, '2'),
        good.first(9),          QByteArray(),           mpegHeader(0x90) + good,
    };
    for (const QByteArray &bytes : malformed)
        EXPECT_EQ(frameScanStart(bytes, 5000), 0) << bytes.toHex().constData();
}

struct HeaderCase {
    MpegFrame frame;
    qint32 bitRate;
    qint32 sampleRate;
    qint32 samplesPerFrame;
    qint32 length;
    qint32 sideInformationEnd;
    qint32 shortestLength;
};

TEST(FrameHeader, FieldsOfRealHeaders)
{
    const HeaderCase cases[] = {
        // 144 × 128000 / 44100 = 417.96; 144 × 32000 / 44100 = 104.5.
        {{}, 128000, 44100, 1152, 417, 36, 104},
        {{.padded = true}, 128000, 44100, 1152, 418, 36, 104},
        {{.bitRateIndex = 14, .sampleRateIndex = 2, .mono = true},
         320000,
         32000,
         1152,
         1440,
         21,
         144},
        {{.crc = true, .bitRateIndex = 1, .sampleRateIndex = 1}, 32000, 48000, 1152, 96, 38, 96},
        // 72 × 32000 / 22050 = 104.5; 72 × 8000 / 22050 = 26.1.
        {{.versionByte = mpeg2Layer3, .bitRateIndex = 4, .mono = true},
         32000,
         22050,
         576,
         104,
         13,
         26},
        {{.versionByte = mpeg2Layer3, .crc = true, .bitRateIndex = 14, .sampleRateIndex = 1},
         160000,
         24000,
         576,
         480,
         23,
         24},
        {{.versionByte = mpeg25Layer3, .bitRateIndex = 1, .sampleRateIndex = 2, .padded = true},
         8000,
         8000,
         576,
         73,
         21,
         72},
        {{.versionByte = mpeg25Layer3, .bitRateIndex = 9, .sampleRateIndex = 0, .mono = true},
         80000,
         11025,
         576,
         522,
         13,
         52},
    };
    for (const HeaderCase &c : cases) {
        const std::optional<media::FrameHeader> header = media::frameHeader(mpegFrame(c.frame));
        ASSERT_TRUE(header.has_value()) << c.length;
        EXPECT_EQ(header->bitRate, c.bitRate) << c.length;
        EXPECT_EQ(header->sampleRate, c.sampleRate) << c.length;
        EXPECT_EQ(header->samplesPerFrame, c.samplesPerFrame) << c.length;
        EXPECT_EQ(header->length, c.length) << c.length;
        EXPECT_EQ(header->sideInformationEnd, c.sideInformationEnd) << c.length;
        EXPECT_EQ(header->shortestLength, c.shortestLength) << c.length;
    }
}

TEST(FrameHeader, AnythingButARealLayer3HeaderIsRefused)
{
    const QByteArray refused[] = {
        QByteArray("\xFF\xEB\x90\x00", 4), // reserved version
        QByteArray("\xFF\xFD\x90\x00", 4), // Layer II
        QByteArray("\xFF\xFF\x90\x00", 4), // Layer I
        QByteArray("\xFF\xF9\x90\x00", 4), // reserved layer
        QByteArray("\xFF\xFB\x00\x00", 4), // free bit rate
        QByteArray("\xFF\xFB\xF0\x00", 4), // bad bit rate
        QByteArray("\xFF\xFB\x9C\x00", 4), // reserved sample rate
        QByteArray("\xFF\xDB\x90\x00", 4), // a sync bit clear
        QByteArray("\xFE\xFB\x90\x00", 4),
        QByteArray("\xFF\xFB\x90", 3), // cut short
        QByteArray(),
    };
    for (const QByteArray &bytes : refused)
        EXPECT_FALSE(media::frameHeader(bytes)) << bytes.toHex().constData();
    EXPECT_TRUE(media::frameHeader(QByteArray("\xFF\xFB\x90\x00", 4)));
}

TEST(FrameHeader, FramesOfOneStreamShareTheirStreamBits)
{
    const auto bits = [](const MpegFrame &frame) {
        return media::frameHeader(mpegFrame(frame))->streamBits;
    };
    const quint32 stream = bits({});
    // Bit rate, padding, CRC and channels change from frame to frame.
    for (const MpegFrame &same : {MpegFrame{.bitRateIndex = 3}, MpegFrame{.padded = true},
                                  MpegFrame{.crc = true}, MpegFrame{.mono = true}})
        EXPECT_EQ(bits(same), stream);
    // Version and sample rate do not.
    for (const MpegFrame &other :
         {MpegFrame{.versionByte = mpeg2Layer3}, MpegFrame{.versionByte = mpeg25Layer3},
          MpegFrame{.sampleRateIndex = 1}, MpegFrame{.sampleRateIndex = 2}})
        EXPECT_NE(bits(other), stream);
}

TEST(FrameSyncIn, FindsTheFirstSyncPair)
{
    EXPECT_EQ(media::frameSyncIn(QByteArray("ab\xFF\xE0", 4)), 2);
    EXPECT_EQ(media::frameSyncIn(QByteArray("\xFF\xDF\x00\xFF\xE0", 5)), 3);
    EXPECT_EQ(media::frameSyncIn(QByteArray("\xFF\xDF"
                                            "ab\xFF",
                                            5)),
              -1);
    EXPECT_EQ(media::frameSyncIn(QByteArray()), -1);
}

} // namespace

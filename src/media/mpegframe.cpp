#include "media/mpegframe.h"

#include "media/bytereader.h"

#include <array>

namespace media {
namespace {

constexpr qint64 id3v2FooterSize = 10;
constexpr quint8 id3v2FooterFlag = 0x10;

// Layer III tables of one MPEG version. Bit-rate index 0000 (free format) and 1111 (bad) carry
// the 1001 entry (128000 in MPEG-1, 80000 in MPEG-2 and 2.5), sample-rate index 11 (reserved)
// the 10 entry.
struct VersionTables {
    std::array<qint32, 16> bitRates;
    std::array<qint32, 4> sampleRates;
    qint32 frameSizeFactor;
    // Side information bytes of a frame with two channels, and with one.
    qint32 stereoSideInformation;
    qint32 monoSideInformation;
};

constexpr VersionTables mpeg1{{128000, 32000, 40000, 48000, 56000, 64000, 80000, 96000, 112000,
                               128000, 160000, 192000, 224000, 256000, 320000, 128000},
                              {44100, 48000, 32000, 32000},
                              144,
                              32,
                              17};
// MPEG-2 and MPEG-2.5 share their bit rates; their frames hold 576 samples, half of MPEG-1's.
constexpr std::array<qint32, 16> lowSampleRateBitRates = {
    80000, 8000,  16000, 24000,  32000,  40000,  48000,  56000,
    64000, 80000, 96000, 112000, 128000, 144000, 160000, 80000};
constexpr VersionTables mpeg2{lowSampleRateBitRates, {22050, 24000, 16000, 16000}, 72, 17, 9};
constexpr VersionTables mpeg25{lowSampleRateBitRates, {11025, 12000, 8000, 8000}, 72, 17, 9};

constexpr quint32 streamMask = 0xFFFE0C00;
constexpr quint32 reservedVersion = 0b01;
constexpr quint32 layer3 = 0b01;
constexpr quint32 freeBitRate = 0;
constexpr quint32 badBitRate = 15;
constexpr quint32 reservedSampleRate = 3;
constexpr quint32 monoMode = 3;
constexpr qint32 crcSize = 2;
constexpr qint32 headerSize = 4;

const VersionTables &tablesOf(quint8 versionByte)
{
    switch ((versionByte >> 3) & 3) {
    case 0b10:
        return mpeg2;
    case 0b00:
        return mpeg25;
    default:
        return mpeg1;
    }
}

// Bits of a header taken as a big-endian number, counted from the lowest.
constexpr quint32 bitsAt(quint32 header, int lowest, int width)
{
    return (header >> lowest) & ((1u << width) - 1);
}

} // namespace

qint64 frameScanStart(QByteArrayView fileStart, qint64 fileSize)
{
    const ByteReader header(fileStart);
    bool ok = true;
    const quint8 majorVersion = header.u8(3, &ok);
    const quint8 flags = header.u8(5, &ok);
    const quint32 sizeBytes = header.u32be(6, &ok);
    if (!ok || !fileStart.startsWith("ID3") || majorVersion < 2 || majorVersion > 4 ||
        (sizeBytes & 0x80808080) != 0)
        return 0;
    qint64 end = id3v2HeaderSize + header.sevenBitGroups(6, &ok);
    if (majorVersion == 4 && (flags & id3v2FooterFlag) != 0)
        end += id3v2FooterSize;
    return qMin(end, qMax<qint64>(fileSize, 0));
}

FrameRates frameRates(quint8 versionByte, quint8 rateByte)
{
    const VersionTables &tables = tablesOf(versionByte);
    return {tables.bitRates[rateByte >> 4], tables.sampleRates[(rateByte >> 2) & 3],
            tables.frameSizeFactor};
}

qsizetype frameSyncIn(QByteArrayView bytes)
{
    for (qsizetype at = bytes.indexOf('\xFF'); at >= 0 && at + 1 < bytes.size();
         at = bytes.indexOf('\xFF', at + 1)) {
        if ((quint8(bytes[at + 1]) & 0xE0) == 0xE0)
            return at;
    }
    return -1;
}

std::optional<FrameHeader> frameHeader(QByteArrayView bytes)
{
    bool ok = true;
    const quint32 header = ByteReader(bytes).u32be(0, &ok);
    const quint32 bitRateIndex = bitsAt(header, 12, 4);
    const quint32 sampleRateIndex = bitsAt(header, 10, 2);
    if (!ok || bitsAt(header, 21, 11) != 0x7FF || bitsAt(header, 19, 2) == reservedVersion ||
        bitsAt(header, 17, 2) != layer3 || bitRateIndex == freeBitRate ||
        bitRateIndex == badBitRate || sampleRateIndex == reservedSampleRate)
        return std::nullopt;
    const VersionTables &tables = tablesOf(quint8(header >> 16));
    const qint32 factor = tables.frameSizeFactor;
    const qint32 sampleRate = tables.sampleRates[sampleRateIndex];
    const qint32 bitRate = tables.bitRates[bitRateIndex];
    const bool crc = bitsAt(header, 16, 1) == 0;
    const bool mono = bitsAt(header, 6, 2) == monoMode;
    return FrameHeader{
        .streamBits = header & streamMask,
        .bitRate = bitRate,
        .sampleRate = sampleRate,
        .samplesPerFrame = factor * 8,
        .length = factor * bitRate / sampleRate + qint32(bitsAt(header, 9, 1)),
        .sideInformationEnd = headerSize + (crc ? crcSize : 0) +
                              (mono ? tables.monoSideInformation : tables.stereoSideInformation),
        .shortestLength = factor * tables.bitRates[1] / sampleRate,
    };
}

} // namespace media

#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

namespace media {

// "ID3", version, revision, flags and the four size bytes.
constexpr qint64 id3v2HeaderSize = 10;

// Where the frame-sync scan of a file begins: after an ID3v2 tag whose header is well formed
// ("ID3", major version 2 to 4, size bytes with their high bits clear; a version 2.4 footer
// counted), cut at the file's size, so that bytes 255 inside the tag are never taken for a sync.
// 0 when the file's first bytes hold no such header.
qint64 frameScanStart(QByteArrayView fileStart, qint64 fileSize);

// What the duration estimate reads from a Layer III frame header.
struct FrameRates {
    qint32 bitRate;
    qint32 sampleRate;
    // A frame's bytes are factor × bit rate / sample rate: the factor is its samples / 8.
    qint32 frameSizeFactor;
};

// The rates of a header by its second byte (the version bits: MPEG-1, MPEG-2, MPEG-2.5; the
// reserved value reads as MPEG-1) and its third byte (bit-rate and sample-rate indexes). Layer
// III is assumed whatever the layer bits say. The free and bad bit-rate indexes 0000 and 1111
// read as 1001, sample-rate index 11 as 10.
FrameRates frameRates(quint8 versionByte, quint8 rateByte);

// The offset of the first frame sync in the bytes: byte 255, then a byte whose three high bits
// are set; -1 when there is none.
qsizetype frameSyncIn(QByteArrayView bytes);

// A header that passes every check of a real Layer III frame. Layers I and II are not taken:
// .mp3 files hold Layer III, and every other layer accepted would let more junk pass for a frame.
struct FrameHeader {
    // Sync, version, layer and sample rate: the bits every frame of one stream shares.
    quint32 streamBits;
    qint32 bitRate;
    qint32 sampleRate;
    qint32 samplesPerFrame;
    // The whole frame: header, CRC, side information, data and padding slot.
    qint32 length;
    // Where a Xing or Info header starts, after the header, its CRC and the side information.
    qint32 sideInformationEnd;
    // The length a frame of this stream has at the lowest bit rate, padding aside.
    qint32 shortestLength;
};

// The header in the first four bytes: sync, a version that is not reserved, Layer III, a
// bit-rate index other than free (0000) and bad (1111), a sample-rate index other than 11.
std::optional<FrameHeader> frameHeader(QByteArrayView bytes);

} // namespace media

#pragma once

#include <QByteArrayView>
#include <QtGlobal>

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

} // namespace media

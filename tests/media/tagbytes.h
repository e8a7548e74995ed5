#pragma once

#include "media/mediainfo.h"
#include "media/tagreader.h"

#include <QBuffer>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Builders of tag and MPEG bytes for the media tests, each field as the formats lay it out.
namespace tagbytes {

QByteArray bigEndian(quint32 value, int width);
// Four 7-bit groups, most significant first.
QByteArray sevenBitGroups(quint32 value);
QByteArray utf16le(QStringView text);
QByteArray utf16be(QStringView text);

// "ID3", major version, revision 0, flags 0, body size as 7-bit groups, then the body.
QByteArray id3v2Tag(int majorVersion, const QByteArray &body);
// The same header with the size given as it should be written (for sizes that lie).
QByteArray id3v2Header(int majorVersion, quint32 declaredSize);
// One frame: 2.2 is a 3-byte identifier and 3-byte size; 2.3 a 4-byte identifier, 4-byte size
// and 2 flag bytes; 2.4 the same with the size as 7-bit groups.
QByteArray frame(int majorVersion, const QByteArray &identifier, const QByteArray &content);
// A frame whose size field says `declaredSize` whatever follows it.
QByteArray frameHeader(int majorVersion, const QByteArray &identifier, quint32 declaredSize);
// A text frame: the encoding byte, then the text bytes.
QByteArray textFrame(int majorVersion, const QByteArray &identifier, quint8 encoding,
                     const QByteArray &text);

struct Id3v1Fields {
    QByteArray title = {};
    QByteArray artist = {};
    QByteArray album = {};
    QByteArray year = {};
    QByteArray comment = {};
    quint8 track = 0;
    quint8 genre = 255;
    // A 1.0 block lets the comment run over the track byte.
    QByteArray commentTail = {};
};
// The 128-byte block: "TAG", title 30, artist 30, album 30, year 4, comment 28, NUL, track,
// genre (NUL padded).
QByteArray id3v1(const Id3v1Fields &fields);

struct EnhancedFields {
    QByteArray title = {};
    QByteArray artist = {};
    QByteArray album = {};
    QByteArray genre = {};
};
// The 227-byte block: "TAG+", title 60, artist 60, album 60, speed 1, genre 30, start 6, end 6.
QByteArray enhancedTag(const EnhancedFields &fields);

// Bytes that hold no frame sync.
QByteArray filler(qsizetype size);
// Second bytes of a frame header: the sync's last three bits, the version bits (11 MPEG-1, 10
// MPEG-2, 00 MPEG-2.5, 01 reserved), Layer III, no CRC.
constexpr quint8 mpeg1Layer3 = 0xFB;
constexpr quint8 mpeg2Layer3 = 0xF3;
constexpr quint8 mpeg25Layer3 = 0xE3;
constexpr quint8 reservedVersionLayer3 = 0xEB;

// An MPEG audio frame header: FF, the version byte, the rate byte, a mode byte.
QByteArray mpegHeader(quint8 rateByte, quint8 versionByte = mpeg1Layer3);
// A first frame whose side information is followed by a Xing header with both counts.
QByteArray xingFrame(quint8 rateByte, quint32 frames, quint32 bytes,
                     const QByteArray &marker = "Xing", quint8 versionByte = mpeg1Layer3);

// One Layer III frame, field by field.
struct MpegFrame {
    // Sync's last bits, version, layer and protection bit, as the constants above; the protection
    // bit cleared (crc below) puts two CRC bytes after the header.
    quint8 versionByte = mpeg1Layer3;
    bool crc = false;
    // 1 to 14 in a real frame; 0 is free format, 15 bad.
    int bitRateIndex = 9;
    // 0 to 2; 3 is reserved.
    int sampleRateIndex = 0;
    // One byte more in this frame.
    bool padded = false;
    // Channel mode 11 (one channel), else 00 (stereo).
    bool mono = false;
    // What follows the header (and the CRC): cut to the frame's length, or filled up to it with
    // bytes that hold no sync.
    QByteArray content = {};
};
// The frame, as long as its header says: factor × bit rate / sample rate, plus the padding
// byte; the factor is 144 for MPEG-1, 72 for MPEG-2 and 2.5.
QByteArray mpegFrame(const MpegFrame &frame);
// Samples a frame of this version holds, and its sample rate.
int samplesPerFrame(const MpegFrame &frame);
int sampleRate(const MpegFrame &frame);
// `count` frames like this one, padded as an encoder pads them to keep the bit rate exact. The
// bit-rate indexes, when given, are taken in turn: a stream of varying bit rate.
QByteArray mpegStream(MpegFrame frame, int count, const QList<int> &bitRateIndexes = {});
// Bytes of side information after the header and CRC: 17 or 32 in MPEG-1, 9 or 17 in MPEG-2
// and 2.5, for one channel or two.
int sideInformationSize(const MpegFrame &frame);
// A first frame that stands for the stream: after the side information the marker ("Xing" or
// "Info"), the flags (bit 0: a frame count follows) and, when given, the count.
QByteArray xingInfoFrame(MpegFrame frame, const QByteArray &marker, std::optional<quint32> frames);
// The same with a VBRI header 32 bytes after the header: marker, version 1, delay, quality, byte
// count, frame count, then the seek table's sizes.
QByteArray vbriFrame(MpegFrame frame, quint32 frames);
// An APEv2 tag of one item: the header, when asked for, then the item, then the footer, whose
// size counts the item and the footer.
QByteArray apeTag(const QByteArray &value, bool withHeader);
// A Lyrics3v2 block: "LYRICSBEGIN", the text, its size in six digits, "LYRICS200".
QByteArray lyrics3Block(const QByteArray &text);

// Bytes in memory that count the reads of them and the bytes read.
class CountingBuffer : public QBuffer {
public:
    explicit CountingBuffer(const QByteArray &bytes);
    int reads = 0;
    qint64 bytesRead = 0;

protected:
    qint64 readData(char *data, qint64 length) override;
};

// The readers over bytes in memory, as over a file.
media::TagRecord readTag(const QByteArray &bytes);
qint32 headerDuration(const QByteArray &bytes);
std::optional<qint64> streamDurationUnits(const QByteArray &bytes);
media::MediaInfo readMediaInfo(const QByteArray &bytes);

} // namespace tagbytes

#pragma once

#include "media/mediainfo.h"
#include "media/tagreader.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

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

// The readers over bytes in memory, as over a file.
media::TagRecord readTag(const QByteArray &bytes);
qint32 headerDuration(const QByteArray &bytes);
media::MediaInfo readMediaInfo(const QByteArray &bytes);

} // namespace tagbytes

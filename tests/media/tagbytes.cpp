#include "tagbytes.h"

#include "media/mpegduration.h"

#include <QBuffer>

namespace tagbytes {
namespace {

QByteArray padded(const QByteArray &text, int width)
{
    return text.left(width).leftJustified(width, '\0');
}

} // namespace

QByteArray bigEndian(quint32 value, int width)
{
    QByteArray bytes;
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
        bytes += char((value >> shift) & 0xFF);
    return bytes;
}

QByteArray sevenBitGroups(quint32 value)
{
    QByteArray bytes;
    for (int shift = 21; shift >= 0; shift -= 7)
        bytes += char((value >> shift) & 0x7F);
    return bytes;
}

QByteArray utf16le(QStringView text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes += char(c.unicode() & 0xFF);
        bytes += char(c.unicode() >> 8);
    }
    return bytes;
}

QByteArray utf16be(QStringView text)
{
    QByteArray bytes;
    for (QChar c : text)
        bytes += bigEndian(c.unicode(), 2);
    return bytes;
}

QByteArray id3v2Header(int majorVersion, quint32 declaredSize)
{
    return QByteArray("ID3") + char(majorVersion) + '\0' + '\0' + sevenBitGroups(declaredSize);
}

QByteArray id3v2Tag(int majorVersion, const QByteArray &body)
{
    return id3v2Header(majorVersion, quint32(body.size())) + body;
}

QByteArray frameHeader(int majorVersion, const QByteArray &identifier, quint32 declaredSize)
{
    if (majorVersion == 2)
        return identifier + bigEndian(declaredSize, 3);
    const QByteArray size =
        majorVersion == 3 ? bigEndian(declaredSize, 4) : sevenBitGroups(declaredSize);
    return identifier + size + QByteArray(2, '\0');
}

QByteArray frame(int majorVersion, const QByteArray &identifier, const QByteArray &content)
{
    return frameHeader(majorVersion, identifier, quint32(content.size())) + content;
}

QByteArray textFrame(int majorVersion, const QByteArray &identifier, quint8 encoding,
                     const QByteArray &text)
{
    return frame(majorVersion, identifier, char(encoding) + text);
}

QByteArray id3v1(const Id3v1Fields &fields)
{
    QByteArray block = "TAG" + padded(fields.title, 30) + padded(fields.artist, 30) +
                       padded(fields.album, 30) + padded(fields.year, 4) +
                       padded(fields.comment, 28);
    block += fields.commentTail.isEmpty() ? QByteArray(1, '\0') + char(fields.track)
                                          : padded(fields.commentTail, 2);
    return block + char(fields.genre);
}

QByteArray enhancedTag(const EnhancedFields &fields)
{
    return "TAG+" + padded(fields.title, 60) + padded(fields.artist, 60) +
           padded(fields.album, 60) + '\0' + padded(fields.genre, 30) + padded("000:00", 6) +
           padded("000:00", 6);
}

QByteArray filler(qsizetype size)
{
    return QByteArray(size, '\x55');
}

QByteArray mpegHeader(quint8 rateByte, quint8 versionByte)
{
    return QByteArray("\xFF") + char(versionByte) + char(rateByte) + '\xC4';
}

QByteArray xingFrame(quint8 rateByte, quint32 frames, quint32 bytes, const QByteArray &marker,
                     quint8 versionByte)
{
    // The side information of a stereo frame (32 bytes in MPEG-1, 17 in the other versions),
    // then the Xing header with its flags (frames and bytes present), both counts and padding.
    const int sideInformation = versionByte == mpeg1Layer3 ? 32 : 17;
    return mpegHeader(rateByte, versionByte) + QByteArray(sideInformation, '\0') + marker +
           bigEndian(3, 4) + bigEndian(frames, 4) + bigEndian(bytes, 4) + QByteArray(100, '\0');
}

media::TagRecord readTag(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return media::readTag(buffer);
}

qint32 headerDuration(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return media::headerDuration(buffer);
}

media::MediaInfo readMediaInfo(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return media::readMediaInfo(buffer);
}

} // namespace tagbytes

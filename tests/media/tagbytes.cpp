#include "tagbytes.h"

#include "media/mpegduration.h"
#include "media/mpegstream.h"

#include <QBuffer>

#include <algorithm>

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

namespace {

// Layer III bit rates in kbit/s by index: MPEG-1, then MPEG-2 and 2.5.
constexpr int mpeg1KilobitRates[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                       112, 128, 160, 192, 224, 256, 320, 0};
constexpr int lowRateKilobitRates[16] = {0,  8,  16, 24,  32,  40,  48,  56,
                                         64, 80, 96, 112, 128, 144, 160, 0};

bool isMpeg1(const MpegFrame &frame)
{
    return (frame.versionByte & 0x18) == 0x18;
}

int bitRate(const MpegFrame &frame)
{
    const int index = frame.bitRateIndex & 15;
    return 1000 * (isMpeg1(frame) ? mpeg1KilobitRates[index] : lowRateKilobitRates[index]);
}

// Bytes a frame's bit rate gives it, padding aside, times the sample rate.
qint64 scaledLength(const MpegFrame &frame)
{
    return qint64(samplesPerFrame(frame)) / 8 * bitRate(frame);
}

} // namespace

int samplesPerFrame(const MpegFrame &frame)
{
    return isMpeg1(frame) ? 1152 : 576;
}

int sampleRate(const MpegFrame &frame)
{
    constexpr int mpeg1Rates[4] = {44100, 48000, 32000, 0};
    const int rate = mpeg1Rates[frame.sampleRateIndex & 3];
    switch ((frame.versionByte >> 3) & 3) {
    case 0b10:
        return rate / 2;
    case 0b00:
        return rate / 4;
    default:
        return rate;
    }
}

int sideInformationSize(const MpegFrame &frame)
{
    if (isMpeg1(frame))
        return frame.mono ? 17 : 32;
    return frame.mono ? 9 : 17;
}

QByteArray mpegFrame(const MpegFrame &frame)
{
    const quint8 versionByte = frame.crc ? frame.versionByte & 0xFE : frame.versionByte;
    const quint8 rateByte =
        quint8(frame.bitRateIndex << 4 | frame.sampleRateIndex << 2 | (frame.padded ? 2 : 0));
    QByteArray bytes =
        QByteArray("\xFF") + char(versionByte) + char(rateByte) + char(frame.mono ? 0xC0 : 0x00);
    if (frame.crc)
        bytes += QByteArray(2, '\0');
    const qsizetype length = scaledLength(frame) / qMax(sampleRate(frame), 1) + frame.padded;
    bytes += frame.content.left(length - bytes.size());
    return bytes + filler(length - bytes.size());
}

QByteArray mpegStream(MpegFrame frame, int count, const QList<int> &bitRateIndexes)
{
    QByteArray bytes;
    // The stream's bytes so far, times the sample rate, against what its bit rate allows.
    qint64 owed = 0;
    for (int i = 0; i < count; ++i) {
        if (!bitRateIndexes.isEmpty())
            frame.bitRateIndex = bitRateIndexes[i % bitRateIndexes.size()];
        owed += scaledLength(frame) % sampleRate(frame);
        frame.padded = owed >= sampleRate(frame);
        if (frame.padded)
            owed -= sampleRate(frame);
        bytes += mpegFrame(frame);
    }
    return bytes;
}

QByteArray xingInfoFrame(MpegFrame frame, const QByteArray &marker, std::optional<quint32> frames)
{
    frame.content = QByteArray(sideInformationSize(frame), '\0') + marker +
                    bigEndian(frames ? 1 : 0, 4) + (frames ? bigEndian(*frames, 4) : QByteArray());
    return mpegFrame(frame);
}

QByteArray vbriFrame(MpegFrame frame, quint32 frames)
{
    frame.content = QByteArray(32 - (frame.crc ? 2 : 0), '\0') + "VBRI" + bigEndian(1, 2) +
                    bigEndian(576, 2) + bigEndian(75, 2) + bigEndian(100'000, 4) +
                    bigEndian(frames, 4) + bigEndian(0, 2) + bigEndian(1, 2) + bigEndian(2, 2) +
                    bigEndian(frames, 2);
    return mpegFrame(frame);
}

QByteArray apeTag(const QByteArray &value, bool withHeader)
{
    const auto littleEndian = [](quint32 number) {
        QByteArray bytes = bigEndian(number, 4);
        std::reverse(bytes.begin(), bytes.end());
        return bytes;
    };
    // Value size, item flags, key, NUL, value.
    const QByteArray item =
        littleEndian(quint32(value.size())) + littleEndian(0) + "Title" + '\0' + value;
    // Marker, version 2000, size, item count, flags (bit 31: a header; bit 29: this is it), 8
    // reserved bytes.
    const auto block = [&](quint32 flags) {
        return "APETAGEX" + littleEndian(2000) + littleEndian(quint32(item.size() + 32)) +
               littleEndian(1) + littleEndian(flags) + QByteArray(8, '\0');
    };
    const quint32 hasHeader = withHeader ? 0x80000000 : 0;
    return (withHeader ? block(hasHeader | 0x20000000) : QByteArray()) + item + block(hasHeader);
}

QByteArray lyrics3Block(const QByteArray &text)
{
    const QByteArray body = "LYRICSBEGIN" + text;
    return body + QByteArray::number(body.size()).rightJustified(6, '0') + "LYRICS200";
}

CountingBuffer::CountingBuffer(const QByteArray &bytes)
{
    setData(bytes);
    open(QIODevice::ReadOnly);
}

qint64 CountingBuffer::readData(char *data, qint64 length)
{
    const qint64 read = QBuffer::readData(data, length);
    ++reads;
    bytesRead += qMax<qint64>(read, 0);
    return read;
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

std::optional<qint64> streamDurationUnits(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return media::streamDurationUnits(media::DeviceReader(buffer));
}

media::MediaInfo readMediaInfo(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return media::readMediaInfo(buffer);
}

} // namespace tagbytes

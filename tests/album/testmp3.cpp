#include "testmp3.h"

#include <QFile>

namespace testmp3 {

namespace {

QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFF));
    return out;
}

// Four 7-bit groups, most significant first.
QByteArray syncSafe(quint32 value)
{
    QByteArray out;
    for (int shift = 21; shift >= 0; shift -= 7)
        out.append(char((value >> shift) & 0x7F));
    return out;
}

QByteArray frameBytes(int majorVersion, const TextFrame &frame)
{
    const QByteArray content = char(frame.encoding) + frame.text;
    const quint32 size = quint32(content.size());
    if (majorVersion == 2)
        return frame.id + bigEndian(size, 3) + content;
    const QByteArray sizeBytes = majorVersion == 4 ? syncSafe(size) : bigEndian(size, 4);
    return frame.id + sizeBytes + QByteArray(2, '\0') + content;
}

// The field cut or padded with NULs to its width.
QByteArray fixed(const QByteArray &text, int width)
{
    return text.left(width).leftJustified(width, '\0');
}

} // namespace

QByteArray id3v2Tag(int majorVersion, const QList<TextFrame> &frames)
{
    QByteArray body;
    for (const TextFrame &frame : frames)
        body += frameBytes(majorVersion, frame);
    // "ID3", version, revision 0, no flags, the body size as four 7-bit groups.
    return QByteArray("ID3") + char(majorVersion) + '\0' + '\0' + syncSafe(quint32(body.size())) +
           body;
}

QByteArray utf16Text(const QString &text)
{
    QByteArray bytes("\xFF\xFE");
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray id3v1Block(const Id3v1Fields &fields)
{
    // Comment of 28 bytes, a zero byte and the track byte make version 1.1.
    return "TAG" + fixed(fields.title, 30) + fixed(fields.artist, 30) + fixed(fields.album, 30) +
           fixed(fields.year, 4) + fixed(fields.comment, 28) + '\0' + char(fields.track) +
           char(fields.genre);
}

QByteArray mpegFrames(int count)
{
    // Sync, MPEG-1 Layer III without CRC; bit-rate index 1001 (128000), 44100 Hz, no padding;
    // stereo. 144 * 128000 / 44100 = 417 bytes a frame.
    const QByteArray header("\xFF\xFB\x90\x00", 4);
    const QByteArray frame = header + QByteArray(417 - header.size(), '\0');
    return frame.repeated(count);
}

QByteArray mp3WithTitle(const QByteArray &title, int frames)
{
    return id3v2Tag(3, {{"TIT2", 0, title}}) + mpegFrames(frames);
}

QByteArray chapterFrame(const QByteArray &element, quint32 startMs, quint32 endMs,
                        const QByteArray &title)
{
    QByteArray content =
        element + '\0' + bigEndian(startMs, 4) + bigEndian(endMs, 4) + QByteArray(8, '\xFF');
    if (!title.isEmpty())
        content += frameBytes(3, {"TIT2", 0, title});
    return "CHAP" + bigEndian(quint32(content.size()), 4) + QByteArray(2, '\0') + content;
}

QByteArray mp3WithChapters(const QByteArray &title, const QList<quint32> &startsMs,
                           const QList<QByteArray> &titles, int frames)
{
    QByteArray body = frameBytes(3, {"TIT2", 0, title});
    for (qsizetype i = 0; i < startsMs.size(); ++i) {
        const quint32 end = i + 1 < startsMs.size() ? startsMs[i + 1] : startsMs[i] + 1000;
        body += chapterFrame("ch" + QByteArray::number(i), startsMs[i], end, titles.value(i));
    }
    return QByteArray("ID3\x03\0\0", 6) + syncSafe(quint32(body.size())) + body +
           mpegFrames(frames);
}

bool writeFile(const QString &nativePath, const QByteArray &bytes)
{
    QFile file(nativePath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace testmp3

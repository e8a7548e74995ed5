#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Small MP3 files built byte by byte: ID3 tags and a few MPEG audio frames.
namespace testmp3 {

// One ID3v2 text frame: identifier (3 characters for version 2.2, else 4), encoding byte, text.
struct TextFrame {
    QByteArray id;
    char encoding = 0;
    QByteArray text;
};

// An ID3v2 tag of major version 2, 3 or 4 holding the frames.
QByteArray id3v2Tag(int majorVersion, const QList<TextFrame> &frames);
// Text with the UTF-16LE byte-order mark, as a frame of encoding byte 1 holds it.
QByteArray utf16Text(const QString &text);

struct Id3v1Fields {
    QByteArray title{};
    QByteArray artist{};
    QByteArray album{};
    QByteArray year{};
    QByteArray comment{};
    quint8 track = 0;
    quint8 genre = 255;
};
// The 128-byte ID3v1.1 block.
QByteArray id3v1Block(const Id3v1Fields &fields);

// Frames of MPEG-1 Layer III at 128 kbit/s and 44100 Hz, 417 bytes each, silent.
QByteArray mpegFrames(int count);

// A file of count frames behind an ID3v2.3 tag holding the Latin-1 title.
QByteArray mp3WithTitle(const QByteArray &title, int frames = 4);

// An ID3v2.3 chapter frame: element id, start and end in milliseconds, an embedded Latin-1 title
// (none when empty).
QByteArray chapterFrame(const QByteArray &element, quint32 startMs, quint32 endMs,
                        const QByteArray &title);
// A file of count frames (26 ms each) behind an ID3v2.3 tag holding the title and the chapter
// frames, each titled, starting at the given milliseconds.
QByteArray mp3WithChapters(const QByteArray &title, const QList<quint32> &startsMs,
                           const QList<QByteArray> &titles, int frames);

bool writeFile(const QString &nativePath, const QByteArray &bytes);

} // namespace testmp3

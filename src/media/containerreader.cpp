#include "media/containerreader.h"

#include "platform/randomaccessfile.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <QElapsedTimer>

#include <array>
#include <cstdio>
#include <limits>

namespace media {

namespace {

struct ContainerFormat {
    QStringView extension;
    const char *demuxer;
};

constexpr std::array<ContainerFormat, 12> containerFormats = {{{u"m4b", "mov"},
                                                               {u"m4a", "mov"},
                                                               {u"mp4", "mov"},
                                                               {u"aac", "aac"},
                                                               {u"opus", "ogg"},
                                                               {u"ogg", "ogg"},
                                                               {u"oga", "ogg"},
                                                               {u"flac", "flac"},
                                                               {u"wma", "asf"},
                                                               {u"wav", "wav"},
                                                               {u"mka", "matroska"},
                                                               {u"webm", "matroska"}}};

// A long book's sample tables fill tens of megabytes; nothing this reader wants lies beyond.
constexpr qint64 readBudget = 256 * 1024 * 1024;
constexpr qint64 timeBudgetMs = 10000;
constexpr int ioBufferSize = 16 * 1024;
// Packets whose sizes and lengths estimate a stream that tells no duration (raw AAC).
constexpr int estimatePackets = 50;

const ContainerFormat *formatOfName(QStringView fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return nullptr;
    const QStringView extension = fileName.sliced(dot + 1);
    for (const ContainerFormat &format : containerFormats) {
        if (extension.compare(format.extension, Qt::CaseInsensitive) == 0)
            return &format;
    }
    return nullptr;
}

// The library reads through this: the file's own bytes, up to the budgets.
struct Source {
    const platform::RandomAccessFile &file;
    qint64 position = 0;
    qint64 bytesRead = 0;
    QElapsedTimer clock;
};

int readSource(void *opaque, uint8_t *buffer, int size)
{
    auto *source = static_cast<Source *>(opaque);
    const qint64 wanted = qMin<qint64>(size, readBudget - source->bytesRead);
    if (wanted <= 0)
        return AVERROR_EOF;
    const qint64 got =
        source->file.readAt(source->position, reinterpret_cast<char *>(buffer), wanted);
    if (got < 0)
        return AVERROR(EIO);
    if (got == 0)
        return AVERROR_EOF;
    source->position += got;
    source->bytesRead += got;
    return int(got);
}

int64_t seekSource(void *opaque, int64_t offset, int whence)
{
    auto *source = static_cast<Source *>(opaque);
    const qint64 size = source->file.size();
    if (whence & AVSEEK_SIZE)
        return size;
    qint64 base = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET:
        break;
    case SEEK_CUR:
        base = source->position;
        break;
    case SEEK_END:
        base = size;
        break;
    default:
        return AVERROR(EINVAL);
    }
    if ((offset > 0 && base > std::numeric_limits<qint64>::max() - offset) || base + offset < 0)
        return AVERROR(EINVAL);
    source->position = base + offset;
    return source->position;
}

int outOfTime(void *opaque)
{
    return static_cast<Source *>(opaque)->clock.hasExpired(timeBudgetMs) ? 1 : 0;
}

// The context and its reader, freed together.
class Container {
public:
    explicit Container(const platform::RandomAccessFile &file) : m_source{file, 0, 0, {}} {}
    ~Container()
    {
        avformat_close_input(&m_context);
        freeIo();
    }
    Container(const Container &) = delete;
    Container &operator=(const Container &) = delete;

    AVFormatContext *context() const { return m_context; }

    // Opens as the named demuxer, or as any when there is none.
    bool open(const char *demuxer)
    {
        avformat_close_input(&m_context);
        // A fresh reader: the last attempt leaves its buffer, position and end of file behind.
        freeIo();
        m_source.position = 0;
        m_source.clock.start();
        if (!createIo())
            return false;
        m_context = avformat_alloc_context();
        if (!m_context)
            return false;
        m_context->pb = m_io;
        m_context->flags |= AVFMT_FLAG_CUSTOM_IO;
        m_context->interrupt_callback = {outOfTime, &m_source};
        const AVInputFormat *format = demuxer ? av_find_input_format(demuxer) : nullptr;
        // On failure the library frees the context.
        return avformat_open_input(&m_context, nullptr, format, nullptr) == 0;
    }

private:
    void freeIo()
    {
        if (m_io)
            av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }

    bool createIo()
    {
        auto *buffer = static_cast<unsigned char *>(av_malloc(ioBufferSize));
        if (!buffer)
            return false;
        m_io =
            avio_alloc_context(buffer, ioBufferSize, 0, &m_source, readSource, nullptr, seekSource);
        if (!m_io)
            av_free(buffer);
        return m_io != nullptr;
    }

    Source m_source;
    AVIOContext *m_io = nullptr;
    AVFormatContext *m_context = nullptr;
};

QString metadataText(const AVDictionary *metadata, const char *key)
{
    const AVDictionaryEntry *entry = av_dict_get(metadata, key, nullptr, 0);
    return entry ? QString::fromUtf8(entry->value) : QString();
}

// The container's value, else (Ogg keeps its comments there) the first stream's that has one.
TagText textOf(const AVFormatContext &context, const char *key)
{
    QString text = metadataText(context.metadata, key);
    for (unsigned i = 0; text.isEmpty() && i < context.nb_streams; ++i)
        text = metadataText(context.streams[i]->metadata, key);
    return TagText::fromUnicode(text);
}

qint16 leadingNumberOf(const AVFormatContext &context, const char *key)
{
    const QString text = textOf(context, key).unicode;
    qsizetype digits = 0;
    while (digits < text.size() && digits < 4 && text[digits].isDigit())
        ++digits;
    return qint16(text.left(digits).toInt());
}

TagRecord tagOf(const AVFormatContext &context)
{
    TagRecord tag;
    tag.title = textOf(context, "title");
    tag.artist = textOf(context, "artist");
    tag.album = textOf(context, "album");
    tag.comment = textOf(context, "comment");
    tag.genre = textOf(context, "genre");
    tag.year = leadingNumberOf(context, "date");
    tag.track = leadingNumberOf(context, "track");
    return tag;
}

qint64 toMilliseconds(int64_t value, AVRational timeBase)
{
    if (value == AV_NOPTS_VALUE || timeBase.num <= 0 || timeBase.den <= 0)
        return -1;
    return av_rescale_q(value, timeBase, AVRational{1, 1000});
}

// A raw AAC frame's length from its ADTS header (the demuxer leaves it to a decoder): 1024
// samples per raw data block at the header's sampling rate; 0 for no such header.
qint64 adtsFrameMicroseconds(const AVPacket &packet)
{
    static constexpr std::array<int, 13> rates = {96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                                  22050, 16000, 12000, 11025, 8000,  7350};
    constexpr int headerSize = 7;
    if (packet.size < headerSize || packet.data[0] != 0xFF || (packet.data[1] & 0xF6) != 0xF0)
        return 0;
    const std::size_t rateIndex = (packet.data[2] >> 2) & 0x0F;
    if (rateIndex >= rates.size())
        return 0;
    const int blocks = (packet.data[6] & 0x03) + 1;
    return qint64(blocks) * 1024 * 1000000 / rates[rateIndex];
}

// From the sizes and lengths of the first packets: the file's bytes at that rate.
qint64 estimatedMilliseconds(AVFormatContext &context, qint64 fileSize)
{
    AVPacket *packet = av_packet_alloc();
    if (!packet)
        return -1;
    qint64 bytes = 0;
    qint64 microsecondsRead = 0;
    qint64 firstPosition = -1;
    for (int i = 0; i < estimatePackets && av_read_frame(&context, packet) == 0; ++i) {
        const AVStream *stream = context.streams[packet->stream_index];
        const qint64 microseconds =
            packet->duration > 0
                ? av_rescale_q(packet->duration, stream->time_base, AVRational{1, 1000000})
                : adtsFrameMicroseconds(*packet);
        if (firstPosition < 0 && packet->pos >= 0)
            firstPosition = packet->pos;
        if (microseconds > 0) {
            bytes += packet->size;
            microsecondsRead += microseconds;
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    if (bytes <= 0 || microsecondsRead <= 0)
        return -1;
    const double audioBytes = double(fileSize - qMax<qint64>(firstPosition, 0));
    return qint64(audioBytes * double(microsecondsRead) / 1000.0 / double(bytes));
}

// The audio's own length first: an MP4's chapter track may run on past it.
qint64 durationMilliseconds(AVFormatContext &context, qint64 fileSize)
{
    qint64 longest = -1;
    for (unsigned i = 0; i < context.nb_streams; ++i) {
        const AVStream *stream = context.streams[i];
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            longest = qMax(longest, toMilliseconds(stream->duration, stream->time_base));
    }
    if (longest > 0)
        return longest;
    if (context.duration != AV_NOPTS_VALUE && context.duration > 0)
        return toMilliseconds(context.duration, AVRational{1, AV_TIME_BASE});
    return estimatedMilliseconds(context, fileSize);
}

Chapters chaptersOf(const AVFormatContext &context)
{
    Chapters chapters;
    for (unsigned i = 0; i < context.nb_chapters && chapters.size() < maximumChapters; ++i) {
        const AVChapter *chapter = context.chapters[i];
        chapters.append({toMilliseconds(chapter->start, chapter->time_base),
                         metadataText(chapter->metadata, "title")});
    }
    return chapters;
}

// "container/codec" of the first audio stream, the container's first name alone.
QString formatName(const AVFormatContext &context)
{
    QString name = QString::fromLatin1(context.iformat->name).section(u',', 0, 0);
    for (unsigned i = 0; i < context.nb_streams; ++i) {
        const AVCodecParameters *codec = context.streams[i]->codecpar;
        if (codec->codec_type == AVMEDIA_TYPE_AUDIO)
            return name + u'/' + QString::fromLatin1(avcodec_get_name(codec->codec_id));
    }
    return name;
}

qint32 wholeSeconds(qint64 milliseconds)
{
    if (milliseconds <= 0)
        return 0;
    return qint32(qMin<qint64>((milliseconds + 500) / 1000, std::numeric_limits<qint32>::max()));
}

} // namespace

bool isContainerFileName(QStringView fileName)
{
    return formatOfName(fileName) != nullptr;
}

MediaInfo readContainerInfo(const platform::RandomAccessFile &file, QStringView fileName)
{
    MediaInfo info;
    if (!file.isOpen())
        return info;
    Container container(file);
    const ContainerFormat *format = formatOfName(fileName);
    if (!container.open(format ? format->demuxer : nullptr) && !(format && container.open(nullptr)))
        return info;
    AVFormatContext &context = *container.context();
    const qint64 milliseconds = durationMilliseconds(context, file.size());
    info.duration = wholeSeconds(milliseconds);
    info.format = formatName(context);
    info.tag = tagOf(context);
    info.tag.chapters = tidyChapters(chaptersOf(context), milliseconds);
    return info;
}

} // namespace media

// Two well-kept libraries that could read the records of today's audiobook formats (M4B/M4A/MP4,
// raw AAC, Opus, Ogg Vorbis, FLAC, WMA, WAV, Matroska) for what a record needs: its title, its
// length in whole seconds and its chapters, never decoding audio. libavformat (the FFmpeg that
// libmpv plays with) opens the container only; TagLib reads tag and audio properties in its fast
// mode. For each file of the folder: what each library answers against what the file name says
// it holds ("<title>_<seconds>s_<chapters>c.<ext>"), then the time per file of each, in the page
// cache.
//
//   format_readers FOLDER [benchmark flags...]

extern "C" {
#include <libavformat/avformat.h>
}

#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Answer {
    std::string title;
    long seconds = -1;
    int chapters = -1; // -1: the library has no way to tell
};

struct Record {
    std::string path;
    std::string extension;
    Answer truth;
};

std::string metadataTitle(AVDictionary *metadata)
{
    const AVDictionaryEntry *entry = av_dict_get(metadata, "title", nullptr, 0);
    return entry ? entry->value : std::string();
}

// The container's header and index only: no stream probing, which would decode frames.
Answer readWithAvformat(const std::string &path)
{
    Answer answer;
    AVFormatContext *context = nullptr;
    if (avformat_open_input(&context, path.c_str(), nullptr, nullptr) != 0)
        return answer;
    answer.title = metadataTitle(context->metadata);
    // Ogg keeps its comments with the stream.
    for (unsigned i = 0; answer.title.empty() && i < context->nb_streams; ++i)
        answer.title = metadataTitle(context->streams[i]->metadata);
    if (context->duration != AV_NOPTS_VALUE)
        answer.seconds = std::lround(double(context->duration) / AV_TIME_BASE);
    // Without probing, some demuxers give only their streams' lengths.
    for (unsigned i = 0; answer.seconds < 0 && i < context->nb_streams; ++i) {
        const AVStream *stream = context->streams[i];
        if (stream->duration != AV_NOPTS_VALUE)
            answer.seconds = std::lround(double(stream->duration) * av_q2d(stream->time_base));
    }
    answer.chapters = int(context->nb_chapters);
    avformat_close_input(&context);
    return answer;
}

Answer readWithTagLib(const std::string &path)
{
    Answer answer;
    const TagLib::FileRef file(path.c_str(), true, TagLib::AudioProperties::Fast);
    if (file.isNull())
        return answer;
    if (file.tag())
        answer.title = file.tag()->title().to8Bit(true);
    if (file.audioProperties())
        answer.seconds = file.audioProperties()->lengthInSeconds();
    return answer;
}

std::vector<Record> loadRecords(const char *folderPath)
{
    // A copy carries its number before the extension: "Tale_61s_3c.2.m4b".
    static const QRegularExpression pattern(
        QStringLiteral("^(.+?)_(\\d+)s_(\\d+)c(\\.\\d+)?\\.(\\w+)$"));
    std::vector<Record> records;
    const QDir folder(QString::fromLocal8Bit(folderPath));
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch match = pattern.match(name);
        if (!match.hasMatch())
            continue;
        Record record;
        record.path = QFile::encodeName(folder.filePath(name)).toStdString();
        record.extension = match.captured(5).toStdString();
        record.truth = {match.captured(1).toStdString(), match.captured(2).toLong(),
                        match.captured(3).toInt()};
        QFile whole(folder.filePath(name));
        if (whole.open(QIODevice::ReadOnly))
            benchmark::DoNotOptimize(whole.readAll().size());
        records.push_back(record);
    }
    return records;
}

// One line per file and library: right or what it said instead.
void reportAnswers(const std::vector<Record> &records)
{
    std::printf("%-28s %-9s %-6s %-8s %-8s\n", "file", "library", "title", "seconds", "chapters");
    for (const Record &record : records) {
        const std::string name = record.path.substr(record.path.rfind('/') + 1);
        const struct {
            const char *library;
            Answer answer;
        } readings[] = {{"avformat", readWithAvformat(record.path)},
                        {"taglib", readWithTagLib(record.path)}};
        for (const auto &reading : readings) {
            const Answer &answer = reading.answer;
            const std::string chapters = answer.chapters < 0 ? std::string("n/a")
                                         : answer.chapters == record.truth.chapters
                                             ? std::string("ok")
                                             : std::to_string(answer.chapters);
            std::printf("%-28s %-9s %-6s %-8s %-8s\n", name.c_str(), reading.library,
                        answer.title == record.truth.title ? "ok" : "WRONG",
                        answer.seconds == record.truth.seconds
                            ? "ok"
                            : std::to_string(answer.seconds).c_str(),
                        chapters.c_str());
        }
    }
}

template <typename Reader>
void registerFormat(const char *library, const std::string &extension,
                    const std::vector<Record> &records, Reader reader)
{
    std::vector<std::string> paths;
    for (const Record &record : records) {
        if (record.extension == extension)
            paths.push_back(record.path);
    }
    if (paths.empty())
        return;
    benchmark::RegisterBenchmark((extension + "/" + library).c_str(), [paths, reader](
                                                                          benchmark::State &state) {
        for (auto _ : state) {
            for (const std::string &path : paths)
                benchmark::DoNotOptimize(reader(path).seconds);
        }
        state.counters["per_file"] =
            benchmark::Counter(double(paths.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
    })->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: format_readers FOLDER [benchmark flags...]\n");
        return 2;
    }
    av_log_set_level(AV_LOG_ERROR);
    const std::vector<Record> records = loadRecords(argv[1]);
    if (records.empty()) {
        std::fprintf(stderr, "no file named <title>_<seconds>s_<chapters>c.<ext> in %s\n", argv[1]);
        return 1;
    }
    reportAnswers(records);
    std::fflush(stdout);
    for (const char *extension :
         {"m4b", "m4a", "mp4", "aac", "opus", "ogg", "flac", "wma", "wav", "mka"}) {
        registerFormat("avformat", extension, records, readWithAvformat);
        registerFormat("taglib", extension, records, readWithTagLib);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

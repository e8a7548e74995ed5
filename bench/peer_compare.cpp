// Our reading of an MP3 file's tag record and duration against TagLib's reading of the title and
// the length, and against the least I/O any such reader must do, per file, with the files in the
// page cache.

#include "corpus.h"

#include "media/mediainfo.h"

#include <taglib/mpegfile.h>
#include <taglib/tag.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr double targetOfTagLib = 0.5;
constexpr double targetOfFloor = 1.5;

void readOurs(const bench::Corpus &corpus)
{
    for (const QString &path : corpus.internalPaths) {
        const media::MediaInfo info = media::readMediaInfo(path);
        benchmark::DoNotOptimize(info.tag.title.isEmpty());
        benchmark::DoNotOptimize(info.duration);
    }
}

void readTagLib(const bench::Corpus &corpus)
{
    for (const std::string &path : corpus.nativePaths) {
        TagLib::MPEG::File file(path.c_str(), true, TagLib::AudioProperties::Fast);
        const TagLib::String title = file.tag() ? file.tag()->title() : TagLib::String();
        benchmark::DoNotOptimize(title.size());
        benchmark::DoNotOptimize(file.audioProperties() ? file.audioProperties()->lengthInSeconds()
                                                        : 0);
    }
}

// The ID3v2 body size from the 10-byte header; 0 when there is no tag.
long id3v2BodySize(const std::array<unsigned char, 10> &header)
{
    if (header[0] != 'I' || header[1] != 'D' || header[2] != '3')
        return 0;
    return (long(header[6] & 0x7F) << 21) | (long(header[7] & 0x7F) << 14) |
           (long(header[8] & 0x7F) << 7) | long(header[9] & 0x7F);
}

// Open, the size, the 10-byte header, the tag body, 4 KB after the tag, the last 355 bytes,
// close: what every reader of these answers has to do, and nothing else.
void readFloor(const bench::Corpus &corpus, std::vector<char> &buffer)
{
    for (const std::string &path : corpus.nativePaths) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat status {};
        std::array<unsigned char, 10> header{};
        if (::fstat(fd, &status) == 0 && ::pread(fd, header.data(), header.size(), 0) == 10) {
            const long body = id3v2BodySize(header);
            if (std::size_t(body) + 4096 > buffer.size())
                buffer.resize(std::size_t(body) + 4096);
            benchmark::DoNotOptimize(::pread(fd, buffer.data(), std::size_t(body), 10));
            benchmark::DoNotOptimize(::pread(fd, buffer.data(), 4096, 10 + body));
            benchmark::DoNotOptimize(
                ::pread(fd, buffer.data(), 355, status.st_size > 355 ? status.st_size - 355 : 0));
        }
        ::close(fd);
    }
}

void printSummary(const bench::PerFileReporter &reporter, std::size_t files)
{
    const bench::PerFile ours = reporter.perFile("ours");
    const bench::PerFile tagLib = reporter.perFile("taglib");
    const bench::PerFile floor = reporter.perFile("floor");
    std::printf("\nPer file, %zu files in the page cache (medians of the repetitions):\n", files);
    std::printf("                                                      wall      processor\n");
    const auto line = [](const char *what, const bench::PerFile &time) {
        std::printf("  %-50s %7.2f us  %7.2f us\n", what, time.wall * 1e6, time.processor * 1e6);
    };
    line("ours    readMediaInfo: tag record and duration", ours);
    line("taglib  MPEG::File: title and length (fast)", tagLib);
    line("floor   open, header, body, 4 KB, last 355 B, close", floor);
    const auto ratio = [](const char *name, double wallRatio, double processorRatio,
                          double target) {
        const bool met = wallRatio <= target && processorRatio <= target;
        std::printf("  %-50s %7.2f     %7.2f     target at most %.1f: %s\n", name, wallRatio,
                    processorRatio, target, met ? "met" : "MISSED");
    };
    if (tagLib.wall > 0 && floor.wall > 0) {
        ratio("ours / taglib", ours.wall / tagLib.wall, ours.processor / tagLib.processor,
              targetOfTagLib);
        ratio("ours / floor", ours.wall / floor.wall, ours.processor / floor.processor,
              targetOfFloor);
    }
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const bench::Corpus corpus = bench::loadCorpus(argc, argv);
    const std::size_t files = corpus.nativePaths.size();
    std::vector<char> buffer;
    bench::registerPass("ours", files, [&corpus] { readOurs(corpus); });
    bench::registerPass("taglib", files, [&corpus] { readTagLib(corpus); });
    bench::registerPass("floor", files, [&corpus, &buffer] { readFloor(corpus, buffer); });

    bench::PerFileReporter reporter(files);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter, files);
    return 0;
}

// The media readers one by one, per file over the corpus: through the file system as the
// program calls them, and over bytes in memory (parsing alone).

#include "corpus.h"

#include "media/mediainfo.h"
#include "media/mpegduration.h"
#include "media/mpegstream.h"
#include "media/tagreader.h"

#include <QBuffer>

#include <vector>

namespace {

template <typename Read> void overPaths(const bench::Corpus &corpus, Read read)
{
    for (const QString &path : corpus.internalPaths)
        benchmark::DoNotOptimize(read(path));
}

template <typename Read> void overBytes(std::vector<QByteArray> &contents, Read read)
{
    for (QByteArray &bytes : contents) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(read(buffer));
    }
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const bench::Corpus corpus = bench::loadCorpus(argc, argv);
    std::vector<QByteArray> contents = bench::fileContents(corpus);
    const std::size_t files = corpus.nativePaths.size();

    bench::registerPass("readTag/file", files, [&] {
        overPaths(corpus, [](const QString &path) { return media::readTag(path); });
    });
    bench::registerPass("mpegDuration/file", files, [&] {
        overPaths(corpus, [](const QString &path) { return media::mpegDuration(path); });
    });
    bench::registerPass("readMediaInfo/file", files, [&] {
        overPaths(corpus, [](const QString &path) { return media::readMediaInfo(path); });
    });
    bench::registerPass("readTag/memory", files, [&] {
        overBytes(contents, [](QIODevice &device) { return media::readTag(device); });
    });
    bench::registerPass("headerDuration/memory", files, [&] {
        overBytes(contents, [](QIODevice &device) { return media::headerDuration(device); });
    });
    bench::registerPass("streamDurationUnits/memory", files, [&] {
        overBytes(contents, [](QIODevice &device) {
            return media::streamDurationUnits(media::DeviceReader(device));
        });
    });

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

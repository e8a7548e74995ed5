#pragma once

#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// What the benchmark programs share: the corpus of MP3 files they time, and times per file.
namespace bench {

struct Corpus {
    std::vector<std::string> nativePaths;
    std::vector<QString> internalPaths;
};

// The .mp3 files of the folder named by the program's one argument (left after the benchmark
// library took its own flags), sorted by name, each read whole once so that the timed runs find
// them in the page cache. Ends the program with a message when there is no such file.
Corpus loadCorpus(int argc, char **argv);

// Every file's bytes, for timing the readers without the file system.
std::vector<QByteArray> fileContents(const Corpus &corpus);

// Registers a benchmark whose every iteration is one pass over `files` files, so that the
// report shows the time per file.
template <typename Pass>
benchmark::internal::Benchmark *registerPass(const char *name, std::size_t files, Pass pass)
{
    return benchmark::RegisterBenchmark(name,
                                        [files, pass](benchmark::State &state) {
                                            for (auto _ : state)
                                                pass();
                                            state.counters["per_file"] = benchmark::Counter(
                                                double(files),
                                                benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
                                        })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

// Seconds per file, as the clock on the wall and as the process's processor time (user and
// system) count them. With every file in the page cache nothing waits for a disk, so the
// processor time is the cost itself, whatever else the machine runs meanwhile.
struct PerFile {
    double wall = 0;
    double processor = 0;
};

// The console report, and besides it each benchmark's times per file (medians over repetitions).
class PerFileReporter : public benchmark::ConsoleReporter {
public:
    explicit PerFileReporter(std::size_t files) : m_files(files) {}

    void ReportRuns(const std::vector<Run> &runs) override;
    // Zero times for a name that did not run.
    PerFile perFile(const std::string &name) const;

private:
    std::size_t m_files;
    std::map<std::string, std::vector<PerFile>> m_times;
};

} // namespace bench

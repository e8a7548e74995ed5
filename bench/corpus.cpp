#include "corpus.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {

Corpus loadCorpus(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s [benchmark flags] CORPUS_FOLDER\n", argv[0]);
        std::exit(2);
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    Corpus corpus;
    for (const QString &name :
         folder.entryList({QStringLiteral("*.mp3")}, QDir::Files, QDir::Name)) {
        const QString nativePath = folder.absoluteFilePath(name);
        QFile file(nativePath);
        if (!file.open(QIODevice::ReadOnly) || file.readAll().isEmpty())
            continue;
        corpus.nativePaths.push_back(QFile::encodeName(nativePath).toStdString());
        corpus.internalPaths.push_back(platform::fromNativePath(nativePath));
    }
    if (corpus.nativePaths.empty()) {
        std::fprintf(stderr, "no readable .mp3 file in %s\n", argv[1]);
        std::exit(1);
    }
    return corpus;
}

std::vector<QByteArray> fileContents(const Corpus &corpus)
{
    std::vector<QByteArray> contents;
    for (const std::string &path : corpus.nativePaths) {
        QFile file(QFile::decodeName(path.c_str()));
        contents.push_back(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return contents;
}

void PerFileReporter::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        if (run.run_type != Run::RT_Iteration || run.iterations <= 0 || run.error_occurred)
            continue;
        const double passes = double(run.iterations) * double(m_files);
        m_times[run.run_name.function_name].push_back(
            {run.real_accumulated_time / passes, run.cpu_accumulated_time / passes});
    }
    ConsoleReporter::ReportRuns(runs);
}

PerFile PerFileReporter::perFile(const std::string &name) const
{
    const auto found = m_times.find(name);
    if (found == m_times.end() || found->second.empty())
        return {};
    std::vector<PerFile> times = found->second;
    const auto median = [&times](double PerFile::*member) {
        std::sort(times.begin(), times.end(),
                  [member](const PerFile &a, const PerFile &b) { return a.*member < b.*member; });
        return times[times.size() / 2].*member;
    };
    return {median(&PerFile::wall), median(&PerFile::processor)};
}

} // namespace bench

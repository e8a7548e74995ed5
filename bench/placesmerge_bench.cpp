// Merging an album's bookmarks with those of eight other computers, n marks each: the time should
// grow with n, not with its square, whatever the others' files hold.
#include "places/placesmerge.h"

#include <benchmark/benchmark.h>

namespace {

constexpr places::Stamp now = 1'800'000'000;

places::SharedAlbum albumOf(const QString &computer, int marks)
{
    places::SharedAlbum album{QString(32, u'a'), QStringLiteral("Book"), {}, {}};
    for (int i = 0; i < marks; ++i)
        album.bookmarks.append({now - i, i % 3 == 0, QStringLiteral("%1.mp3").arg(i % 40),
                                QString::number(i), computer + QString::number(i)});
    return album;
}

void mergeOfEightComputers(benchmark::State &state)
{
    const int marks = int(state.range(0));
    const places::SharedAlbum own = albumOf(QStringLiteral("Here"), marks);
    QList<places::OtherAlbum> others;
    for (int c = 0; c < 8; ++c)
        others.append({QString::number(c), albumOf(QString::number(c % 2), marks)});
    for (auto _ : state) {
        const places::SharedAlbum updated = places::updatedOwnAlbum(&own, own, now, now);
        benchmark::DoNotOptimize(places::mergeAlbum(updated, others, now, false));
    }
    state.SetComplexityN(marks);
}

} // namespace

BENCHMARK(mergeOfEightComputers)->RangeMultiplier(2)->Range(512, 8192)->Complexity();
BENCHMARK_MAIN();

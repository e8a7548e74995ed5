#!/usr/bin/env bash
# Times our reading of an MP3 file's tag record and duration against TagLib and against the
# least I/O such a reader needs, per file over a corpus of 1,000 generated MP3 files in the page
# cache, and prints the ratios. Installs what is missing, builds the benchmarks in release mode
# and makes the corpus on the first run (kept for the next ones).
#
#   bench/compare-peers.sh [benchmark flags...]
#   bench/compare-peers.sh --whole-process [RUNS]
#
# The second form times sonnalby-probe against a TagLib reader of the same fields as whole
# programs (start-up, output and all) over 10,000 small generated MP3 files, in turn, RUNS times
# each (default 9), and prints the medians and the ratio.
#
# SONNALBY_BENCH_BUILD names the build folder (default build/bench); the corpora live in it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
build=${SONNALBY_BENCH_BUILD:-$root/build/bench}
corpus="$build/corpus"
count=1000

sonnalby_install_packages "${SONNALBY_PACKAGES[@]}" libtag1-dev python3

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSONNALBY_BENCH=ON \
    -DSONNALBY_TESTS=OFF >/dev/null

# make_corpus FOLDER COUNT [--small]: the generator writes its stamp last, so a corpus cut short
# is made again.
make_corpus() {
    local folder=$1 files=$2 small=0
    [ "${3:-}" = --small ] && small=1
    local version
    version=$(sed -n 's/^GENERATOR_VERSION = //p' "$root/bench/make-corpus.py")
    if [ "$(cat "$folder/corpus.stamp" 2>/dev/null)" != "version $version count $files small $small" ]; then
        echo "Making the corpus in $folder"
        rm -rf "$folder"
        python3 "$root/bench/make-corpus.py" "$folder" --count "$files" ${3:-}
    fi
}

if [ "${1:-}" = --whole-process ]; then
    cmake --build "$build" --target sonnalby-probe taglib_probe
    whole="$build/corpus-whole"
    make_corpus "$whole" 10000 --small
    find "$whole" -name '*.mp3' | sort >"$build/corpus-whole.list"
    echo "A: sonnalby-probe, B: TagLib reader (goal: A / B at most 0.50)"
    exec python3 "$root/bench/whole-process.py" "${2:-9}" "$build/corpus-whole.list" \
        "$(printf %q "$build/sonnalby-probe")" "$(printf %q "$build/bench/taglib_probe")"
fi

cmake --build "$build" --target peer_compare
make_corpus "$corpus" "$count"

"$build/bench/peer_compare" --benchmark_repetitions=5 --benchmark_min_time=1 "$@" "$corpus"

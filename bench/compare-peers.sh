#!/usr/bin/env bash
# Times our reading of an MP3 file's tag record and duration against TagLib and against the
# least I/O such a reader needs, per file over a corpus of 1,000 generated MP3 files in the page
# cache, and prints the ratios. Installs what is missing, builds the benchmarks in release mode
# and makes the corpus on the first run (kept for the next ones).
#
#   bench/compare-peers.sh [benchmark flags...]
#
# SONNALBY_BENCH_BUILD names the build folder (default build/bench); the corpus lives in it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
build=${SONNALBY_BENCH_BUILD:-$root/build/bench}
corpus="$build/corpus"
count=1000

sonnalby_install_packages "${SONNALBY_PACKAGES[@]}" libtag1-dev python3

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSONNALBY_BENCH=ON \
    -DSONNALBY_TESTS=OFF >/dev/null
cmake --build "$build" --target peer_compare

# The generator writes its stamp last, so a corpus cut short is made again.
expected="version $(sed -n 's/^GENERATOR_VERSION = //p' "$root/bench/make-corpus.py") count $count small 0"
if [ "$(cat "$corpus/corpus.stamp" 2>/dev/null)" != "$expected" ]; then
    echo "Making the corpus in $corpus"
    rm -rf "$corpus"
    python3 "$root/bench/make-corpus.py" "$corpus" --count "$count"
fi

"$build/bench/peer_compare" --benchmark_repetitions=5 --benchmark_min_time=1 "$@" "$corpus"

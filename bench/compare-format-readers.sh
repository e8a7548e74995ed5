#!/usr/bin/env bash
# What libavformat and TagLib each read of the records of today's audiobook formats (title,
# length, chapters) and how long each takes per file. Makes a corpus with ffmpeg on the first run
# (a 61-second tone titled "Tale" with three chapters, 20 copies per format, kept in the build
# folder), builds the benchmark in release mode and runs it.
#
#   bench/compare-format-readers.sh [benchmark flags...]
#
# SONNALBY_BENCH_BUILD names the build folder (default build/bench).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
build=${SONNALBY_BENCH_BUILD:-$root/build/bench}
corpus="$build/format-corpus"
copies=20

sonnalby_install_packages "${SONNALBY_PACKAGES[@]}" libtag1-dev libavformat-dev

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSONNALBY_BENCH=ON \
    -DSONNALBY_TESTS=OFF >/dev/null
cmake --build "$build" --target format_readers >/dev/null

# EXTENSION CHAPTERS CODEC_OPTIONS...: the chapters the format can carry (ASF keeps them as
# markers, WAV has none) are part of what its name says.
make_format() {
    local extension=$1 kept=$2
    shift 2
    local first="$corpus/Tale_61s_${kept}c.$extension"
    ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=440:duration=61" \
        -i "$corpus/chapters.txt" -map 0:a -map_metadata 1 -map_chapters 1 "$@" "$first"
    for copy in $(seq 2 $copies); do
        cp "$first" "$corpus/Tale_61s_${kept}c.$copy.$extension"
    done
}

if [ ! -e "$corpus/done" ]; then
    rm -rf "$corpus"
    mkdir -p "$corpus"
    {
        echo ";FFMETADATA1"
        echo "title=Tale"
        for chapter in 0 1 2; do
            printf '[CHAPTER]\nTIMEBASE=1/1000\nSTART=%d\nEND=%d\ntitle=Part %d\n' \
                $((chapter * 20000)) $(((chapter + 1) * 20000)) $((chapter + 1))
        done
    } >"$corpus/chapters.txt"
    make_format m4b 3 -c:a aac -b:a 32k -f ipod
    make_format m4a 3 -c:a aac -b:a 32k
    make_format opus 3 -c:a libopus -b:a 24k
    make_format ogg 3 -c:a libvorbis -q:a 0
    make_format flac 3 -c:a flac
    make_format wma 3 -c:a wmav2 -b:a 32k
    make_format wav 0 -c:a pcm_s16le
    touch "$corpus/done"
fi

"$build/bench/format_readers" "$corpus" "$@"

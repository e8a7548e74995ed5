#!/usr/bin/env bash
# What libavformat and TagLib each read of the records of today's audiobook formats (title,
# length, chapters) and how long each takes per file. Makes a corpus with ffmpeg on the first run
# (a 61-second tone titled "Tale" with three chapters, 20 copies per format, kept in the build
# folder), builds the benchmark in release mode and runs it.
#
#   bench/compare-format-readers.sh [benchmark flags...]
#   bench/compare-format-readers.sh --whole-process [RUNS]
#   bench/compare-format-readers.sh --long-m4b [RUNS]
#
# --whole-process times, per format, sonnalby-probe (format, tags, duration, chapters) against the
# TagLib reader (tags, duration) as whole programs over 1,000 hard links to the corpus's file of
# that format, in turn, RUNS times each (default 9), then both over one file, where start-up is
# all there is; it ends with the ratios per format.
#
# --long-m4b makes, once, a 20-hour silent AAC audiobook with 300 chapters (about 13 MB, a minute
# of ffmpeg) and times against ffprobe listing its chapters, RUNS times each (default 9): the
# probe reading its record, then the program's activation of it as a single-file album, the only
# album of a profile (activation_bench --activate).
#
# SONNALBY_BENCH_BUILD names the build folder (default build/bench).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
build=${SONNALBY_BENCH_BUILD:-$root/build/bench}
corpus="$build/format-corpus"
corpus_version=3
copies=20
mode=in-process
case "${1:-}" in
--whole-process | --long-m4b)
    mode=${1#--}
    runs=${2:-9}
    ;;
esac

sonnalby_install_packages "${SONNALBY_PACKAGES[@]}" libtag1-dev libavformat-dev ffmpeg python3

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSONNALBY_BENCH=ON \
    -DSONNALBY_TESTS=OFF >/dev/null
case $mode in
in-process) cmake --build "$build" --target format_readers >/dev/null ;;
whole-process) cmake --build "$build" --target sonnalby-probe taglib_probe >/dev/null ;;
long-m4b) cmake --build "$build" --target sonnalby-probe activation_bench >/dev/null ;;
esac

# whole_process LIST COMMAND_A COMMAND_B: the commands are split as a shell splits words.
whole_process() {
    python3 "$root/bench/whole-process.py" "$runs" "$@"
}
probe=$(printf %q "$build/sonnalby-probe")

if [ "$mode" = long-m4b ]; then
    long="$build/long-m4b"
    book="$long/book-20h-300-chapters.m4b"
    if [ ! -e "$long/done" ]; then
        rm -rf "$long"
        mkdir -p "$long"
        {
            echo ";FFMETADATA1"
            echo "title=Long Tale"
            for chapter in $(seq 0 299); do
                printf '[CHAPTER]\nTIMEBASE=1/1000\nSTART=%d\nEND=%d\ntitle=Chapter %d\n' \
                    $((chapter * 240000)) $(((chapter + 1) * 240000)) $((chapter + 1))
            done
        } >"$long/chapters.txt"
        echo "Making $book"
        ffmpeg -loglevel error -y -f lavfi -t 72000 -i anullsrc=r=22050:cl=mono \
            -i "$long/chapters.txt" -map 0:a -map_metadata 1 -map_chapters 1 -c:a aac -b:a 16k \
            -f ipod "$book"
        touch "$long/done"
    fi
    echo "$book" >"$long/book.list"
    ffprobe_chapters="ffprobe -v error -show_chapters"
    echo "What each reads (chapters: how many; the probe's first and last):"
    "$build/sonnalby-probe" "$book" | python3 -c 'import json, sys
r = json.loads(sys.stdin.read())
chapters = r.get("chapters", [])
print("  sonnalby-probe:", r.get("format"), repr(r.get("title")), r.get("duration"), "s,",
      len(chapters), "chapters,", *chapters[:1], *chapters[-1:])'
    echo "  activation:     $("$build/bench/activation_bench" --activate "$book")"
    echo "  ffprobe:        $($ffprobe_chapters "$book" | grep -c '^\[CHAPTER\]') chapters"
    echo
    echo "A: sonnalby-probe, B: ffprobe -show_chapters (goal: A / B at most 1.5)"
    whole_process "$long/book.list" "$probe" "$ffprobe_chapters"
    echo
    echo "A: activation as a whole process, B: ffprobe -show_chapters (goal: A / B at most 1.5)"
    whole_process "$long/book.list" "$(printf %q "$build/bench/activation_bench") --activate" \
        "$ffprobe_chapters"
    exit 0
fi

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

if [ "$(cat "$corpus/done" 2>/dev/null)" != "$corpus_version" ]; then
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
    make_format mp4 3 -c:a aac -b:a 32k
    # ADTS has no header of its own: title and chapters ride in an ID3v2 tag ahead of the frames.
    make_format aac 3 -c:a aac -b:a 32k -f adts -write_id3v2 1
    make_format opus 3 -c:a libopus -b:a 24k
    make_format ogg 3 -c:a libvorbis -q:a 0
    make_format flac 3 -c:a flac
    make_format wma 3 -c:a wmav2 -b:a 32k
    make_format wav 0 -c:a pcm_s16le
    make_format mka 3 -c:a libopus -b:a 24k
    echo "$corpus_version" >"$corpus/done"
fi

if [ "$mode" = whole-process ]; then
    formats=(m4b m4a mp4 aac opus ogg flac wma wav mka)
    whole="$build/format-whole"
    count=1000
    if [ "$(cat "$whole/done" 2>/dev/null)" != "$corpus_version $count" ]; then
        rm -rf "$whole"
        for extension in "${formats[@]}"; do
            mkdir -p "$whole/$extension"
            first=$(ls "$corpus"/Tale_61s_?c."$extension")
            for copy in $(seq -w 1 $count); do
                ln "$first" "$whole/$extension/Tale.$copy.$extension"
            done
            ls "$whole/$extension"/* >"$whole/$extension.list"
        done
        echo "$corpus_version $count" >"$whole/done"
    fi
    taglib=$(printf %q "$build/bench/taglib_probe")
    summary=()
    # compare LABEL LIST: what each reads of the first file, then the timing.
    compare() {
        local first result peer note=
        first=$(head -1 "$2")
        peer=$("$build/bench/taglib_probe" "$first")
        echo "== $1: $(wc -l <"$2") files"
        echo "  A: $("$build/sonnalby-probe" "$first")"
        echo "  B: $peer"
        case $peer in
        *'"error"'*) note="  (TagLib cannot read it)" ;;
        *'"duration":0}') note="  (TagLib reads no length)" ;;
        esac
        result=$(whole_process "$2" "$probe" "$taglib")
        echo "$result"
        summary+=("$(printf '%-12s %8s %8s%s' "$1" $(sed -n 's/^ratio A \/ B *//p' <<<"$result") \
            "$note")")
    }
    for extension in "${formats[@]}"; do
        compare "$extension" "$whole/$extension.list"
    done
    # Start-up is all there is over one file.
    head -1 "$whole/m4b.list" >"$whole/one.list"
    compare "one m4b" "$whole/one.list"
    echo
    echo "A: sonnalby-probe, B: TagLib reader; medians of the ratios (goal: A / B at most 1.0)"
    printf '%-12s %8s %8s\n' format wall cpu
    printf '%s\n' "${summary[@]}"
    exit 0
fi

"$build/bench/format_readers" "$corpus" "$@"

#!/usr/bin/env bash
# Fuzzes every parser of outside input with libFuzzer (clang, the core itself instrumented).
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   fuzz each target for SECONDS (default 600), one after
#                                           another, then merge what was found, minimised, into
#                                           fuzz/corpus/<target>/
#   scripts/fuzz.sh --check                 run each target once over its saved inputs (CI)
#
# An input that crashes a target is copied to fuzz/regressions/<target>/, which --check runs too,
# and the run ends with a failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
build="$root/build/fuzz"
all_targets=(tagreader_fuzzer mpegduration_fuzzer playlistreader_fuzzer markuptext_fuzzer
    profilefile_fuzzer albumentry_fuzzer marks_fuzzer id3chapters_fuzzer places_fuzzer)

install_fuzz_packages() {
    sonnalby_install_packages cmake ninja-build pkg-config qt6-base-dev libicu-dev clang \
        libavformat-dev libavcodec-dev libavutil-dev
    # libFuzzer and the sanitizer runtimes come with the compiler-rt of clang's own version.
    local major
    major=$(clang --version | sed -n 's/.*clang version \([0-9]\+\).*/\1/p' | head -n 1)
    sonnalby_install_packages "libclang-rt-$major-dev"
}

dictionary_of() {
    case "$1" in
    tagreader_fuzzer | mpegduration_fuzzer | id3chapters_fuzzer) echo "$root/fuzz/dict/media.dict" ;;
    playlistreader_fuzzer) echo "$root/fuzz/dict/playlist.dict" ;;
    markuptext_fuzzer) echo "$root/fuzz/dict/markup.dict" ;;
    profilefile_fuzzer) echo "$root/fuzz/dict/settings.dict" ;;
    albumentry_fuzzer | marks_fuzzer) echo "$root/fuzz/dict/album.dict" ;;
    places_fuzzer) echo "$root/fuzz/dict/places.dict" ;;
    esac
}

# Copies what libFuzzer saved for a failing input into the target's regressions; false when there
# was nothing.
keep_findings() {
    local name=$1 artifacts=$2 found=1 file
    for file in "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*; do
        [ -f "$file" ] || continue
        mkdir -p "$root/fuzz/regressions/$name"
        cp "$file" "$root/fuzz/regressions/$name/"
        echo "$name: kept $(basename "$file") in fuzz/regressions/$name/"
        found=0
    done
    return $found
}

# Replaces the saved corpus by the smallest set of inputs that covers all it and the run found.
merge_corpus() {
    local name=$1 work=$2 log=$3
    local corpus="$root/fuzz/corpus/$name" merged
    merged=$(mktemp -d)
    "$build/fuzz/$name" -merge=1 "$merged" "$corpus" "$work" >>"$log" 2>&1
    find "$corpus" -type f -delete
    cp "$merged"/* "$corpus"/
    rm -rf "$merged"
    echo "$name: $(find "$corpus" -type f | wc -l) inputs saved in fuzz/corpus/$name/"
}

fuzz_target() {
    local name=$1 seconds=$2
    local work="$build/work/$name" artifacts="$build/artifacts/$name" log="$build/logs/$name.log"
    rm -rf "$artifacts"
    mkdir -p "$work" "$artifacts" "$build/logs" "$root/fuzz/corpus/$name"
    echo "$name: fuzzing for $seconds s (log: $log)"
    local status=0
    "$build/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -dict="$(dictionary_of "$name")" -artifact_prefix="$artifacts/" \
        "$work" "$root/fuzz/corpus/$name" >"$log" 2>&1 || status=$?
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 | sed "s/^/$name: /" || true
    if keep_findings "$name" "$artifacts" || [ $status -ne 0 ]; then
        echo "$name: FAILED (status $status), see $log" >&2
        return 1
    fi
    merge_corpus "$name" "$work" "$log"
}

install_fuzz_packages
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

if [ "${1:-}" = "--check" ]; then
    ctest --preset fuzz
    exit 0
fi

seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
failed=0
for name in "${targets[@]}"; do
    fuzz_target "$name" "$seconds" || failed=1
done
exit $failed

#!/usr/bin/env bash
# The real program under Xvfb on a folder of MP3 files that ffmpeg made at 22050 Hz, each
# starting with an Info frame whose bit rate is not the stream's: once the program has ended,
# the album's duration in the settings file is the sum of the files' lengths, within a second a
# file.
#
#   album_duration.sh PROGRAM RESOURCES_FOLDER
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER" >&2
    exit 2
fi

source "$(dirname "$0")/own_display.sh"

program=$1
resources=$2

source "$(dirname "$0")/program.sh"

album="$work/Long Book"
mkdir -p "$album"
lengths=(41 37 29)
total=0
for i in "${!lengths[@]}"; do
    ffmpeg -v error -f lavfi -i "sine=frequency=440:sample_rate=22050:duration=${lengths[$i]}" \
        -ac 1 -b:a 32k "$album/0$((i + 1)) Chapter.mp3"
    total=$((total + lengths[i]))
done

# The folder becomes an album; SIGTERM ends the program as Exit does, saving the album's line.
start "$album"
window_named '^Sonnalby' >/dev/null
kill -TERM "$pid"
wait_for_end 30 || fail "the program ended with status $? after SIGTERM"

line=$(setting_line 'Default\mFileList' "$(internal_path "$album")\\index.wpl")
[ -n "$line" ] || fail "no album line for the folder"
echo "album line: $line"
IFS='=' read -r access title codepage records duration volume marks <<<"$line"
[ "$records" = ${#lengths[@]} ] || fail "records '$records', expected ${#lengths[@]}"
[[ $duration =~ ^[0-9]+$ ]] && [ $((duration - total)) -le ${#lengths[@]} ] &&
    [ $((total - duration)) -le ${#lengths[@]} ] ||
    fail "duration '$duration', expected $total within ${#lengths[@]} s"
echo "album duration: $duration s for $total s of tone: passed"

#!/usr/bin/env bash
# Saves that the disk refuses, with the real program: its settings on a tmpfs that is full, then
# mounted read-only. Each time the old file stays whole, and the albums opened meanwhile (handed
# over by later starts) are written by the save that succeeds once the fault is gone.
#
#   save_failures.sh PROGRAM RESOURCES_FOLDER FIXTURES_FOLDER
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER FIXTURES_FOLDER" >&2
    exit 2
fi
source "$(dirname "$0")/own_display.sh"
program=$1
resources=$2
fixtures=$3
source "$(dirname "$0")/program.sh"

config="$work/config"
mkdir -p "$config"
if ! mount -t tmpfs -o size=512k tmpfs "$config" 2>/dev/null; then
    echo "skipped: no tmpfs can be mounted here"
    exit 77
fi
unmount() {
    umount "$config" 2>/dev/null || true
}
# The program holds its lock there: it ends before the unmount.
trap 'stop_process "${beside[player]:-}"; unmount; cleanup' EXIT

# An installed copy, so that the settings file lives in the configuration folder.
mkdir -p "$work/inst/bin" "$work/inst/share/sonnalby"
cp "$program" "$work/inst/bin/sonnalby"
cp -R "$resources/." "$work/inst/share/sonnalby/"
export XDG_CONFIG_HOME="$config"
settings_file() {
    find "$config" -name sonnalby.dat -print -quit
}
for name in One Two Three; do
    mkdir -p "$work/$name"
    cp "$fixtures/tone660_2s.mp3" "$work/$name/01 $name.mp3"
done
stored() {
    local file
    file=$(settings_file) && [ -n "$file" ] && grep -qF "$(internal_path "$work/$1")\\index.wpl=" "$file"
}
hand_over() {
    timeout 30 "$work/inst/bin/sonnalby" "$work/$1" >>"$work/second.log" 2>&1 ||
        fail "the start handing over $1 ended with status $?"
    retry 20 test -e "$work/$1/index.wpl" || fail "$1 was not opened"
    sleep 1
}

start_beside player "$work/inst/bin/sonnalby" "$work/One"
find_window 60 --onlyvisible --pid "${beside[player]}" --name '^Sonnalby' >/dev/null ||
    fail "no window"
settings=$(settings_file)
[ -n "$settings" ] || fail "no settings file in the configuration folder"

dd if=/dev/zero of="$config/fill" bs=4k 2>/dev/null || true
cp "$settings" "$work/before.dat"
hand_over Two
cmp -s "$settings" "$work/before.dat" || fail "the file changed on a full disk"
echo "full disk: the old file stayed whole"

rm "$config/fill"
mount -o remount,ro "$config"
hand_over Three
cmp -s "$settings" "$work/before.dat" || fail "the file changed on a read-only mount"
echo "read-only mount: the old file stayed whole"

mount -o remount,rw "$config"
kill -TERM "${beside[player]}"
retry 30 ended "${beside[player]}" || fail "the program did not end"
for name in One Two Three; do
    stored $name || fail "$name is not in the settings file after the save that succeeded"
done
echo "the save that succeeded wrote the albums the failed ones could not"
echo "save failures: passed"

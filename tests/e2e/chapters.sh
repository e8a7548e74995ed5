#!/usr/bin/env bash
# The real program under Xvfb on a folder holding one M4B with five chapters, on a session bus of
# its own: chapter 3 chosen in the Record menu with the keyboard plays from its start (the media
# controls name it), Alt+X saves the album with the M4B's duration and a mark inside chapter 3,
# a restart resumes there, and Next goes on to chapter 4.
#
#   chapters.sh PROGRAM RESOURCES_FOLDER
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER" >&2
    exit 2
fi

e2e_wrapper=(dbus-run-session --)
source "$(dirname "$0")/own_display.sh"

program=$1
resources=$2

source "$(dirname "$0")/program.sh"

album="$work/Chaptered Book"
mkdir -p "$album"
{
    echo ";FFMETADATA1"
    echo "title=The Book"
    for chapter in 0 1 2 3 4; do
        printf '[CHAPTER]\nTIMEBASE=1/1000\nSTART=%d\nEND=%d\ntitle=Part %d\n' \
            $((chapter * 20000)) $(((chapter + 1) * 20000)) $((chapter + 1))
    done
} >"$work/chapters.txt"
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=100" -i "$work/chapters.txt" \
    -map 0:a -map_metadata 1 -map_chapters 1 -c:a aac -b:a 32k "$album/Book.m4b"

source "$(dirname "$0")/playerctl.sh"

key="$(internal_path "$album")\\index.wpl"
# The album's duration and resume mark, as "duration marks".
saved_state() {
    local access title codepage records duration volume marks
    IFS='=' read -r access title codepage records duration volume marks <<<"$(setting_line 'Default\mFileList' "$key")"
    echo "$duration ${marks%%|*}"
}

start "$album"
window=$(window_named '^Sonnalby')
wait_for Paused status
wait_for "Part 1" metadata title

# Record menu: the record's own entry, then its chapters; the third chapter is the fourth entry.
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
xdotool key --clearmodifiers alt+r
sleep 0.4
xdotool key --delay 60 Down Down Down Return
wait_for Playing status
wait_for "Part 3" metadata title
sleep 2
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
xdotool key --clearmodifiers alt+x
wait_for_end 30 || fail "the program ended with status $? after Alt+X"

state=$(saved_state)
echo "saved: $state"
[[ $state =~ ^(99|100|101)\ Book\.m4b/(4[0-9]|5[0-9])/$ ]] ||
    fail "saved '$state', expected a duration of 100 s and a mark in chapter 3 (40-59 s)"

# A restart resumes in chapter 3; Next goes to the start of chapter 4.
start "$album"
window=$(window_named '^Sonnalby')
wait_for Paused status
wait_for "Part 3" metadata title
position=$(control position)
[[ $position =~ ^(4[0-9]|5[0-9])\. ]] || fail "resumed at '$position', expected chapter 3"
control next
wait_for "Part 4" metadata title
position=$(control position)
[[ $position =~ ^6[0-2]\. ]] || fail "Next went to '$position', expected chapter 4's start"
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
xdotool key --clearmodifiers alt+x
wait_for_end 30 || fail "the program ended with status $? after the second Alt+X"
echo "chapters: passed"

#!/usr/bin/env bash
# The real program under Xvfb from its very first start to an album playing, a bookmark defined
# and Alt+X, with the keyboard alone: File > Open with the folder choice taken in the dialog,
# Tab through strip, player controls, time box and volume box, Space on the Pause button, a
# volume typed, Bookmark > Define. The settings file must hold what was done.
#
#   keyboard_only.sh PROGRAM RESOURCES_FOLDER
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
source "$(dirname "$0")/playerctl.sh"

album="$work/Quiet Book"
mkdir -p "$album"
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=2" "$album/01 Opening.mp3"
ffmpeg -v error -f lavfi -i "sine=frequency=330:duration=60" "$album/02 Middle.mp3"
key="$(internal_path "$album")\\index.wpl"

keys() {
    xdotool key --clearmodifiers --delay 120 "$@"
}

[ ! -e "$settings" ] || fail "a settings file before the first start"
start
window=$(window_named '^Sonnalby')
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"

# File > Open: the folder typed, its list shown, then the "Folder" choice (the last one, a Tab
# away from the name once the name's completion is closed) and Choose.
keys alt+f
sleep 0.4
keys o
dialog=$(find_window 30 --all --onlyvisible --pid "$pid" --name '^Open Album$') ||
    fail "no Open Album dialog"
timeout 10 xdotool windowfocus --sync "$dialog" || fail "the dialog took no focus"
xdotool type --delay 20 "$album/"
keys Return Escape Tab End
sleep 0.5
keys alt+c
wait_for Playing status
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"

# The records strip has the focus; a Tab reaches the Pause button, whose Space pauses and plays.
keys Tab space
wait_for Paused status
keys space
wait_for Playing status

# On from the Pause button: Stop, seek bar, Mute, the player's volume, the time box, the volume box.
keys Tab Tab Tab Tab Tab Tab ctrl+a
xdotool type --delay 60 42
sleep 3

# Bookmark > Define..., the first entry: a title typed over the one offered.
keys alt+b
sleep 0.4
keys Return
title=$(find_window 30 --all --onlyvisible --pid "$pid" --name '^Bookmark Title$') ||
    fail "no Bookmark Title dialog"
timeout 10 xdotool windowfocus --sync "$title" || fail "the dialog took no focus"
keys ctrl+a
xdotool type --delay 60 'Keyboard mark'
keys Return
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
sleep 0.5
keys alt+x
wait_for_end 30 || fail "the program ended with status $? after Alt+X"

line=$(setting_line 'Default\mFileList' "$key")
echo "album line: $line"
IFS='=' read -r access title codepage records duration volume marks <<<"$line"
[ "$records" = 2 ] || fail "records '$records', expected 2"
[ "$volume" = 42 ] || fail "volume '$volume', expected the 42 typed into the volume box"
IFS='|' read -r resume bookmark rest <<<"$marks"
[[ $resume =~ ^02\ Middle\.mp3/[0-9]+/$ ]] || fail "resume mark '$resume'"
[[ $bookmark =~ ^02\ Middle\.mp3/[0-9]+/Keyboard\ mark$ ]] || fail "bookmark '$bookmark'"
[ -z "$rest" ] || fail "more than one bookmark in '$marks'"
echo "keyboard only: passed"

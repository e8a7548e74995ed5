#!/usr/bin/env bash
# The real program under Xvfb against what once froze it or was swallowed: a FIFO named like an
# MP3 in a playlist and on the command line (never opened: the program comes up), and SIGTERM
# while a modal window is open (during start-up and later): the program ends, saving as on Exit.
#
#   hostile_start.sh PROGRAM RESOURCES_FOLDER FIXTURES_FOLDER
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

album="$work/Fifo Book"
mkdir -p "$album"
cp "$fixtures/tone440_3s.mp3" "$album/01 Opening.mp3"
mkfifo "$album/02 chapter.mp3"
printf '<smil><head><title>Fifo</title></head><body><seq>\r\n<media src="02 chapter.mp3"/>\r\n<media src="01 Opening.mp3"/>\r\n</seq></body></smil>' \
    >"$album/index.wpl"
section='Default\mFileList'
key="$(internal_path "$album")\\index.wpl"

# A FIFO in the playlist: a missing record; the album comes up at its first playable one. SIGTERM
# while the Open dialog is open ends the program and saves the album as Exit does.
start "$album"
window=$(window_named '^Sonnalby')
# File > Open from the keyboard; a busy machine may drop the first keys, so it is tried again.
for attempt in 1 2 3 4 5; do
    timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
    xdotool key --clearmodifiers alt+f
    sleep 1
    xdotool key o
    find_window 10 --onlyvisible --pid "$pid" --name '^Open Album' >/dev/null && break
    xdotool key Escape Escape
    [ $attempt -lt 5 ] || fail "no Open dialog after five tries"
done
sleep 1.1
kill -TERM "$pid"
wait_for_end 20 || fail "ended with status $? after SIGTERM with the Open dialog open"
line=$(setting_line "$section" "$key")
IFS='=' read -r access title codepage records duration volume marks <<<"$line"
[[ $access =~ ^[0-9]{4}(:[0-9]{2}){5}$ ]] || fail "no access stamp saved: '$line'"
[ "$records" = 2 ] || fail "records '$records', expected 2 (the FIFO a missing record)"
[[ ${marks%%|*} == "01 Opening.mp3/"* ]] || fail "resume mark '${marks%%|*}'"
echo "a FIFO in a playlist: the album came up; SIGTERM in the Open dialog saved '$line'"

# The FIFO named on the command line: no tag to read, so the title is asked; SIGTERM then ends
# the program at once.
start "$album/02 chapter.mp3"
window_named '^Playlist Title' >/dev/null
kill -TERM "$pid"
wait_for_end 20 || fail "ended with status $? after SIGTERM with the title box open"
echo "a FIFO on the command line: the title box came up; SIGTERM ended the program"

# A refused name on the command line: SIGTERM while its message box is open.
start "$work/Tale\\x.mp3"
window_named '^Sonnalby Message' >/dev/null
kill -TERM "$pid"
wait_for_end 20 || fail "ended with status $? after SIGTERM with the message box open"
echo "a refused name: SIGTERM with the message box open ended the program"
echo "hostile start: passed"

#!/usr/bin/env bash
# The desktop's media controls against the real program under Xvfb, on a session bus of the
# test's own, driven with playerctl as a panel or a media key would drive it: the status, play and
# pause, the next record, a position, the volume, the record's title and album, an album opened
# by address, then Quit. Each step shows in what the program reports and, where the program
# saves (a pause, the end), in the album's line of the settings file.
#
#   media_controls.sh PROGRAM RESOURCES_FOLDER
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER" >&2
    exit 2
fi

# A session bus of its own too.
e2e_wrapper=(dbus-run-session --)
source "$(dirname "$0")/own_display.sh"

program=$1
resources=$2

source "$(dirname "$0")/program.sh"

# Silent MPEG-1 Layer III frames at 128 kbit/s and 44100 Hz: 417 bytes and 1152 samples each.
{ printf '\xff\xfb\x90\x44'; head -c 413 /dev/zero; } >"$work/frame"
silence() {
    local frames=$1 count=1
    cp "$work/frame" "$work/chunk"
    while [ $count -lt "$frames" ]; do
        cat "$work/chunk" "$work/chunk" >"$work/chunk2"
        mv "$work/chunk2" "$work/chunk"
        count=$((count * 2))
    done
    head -c $((frames * 417)) "$work/chunk"
}
# An MP3 file of the seconds behind an ID3v2.3 tag holding the title (Latin-1, short).
write_mp3() {
    local path=$1 title=$2 seconds=$3
    local size=$((${#title} + 1))
    {
        printf 'ID3\x03\x00\x00\x00\x00\x00'"$(printf '\\x%02x' $((size + 10)))"
        printf 'TIT2\x00\x00\x00'"$(printf '\\x%02x' $size)"'\x00\x00\x00%s' "$title"
        silence $((seconds * 44100 / 1152 + 1))
    } >"$path"
}

album="$work/A Tale"
other="$work/Other Book"
mkdir -p "$album" "$other"
write_mp3 "$album/01 Opening.mp3" "Opening" 40
write_mp3 "$album/02 Middle.mp3" "The Middle" 40
write_mp3 "$other/01 Start.mp3" "Start" 5

source "$(dirname "$0")/playerctl.sh"

# The album's line in the Default profile's list, without its key: Access=Title=...=Marks.
album_line() {
    local key=$1
    tr -d '\r' <"$settings" | KEY="$key" awk '
        /^\[/ { inside = tolower($0) == "[default\\mfilelist]"; next }
        inside && index($0, ENVIRON["KEY"] "=") == 1 { print substr($0, length(ENVIRON["KEY"]) + 2) }'
}
key="${album//\//\\}\\index.wpl"
# The album's volume and resume mark, as "volume marks".
saved_state() {
    local access title codepage records duration volume marks
    IFS='=' read -r access title codepage records duration volume marks <<<"$(album_line "$key")"
    echo "$volume ${marks%%|*}"
}

start "$album"
window=$(window_named '^Sonnalby')

# Opened from the command line: positioned at the first record, not playing.
wait_for Paused status
playerctl --list-all | grep -qx sonnalby || fail "the player is not listed as 'sonnalby'"
start_beside follow control --follow status
[ "$(control metadata title)" = Opening ] || fail "title '$(control metadata title)'"
[ "$(control metadata album)" = "A Tale" ] || fail "album '$(control metadata album)'"

control play-pause
wait_for Playing status
sleep 1.5
control play-pause
wait_for Paused status
state=$(saved_state)
[[ $state =~ ^100\ 01\ Opening\.mp3/[12]/$ ]] || fail "saved '$state' after the pause"

control next
wait_for Playing status
wait_for "The Middle" metadata title
[ "$(control metadata xesam:trackNumber)" = 2 ] || fail "track number $(control metadata xesam:trackNumber)"
[ "$(control metadata mpris:length)" = 40000000 ] || fail "length $(control metadata mpris:length)"
control position 30
position=$(control position)
[[ $position =~ ^3[01]\. ]] || fail "position '$position' after 'position 30'"
control volume 0.4
wait_for 0.400000 volume
control play-pause
wait_for Paused status
state=$(saved_state)
[[ $state =~ ^40\ 02\ Middle\.mp3/3[01]/$ ]] || fail "saved '$state' after the second pause"

# An address handed over opens as File > Open would open it.
control open "file://$other"
wait_for Start metadata title
[ "$(xdotool getwindowname "$window")" = "Sonnalby - $other/index.wpl" ] ||
    fail "caption '$(xdotool getwindowname "$window")'"

# The desktop's Quit is File > Exit: the program ends by itself and saves.
dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.sonnalby \
    /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit
wait_for_end 30 || fail "the program ended with status $? after Quit"
[ -n "$(album_line "${other//\//\\}\\index.wpl")" ] || fail "no line for the album opened by address"

# The changes reached a follower as they happened.
stop_process "${beside[follow]}"
changes=$(tr '\n' ' ' <"$work/follow.log")
[[ $changes == *"Paused Playing Paused Playing Paused"* ]] || fail "a follower saw '$changes'"
echo "media controls: passed"

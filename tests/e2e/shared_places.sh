#!/usr/bin/env bash
# Two computers of one household, each a copy of the real program with its own settings, home
# and copy of the book under another path, sharing places through two real Syncthing daemons
# over 127.0.0.1. The kitchen listens to 00:12:00 of record 3, adds a bookmark and ends with
# Alt+X; once Syncthing has synced, the room opens its own copy there, with the bookmark. Then
# both run at once and each pauses in turn: each ends at the newest place, and no sync conflict
# appears. Driven through the desktop's media controls (playerctl) and keys.
#
#   shared_places.sh PROGRAM RESOURCES_FOLDER
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER" >&2
    exit 2
fi

source "$(dirname "$0")/lib/syncpair.sh"
if ! syncpair_available; then
    echo "SKIPPED: the syncthing package is not installed here"
    exit 77
fi

e2e_wrapper=(dbus-run-session --)
source "$(dirname "$0")/own_display.sh"

program=$1
resources=$2

source "$(dirname "$0")/program.sh"
source "$(dirname "$0")/playerctl.sh"

sync="$work/sync"
mkdir -p "$sync"
stop_sync() {
    syncpair_stop "$sync" || true
    cleanup
}
trap stop_sync EXIT

# One book, copied to each computer under another path: the same files, the same folder name.
kitchen_book="$work/kitchen/mnt/usb/Books/Tale"
room_book="$work/room/home/mia/Tale"
mkdir -p "$kitchen_book" "$(dirname "$room_book")"
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=3" "$kitchen_book/01 Opening.mp3"
ffmpeg -v error -f lavfi -i "sine=frequency=330:duration=3" "$kitchen_book/02 Middle.mp3"
ffmpeg -v error -f lavfi -i "anullsrc=r=22050:cl=mono" -t 800 -b:a 16k "$kitchen_book/03 Long.mp3"
cp -R "$kitchen_book" "$room_book"

# Each computer's settings say where its copy of the shared folder is and what it is called.
share_settings() {
    printf '[fwMain]\r\nmOptionShareFolder=%s\r\nmOptionShareComputer=%s\r\n' \
        "$(internal_path "$1")" "$2" >"$3"
}
room_app="$work/room-app"
mkdir -p "$room_app" "$work/room-home" "$work/room-runtime"
chmod 700 "$work/room-runtime"
cp -R "$app/." "$room_app/"
share_settings "$sync/a-share" Kitchen "$settings"
share_settings "$sync/b-share" Room "$room_app/sonnalby.dat"

syncpair_start "$sync" || fail "the two Syncthing daemons did not connect"

start_room() {
    start_beside room env HOME="$work/room-home" XDG_CONFIG_HOME="$work/room-home/.config" \
        XDG_RUNTIME_DIR="$work/room-runtime" "$room_app/sonnalby" "$@"
}
# Each copy is on the desktop's bus as "sonnalby", or, when another copy has that name already,
# as "sonnalby.instance<pid>".
player=sonnalby
room=sonnalby
room_control() {
    player=$room control "$@"
}
wait_for_room() {
    player=$room wait_for "$@"
}
# A player's position to the nearest second.
seconds_of() {
    local position
    position=$("$@" position) || return 1
    printf '%.0f\n' "$position"
}
at_second() {
    [ "$(seconds_of "$2")" = "$1" ]
}
# Waits until the room's and the kitchen's places are the same second but one.
same_place() {
    local kitchen_at room_at
    kitchen_at=$(seconds_of control) && room_at=$(seconds_of room_control) &&
        [ "$(control metadata xesam:trackNumber)" = 3 ] &&
        [ "$(room_control metadata xesam:trackNumber)" = 3 ] &&
        [ $((kitchen_at - room_at)) -ge -1 ] && [ $((kitchen_at - room_at)) -le 1 ]
}
keys() {
    xdotool key --clearmodifiers --delay 120 "$@"
}

# The kitchen: record 3, 00:12:00, a bookmark, Alt+X.
start "$kitchen_book"
window=$(window_named '^Sonnalby')
wait_for Paused status
control next
wait_for Playing status
control next
wait_for 3 metadata xesam:trackNumber
# A bookmark defined plays from its second; the pause comes after it.
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
keys alt+b
sleep 0.4
keys Return
title=$(find_window 30 --all --onlyvisible --pid "$pid" --name '^Bookmark Title$') ||
    fail "no Bookmark Title dialog"
timeout 10 xdotool windowfocus --sync "$title" || fail "the dialog took no focus"
keys ctrl+a
xdotool type --delay 60 'Kitchen mark'
keys Return
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
control pause
wait_for Paused status
control position 720
retry 10 at_second 720 control || fail "the kitchen is at $(control position), not 720"
sleep 0.5
keys alt+x
wait_for_end 30 || fail "the kitchen ended with status $? after Alt+X"
grep -q $'^place\t.*\t03 Long.mp3\t720\t' "$sync/a-share/Default/Kitchen.places" ||
    fail "the kitchen's places: $(cat "$sync/a-share/Default/Kitchen.places")"

# The room, once Syncthing has brought the kitchen's file: record 3 at 00:12:00, the bookmark.
syncpair_wait_file "$sync" b Default/Kitchen.places $'03 Long.mp3\t720\t' 60 ||
    fail "the kitchen's places did not reach the room"
start_room "$room_book"
wait_for_room Paused status
wait_for_room 3 metadata xesam:trackNumber
retry 10 at_second 720 room_control || fail "the room is at $(room_control position), not 720"

# Both at once, each pausing in turn: the other follows once Syncthing has carried the place.
start
player="sonnalby.instance$pid"
wait_for Paused status
retry 10 at_second 720 control || fail "the kitchen started at $(control position), not 720"
for turn in kitchen room kitchen; do
    if [ $turn = kitchen ]; then
        control play
        wait_for Playing status
        sleep 3
        control pause
        wait_for Paused status
    else
        room_control play
        wait_for_room Playing status
        sleep 3
        room_control pause
        wait_for_room Paused status
    fi
    retry 60 same_place ||
        fail "after the $turn's pause: kitchen at $(control position), room at $(room_control position)"
done
final=$(seconds_of control)
[ "$final" -ge 728 ] || fail "the place $final did not move on with both computers' listening"

room_control stop >/dev/null 2>&1 || true
kill -TERM "${beside[room]}"
retry 30 ended "${beside[room]}" || fail "the room's copy did not end"
control stop >/dev/null 2>&1 || true
keys alt+x 2>/dev/null || true
stop_process "$pid"
syncpair_wait_idle "$sync" || true
conflicts=$(syncpair_conflicts "$sync")
[ -z "$conflicts" ] || fail "sync conflicts: $conflicts"
room_settings=$(tr -d '\r' <"$room_app/sonnalby.dat")
[[ $room_settings == *"03 Long.mp3/"*"/Kitchen mark"* ]] ||
    fail "the room's settings lack the kitchen's bookmark"
echo "shared places: passed"

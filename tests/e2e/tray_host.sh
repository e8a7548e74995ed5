#!/usr/bin/env bash
# The tray icon of the real program under Xvfb with a real tray host (trayer) and a window
# manager (openbox): minimising hides the window and shows the icon in the tray; the icon's menu
# opens on a right click without choosing its first entry, and its Restore brings the window back;
# a double click on the icon does too; a tray host that is killed and started again shows the
# icon again; the menu's Exit ends the program.
#
#   tray_host.sh PROGRAM RESOURCES_FOLDER
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER" >&2
    exit 2
fi

# A display of our own, whatever the caller has.
if [ -z "${SONNALBY_E2E_XVFB:-}" ]; then
    exec env SONNALBY_E2E_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash "$0" "$@"
fi

program=$1
resources=$2

work=$(mktemp -d)
app="$work/app"
pid=
tray=
wm=
cleanup() {
    for process in $pid $tray $wm; do
        kill "$process" 2>/dev/null || true
        timeout 10 tail --pid="$process" -f /dev/null || kill -9 "$process" 2>/dev/null || true
        wait "$process" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    xwininfo -root -tree 2>/dev/null | grep -E '"(sonnalby|panel|trayer)"' >&2 || true
    for log in "$work"/*.log; do
        [ -f "$log" ] || continue
        echo "--- $log" >&2
        tail -n 40 "$log" >&2
    done
    exit 1
}

mkdir -p "$app" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$app/sonnalby"
cp -R "$resources/." "$app/"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS="detect_leaks=0"

# Waits up to ten seconds for the command to succeed.
wait_for() {
    local tries=0
    until "$@"; do
        [ $tries -lt 100 ] || return 1
        sleep 0.1
        tries=$((tries + 1))
    done
}

start_tray_host() {
    trayer --edge top --align right --widthtype pixel --width 120 --height 28 \
        >"$work/trayer.log" 2>&1 &
    tray=$!
    wait_for panel >/dev/null || fail "the tray host showed no panel"
}

# The tray host's panel window.
panel() {
    xdotool search --classname '^panel$' 2>/dev/null | head -n 1 | grep .
}

# The program's icon, embedded in the panel.
icon() {
    xwininfo -tree -id "$(panel)" 2>/dev/null | awk '/"sonnalby"/ { print $1; exit }' | grep .
}

viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"
}

hidden() {
    ! viewable "$1"
}

# Clicks the middle of the icon with the button, count times.
click_icon() {
    local id
    id=$(icon) || fail "no icon to click"
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click --repeat "$2" --delay 80 "$1"
}

minimise_to_tray() {
    xdotool windowminimize "$window"
    wait_for hidden "$window" || fail "minimising left the window on the screen ($1)"
    wait_for icon >/dev/null || fail "no icon in the tray after minimising ($1)"
}

restored() {
    viewable "$window" && ! icon >/dev/null
}

# A window manager that has taken the display (minimising is its business).
managed() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}
openbox >"$work/openbox.log" 2>&1 &
wm=$!
wait_for managed || fail "no window manager"
start_tray_host
"$app/sonnalby" >"$work/sonnalby.log" 2>&1 &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" --classname '^sonnalby$' |
    head -n 1) || true
[ -n "$window" ] || fail "no main window within 60 s"
icon >/dev/null && fail "an icon while the window is shown"

minimise_to_tray "first minimise"
# The menu opens on the press; its release must leave the menu open for a choice.
click_icon 3 1
sleep 1
xdotool key r
wait_for restored || fail "the tray menu's Restore did not bring the window back"
echo "tray menu: Restore brought the window back"

minimise_to_tray "second minimise"
click_icon 1 2
wait_for restored || fail "double-clicking the icon did not bring the window back"
echo "double click: the window is back, the icon gone"

minimise_to_tray "third minimise"
old_icon=$(icon)
kill "$tray"
wait "$tray" 2>/dev/null || true
tray=
start_tray_host
wait_for icon >/dev/null || fail "the icon did not come back with the tray host"
[ "$(icon)" != "$old_icon" ] || fail "the old icon window is still in the new panel"
hidden "$window" || fail "the window showed itself while the tray was back"
echo "tray host restarted: the icon is shown again"

# The tray menu's Exit ends the program although its window is hidden.
click_icon 3 1
sleep 1
xdotool key x
wait_for bash -c "! kill -0 $pid 2>/dev/null" || fail "the tray menu's Exit did not end the program"
status=0
wait "$pid" || status=$?
pid=
[ $status -eq 0 ] || fail "the program ended with status $status"
echo "tray menu: Exit ended the program"
echo "tray host: passed"

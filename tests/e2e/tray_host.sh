#!/usr/bin/env bash
# The tray icon of the real program under Xvfb with a real tray host (trayer) and a window
# manager (openbox): minimising hides the window and shows the icon in the tray; the icon's menu
# opens on a right click without choosing its first entry, and its Restore brings the window back;
# a double click on the icon does too; the frame's close box hides the window in the tray, and
# the first double click or Restore brings it back, ten times in a row; a tray host that is killed
# and started again shows the icon again; a later start with a path brings the window back with
# that album open; the menu's Exit ends the program.
#
#   tray_host.sh PROGRAM RESOURCES_FOLDER
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER" >&2
    exit 2
fi

source "$(dirname "$0")/own_display.sh"

program=$1
resources=$2
source "$(dirname "$0")/program.sh"

# The window is withdrawn (an iconified window is only unviewable).
hidden() {
    window_info "$1" | grep -q "Map State: IsUnMapped"
}

# The tray host's panel window, in the variable panel.
find_panel() {
    panel=$(first_window --classname '^panel$')
}

gone() {
    ! window_info "$1" >/dev/null
}

start_tray_host() {
    start_beside trayer trayer --edge top --align right --widthtype pixel --width 120 --height 28
    retry 10 find_panel || fail "the tray host showed no panel"
}

# The program's icon windows embedded in the panel, one a line; fails when the panel could not
# be read.
icons_in_panel() {
    local tree
    tree=$(window_info "$panel" -tree) || return 1
    awk '/"sonnalby"/ { print $1 }' <<<"$tree"
}

# The program's icon in the panel.
icon() {
    local icons
    icons=$(icons_in_panel) && [ -n "$icons" ] && head -n 1 <<<"$icons"
}

no_icon() {
    local icons
    icons=$(icons_in_panel) && [ -z "$icons" ]
}

# Clicks the middle of the icon with the button, count times.
click_icon() {
    local id geometry
    id=$(retry 10 icon) || fail "no icon to click"
    geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || fail "the icon vanished"
    eval "$geometry"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click --repeat "$2" --delay 80 "$1"
}

# The icon's menu is shown: a pop-up of the program's over its window.
menu_shown() {
    local id owner
    owner="window id # $(printf '0x%x' "$window")"
    for id in $(xwininfo -root -children 2>/dev/null | awk '/\("sonnalby" / { print $1 }'); do
        viewable "$id" && xprop -id "$id" WM_TRANSIENT_FOR 2>/dev/null | grep -qx ".*$owner" &&
            return 0
    done
    return 1
}

# Opens the icon's menu with a right click, clicking again while none shows: an icon just
# embedded in a new panel misses a click that comes before the panel has shown it.
open_icon_menu() {
    local clicks
    for clicks in 1 2 3; do
        click_icon 3 1
        retry 3 menu_shown && return 0
    done
    return 1
}

# Opens the icon's menu with a right click and types the key of an entry, until the check
# succeeds. The menu opens on the press; its release must leave it open for the choice, which
# the key, coming after the release, shows. A key typed before the menu took the keyboard is
# lost, so it is typed again while the menu stays open.
choose_in_menu() {
    local key=$1 attempts=3
    shift
    open_icon_menu || fail "a right click on the icon showed no menu"
    until xdotool key "$key" && retry 10 "$@"; do
        attempts=$((attempts - 1))
        [ $attempts -gt 0 ] && retry 1 menu_shown || return 1
    done
}

minimise_to_tray() {
    xdotool windowminimize "$window"
    retry 10 hidden "$window" || fail "minimising left the window on the screen ($1)"
    retry 10 icon >/dev/null || fail "no icon in the tray after minimising ($1)"
}

restored() {
    viewable "$window" && no_icon
}

# The place of the frame's close button, once the window manager has settled the window where it
# stays (a window shown again is placed twice), in close_x and close_y.
close_box_place() {
    local extents left right top bottom first second x y width
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p')
    [ -n "$extents" ] || return 1
    IFS=', ' read -r left right top bottom <<<"$extents"
    first=$(window_info "$window" | awk '/Absolute upper-left|Width:/ { printf "%s ", $NF }')
    sleep 0.3
    second=$(window_info "$window" | awk '/Absolute upper-left|Width:/ { printf "%s ", $NF }')
    [ -n "$first" ] && [ "$first" = "$second" ] || return 1
    read -r x y width <<<"$second"
    close_x=$((x + width + right - top / 2 - 2))
    close_y=$((y - top / 2))
}

# A click on the frame's close box, which with Minimize On Close and Hide To System Tray (both on
# from the first start) puts the window in the tray.
close_to_tray() {
    retry 10 close_box_place || fail "the window did not settle ($1)"
    xdotool mousemove "$close_x" "$close_y" click 1
    retry 10 hidden "$window" || fail "the close box left the window on the screen ($1)"
    retry 10 icon >/dev/null || fail "no icon in the tray after the close box ($1)"
}

# A window manager that has taken the display (minimising is its business).
managed() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}
start_beside openbox openbox
retry 10 managed || fail "no window manager"
start_tray_host
start
window=$(window_named '^Sonnalby')
retry 10 no_icon || fail "an icon while the window is shown"

minimise_to_tray "first minimise"
choose_in_menu r restored || fail "the tray menu's Restore did not bring the window back"
echo "tray menu: Restore brought the window back"

minimise_to_tray "second minimise"
click_icon 1 2
retry 10 restored || fail "double-clicking the icon did not bring the window back"
echo "double click: the window is back, the icon gone"

# The first double click, or Restore, after the close box: never a second one needed.
for round in $(seq 1 10); do
    close_to_tray "close box $round"
    click_icon 1 2
    retry 5 restored || fail "the first double click after the close box did not restore ($round)"
done
for round in 1 2 3; do
    close_to_tray "close box, then Restore $round"
    choose_in_menu r restored || fail "Restore after the close box did not restore ($round)"
done
echo "close box: the first double click or Restore brought the window back, 13 times"

minimise_to_tray "third minimise"
old_icon=$(retry 10 icon) || fail "no icon after the third minimise"
stop_process "${beside[trayer]}"
retry 10 gone "$panel" || fail "the panel outlived its tray host"
start_tray_host
new_icon=$(retry 10 icon) || fail "the icon did not come back with the tray host"
[ "$new_icon" != "$old_icon" ] || fail "the old icon window is still in the new panel"
hidden "$window" || fail "the window showed itself while the tray was back"
echo "tray host restarted: the icon is shown again"

# "Open with" on a book while the window hides in the tray: the book opens, active, in the window
# brought back; the settings file holds it once.
mkdir -p "$work/Tale"
cp "$(dirname "$0")/../fixtures/tone660_2s.mp3" "$work/Tale/01 One.mp3"
timeout 30 "$app/sonnalby" "$work/Tale" >>"$work/second.log" 2>&1 ||
    fail "the start handing over a path ended with status $?"
retry 10 restored || fail "the hand-over of a path did not bring the window back from the tray"
title_is() {
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "Sonnalby - $work/Tale/index.wpl" ]
}
retry 20 title_is || fail "the handed-over album is not the active one"
echo "hand-over with a path from the tray: the album is open and the window back"
minimise_to_tray "after the hand-over"

# The tray menu's Exit ends the program although its window is hidden.
choose_in_menu x ended "$pid" || fail "the tray menu's Exit did not end the program"
wait_for_end 10 || fail "the program ended with status $?"
echo "tray menu: Exit ended the program"
stored=$(grep -cF "$(internal_path "$work/Tale")\\index.wpl=" "$settings" || true)
[ "$stored" -eq 1 ] || fail "the handed-over album is stored $stored times"
echo "tray host: passed"

#!/usr/bin/env bash
# The window stays where a listener can reach it, on a laptop's 1366 x 768 screen with openbox:
# a place stored on a larger screen (Left 2500, Top 1400) and read at twice the scale opens the
# window with its title bar and at least 100 pixels of it on the screen, and the place saved at
# the end is that one; a window moved off the screen comes back when the program is started
# again.
#
#   placement.sh PROGRAM RESOURCES_FOLDER
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER" >&2
    exit 2
fi

e2e_screen=1366x768x24
source "$(dirname "$0")/own_display.sh"

program=$1
resources=$2
source "$(dirname "$0")/program.sh"

screen_width=1366
screen_height=768

managed() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}

# The window's inside place and size and its frame's top, in device pixels, in x, y, width,
# height and frame_top; fails while the window manager has not framed it yet.
read_place() {
    local extents left right info
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p')
    [ -n "$extents" ] || return 1
    IFS=', ' read -r left right frame_top _ <<<"$extents"
    info=$(window_info "$window") || return 1
    read -r x y width height <<<"$(awk '/Absolute upper-left|Width:|Height:/ { printf "%s ", $NF }' <<<"$info")"
}

# The title bar wholly on the screen, and 100 pixels of the window's width and of its height (or
# all of a lower window).
reachable() {
    read_place || return 1
    local shown_height=$((height < 100 ? height : 100))
    [ $((y - frame_top)) -ge 0 ] && [ $((y + shown_height)) -le $screen_height ] &&
        [ $((x + 100)) -le $screen_width ] && [ $((x + width)) -ge 100 ]
}

start_beside openbox openbox
retry 10 managed || fail "no window manager"

printf '[fwMain]\r\nmOptionMinimize=1\r\nmOptionSysTray=1\r\n[mProfileList]\r\n0=Default\r\n' \
    >"$settings"
printf '[Default]\r\nLeft=2500\r\nTop=1400\r\nState=0\r\n' >>"$settings"
export QT_SCALE_FACTOR=2
start
window=$(window_named '^Sonnalby')
retry 10 reachable || fail "a place stored off the screen opened the window at $x,$y (${width}x$height)"
echo "stored off the screen: the window opens at $x,$y (${width}x$height)"

# Moved where no one can reach it; a second start hands over and brings it back.
xdotool windowmove "$window" 3000 2000
retry 10 eval '! reachable' || fail "the window could not be moved off the screen"
start_beside second "$app/sonnalby"
retry 10 ended "${beside[second]}" || fail "the second start did not end"
retry 10 reachable || fail "the second start left the window off the screen at $x,$y"
echo "moved off the screen: the second start brought it back to $x,$y"

kill -TERM "$pid"
wait_for_end 30 || fail "the program ended with status $?"
left=$(setting_line Default Left)
top=$(setting_line Default Top)
[ "$left" -ge 0 ] && [ "$left" -lt $((screen_width / 2)) ] && [ "$top" -ge 0 ] &&
    [ "$top" -lt $((screen_height / 2)) ] || fail "the place saved at the end is $left,$top"
echo "saved: $left,$top"
echo "placement: passed"

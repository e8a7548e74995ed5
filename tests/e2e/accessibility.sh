#!/usr/bin/env bash
# The real program under Xvfb as a screen reader meets it: on a session bus of the test's own
# with the accessibility bus started, atspi_check.py walks its AT-SPI tree and works its controls.
#
#   accessibility.sh PROGRAM RESOURCES_FOLDER
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

launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || fail "no $launcher (Debian's at-spi2-core)"
# Debian's python3 has the AT-SPI bindings; another python first on the PATH may not.
python=/usr/bin/python3
"$python" -c 'import gi; gi.require_version("Atspi", "2.0")' ||
    fail "no AT-SPI bindings for $python (python3-gi, gir1.2-atspi-2.0)"

album="$work/A Tale"
mkdir -p "$album"
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=60" -metadata title=Opening \
    "$album/01 Opening.mp3"
ffmpeg -v error -f lavfi -i "sine=frequency=330:duration=60" -metadata title="The Middle" \
    "$album/02 Middle.mp3"

start_beside at-spi "$launcher" --launch-immediately
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start "$album"
window=$(window_named '^Sonnalby')
"$python" "$(dirname "$0")/atspi_check.py" Sonnalby "$window" || fail "the accessibility check failed"
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
xdotool key --clearmodifiers alt+x
wait_for_end 30 || fail "the program ended with status $? after Alt+X"

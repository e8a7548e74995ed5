#!/usr/bin/env bash
# One running copy of the real program under Xvfb. A second start on the same settings file ends
# with status 0 and opens no window; without a path it leaves the settings file byte for byte as
# it was (its modification time too) and the running copy comes forward (its window is raised
# above a copy over another settings file); with a path the running copy opens it, once. Two
# copies started at the same instant leave exactly one running, and so do starts whose settings
# paths are spelled differently or whose sessions have other runtime folders. A running copy
# that does not answer makes a later start say so and end with status 1.
#
#   single_instance.sh PROGRAM RESOURCES_FOLDER FIXTURES_FOLDER
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

# Another copy of the program in a folder of its own, so that it has a settings file of its own.
make_copy() {
    mkdir -p "$work/$1"
    cp "$program" "$work/$1/sonnalby"
    cp -R "$resources/." "$work/$1/"
}

mkdir -p "$work/Tale"
cp "$fixtures/tone660_2s.mp3" "$work/Tale/01 One.mp3"

visible_window() {
    find_window 60 --all --onlyvisible --pid "$1" --name '^Sonnalby' ||
        fail "no main window of process $1 within 60 s"
}

# Ends the process through an end request and expects status 0.
end_process() {
    local process=$1 status=0
    kill -TERM "$process"
    retry 30 ended "$process" || fail "process $process still runs 30 s after SIGTERM"
    wait "$process" || status=$?
    [ $status -eq 0 ] || fail "process $process ended with status $status"
}

# The topmost of the windows given by their ids. xwininfo lists the top window first. (Without a
# window manager X ignores a focus request of a client that the user did not just click, so the
# raise is what can be seen.)
topmost() {
    local ids
    ids=$(printf '0x%x\n' "$@")
    xwininfo -root -children 2>/dev/null | awk '{ print $1 }' | grep -xF "$ids" | head -n 1
}

on_top() {
    [ "$(topmost "$1" "$2")" = "$(printf '0x%x' "$1")" ]
}

# The number of visible main windows on the display.
main_window_count() {
    local ids
    ids=$(windows --onlyvisible --name '^Sonnalby') || return 1
    grep -c . <<<"$ids" || true
}

# The number of the given processes that run.
running() {
    local count=0 process
    for process in "$@"; do
        kill -0 "$process" 2>/dev/null && count=$((count + 1))
    done
    echo $count
}

start
first_window=$(visible_window "$pid")
make_copy beside
start_beside beside "$work/beside/sonnalby"
beside_window=$(visible_window "${beside[beside]}")
xdotool windowmove --sync "$beside_window" 0 0
xdotool windowmove --sync "$first_window" 0 0
xdotool windowraise "$beside_window"
retry 10 on_top "$beside_window" "$first_window" || fail "the copy beside could not be raised"

[ -f "$settings" ] || fail "no settings file of the running copy"
cp "$settings" "$work/before.dat"
modified=$(stat -c %y "$settings")
sleep 0.1

# Ends by itself with status 0, within 30 s; how fast is the benchmarks' business.
second_start() {
    local status=0
    timeout 30 "$@" >>"$work/second.log" 2>&1 || status=$?
    [ $status -ne 124 ] || fail "the second start still ran 30 s later"
    [ $status -eq 0 ] || fail "the second start ended with status $status"
}

second_start "$app/sonnalby"
cmp -s "$settings" "$work/before.dat" || fail "the second start changed the settings file"
[ "$(stat -c %y "$settings")" = "$modified" ] || fail "the settings file's time changed"
count=$(retry 10 main_window_count) || fail "the windows on the display could not be read"
[ "$count" -eq 2 ] || fail "$count main windows, expected the two copies' own"
retry 10 on_top "$first_window" "$beside_window" || fail "the running copy did not come forward"
echo "second start: the running copy came forward, the settings file untouched"

# "Open with" on a book while the player runs: the running copy opens it, once.
key="$(internal_path "$work/Tale")\\index.wpl"
for attempt in 1 2; do
    second_start "$app/sonnalby" "$work/Tale"
done
retry 20 test -e "$work/Tale/index.wpl" || fail "the running copy did not open the handed-over path"
title_is() {
    [ "$(xdotool getwindowname "$1" 2>/dev/null)" = "$2" ]
}
retry 20 title_is "$first_window" "Sonnalby - $work/Tale/index.wpl" ||
    fail "the handed-over album is not the active one"
end_process "$pid"
pid=
lines=$(grep -cF "$key=" "$settings" || true)
[ "$lines" -eq 1 ] || fail "the handed-over album is stored $lines times"
echo "second start with a path: the running copy opened and activated it once"
end_process "${beside[beside]}"

# Two starts at the same instant over a settings file of their own: one hands over and ends.
make_copy twins
start_beside twin1 "$work/twins/sonnalby"
start_beside twin2 "$work/twins/sonnalby"
twins=("${beside[twin1]}" "${beside[twin2]}")
at_most_one_running() {
    [ "$(running "${twins[@]}")" -le 1 ]
}
retry 30 at_most_one_running || fail "both copies still run 30 s after two simultaneous starts"
for copy in "${twins[@]}"; do
    if kill -0 "$copy" 2>/dev/null; then
        survivor=$copy
    else
        status=0
        wait "$copy" || status=$?
        [ $status -eq 0 ] || fail "the copy that handed over ended with status $status"
    fi
done
[ "$(running "${twins[@]}")" -eq 1 ] ||
    fail "$(running "${twins[@]}") copies running after two simultaneous starts"
visible_window "$survivor" >/dev/null
end_process "$survivor"

# An installed copy keeps its settings in the configuration folder; every spelling of that folder,
# and a session without a runtime folder, meet the one running copy.
mkdir -p "$work/inst/bin" "$work/inst/share/sonnalby" "$work/cfg"
cp "$program" "$work/inst/bin/sonnalby"
cp -R "$resources/." "$work/inst/share/sonnalby/"
ln -s "$work/cfg" "$work/cfglink"
XDG_CONFIG_HOME="$work/cfg" start_beside installed "$work/inst/bin/sonnalby"
installed=${beside[installed]}
visible_window "$installed" >/dev/null
for spelling in "$work/cfg/" "$work//cfg" "$work/cfglink" "$work/./cfg"; do
    XDG_CONFIG_HOME="$spelling" second_start "$work/inst/bin/sonnalby"
done
XDG_CONFIG_HOME="$work/cfg" second_start env -u XDG_RUNTIME_DIR "$work/inst/bin/sonnalby"
XDG_CONFIG_HOME="$work/cfglink" second_start env XDG_RUNTIME_DIR="$work" "$work/inst/bin/sonnalby"
[ "$(running "$installed")" -eq 1 ] || fail "the installed copy ended"
echo "six starts over other spellings and runtime folders: all handed over"

end_process "$installed"

# A running copy that could not listen (its temporary folder's path is too long for a socket)
# does not answer: a later start says so and ends with status 1.
long_tmp="$work/$(printf 't%.0s' {1..120})"
mkdir -p "$long_tmp"
XDG_CONFIG_HOME="$work/cfg" TMPDIR="$long_tmp" start_beside deaf env -u XDG_RUNTIME_DIR \
    "$work/inst/bin/sonnalby"
deaf=${beside[deaf]}
visible_window "$deaf" >/dev/null
status=0
XDG_CONFIG_HOME="$work/cfg" timeout 30 "$work/inst/bin/sonnalby" >"$work/silent.log" 2>&1 &
later=$!
# The message box carries no process id; it is the window of that title that the deaf copy lacks.
message_box() {
    local titled own
    titled=$(windows --onlyvisible --name '^Sonnalby$') && own=$(windows --pid "$deaf") &&
        grep -vxF "${own:-none}" <<<"$titled" | head -n 1 | grep .
}
message=$(retry 20 message_box) || fail "no message from a start whose running copy does not answer"
answer_message() {
    timeout 5 xdotool windowfocus --sync "$message" 2>/dev/null && xdotool key Return
    sleep 0.5
    ended "$later"
}
retry 20 answer_message || fail "the message could not be answered"
wait "$later" || status=$?
[ $status -eq 1 ] || fail "the start that found no answer ended with status $status"
grep -q "does not answer" "$work/silent.log" || fail "no reason given: $(cat "$work/silent.log")"
echo "a running copy that does not answer: the later start said so"
end_process "$deaf"

echo "single instance: passed"

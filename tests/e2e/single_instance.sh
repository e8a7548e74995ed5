#!/usr/bin/env bash
# One running copy of the real program under Xvfb. A second start on the same settings file, with
# a path, ends with status 0 within a second, opens no window and no path, leaves the settings
# file byte for byte as it was (its modification time too), and the running copy comes forward
# (its window is raised above a copy over another settings file). Two copies started at the same
# instant leave exactly one running.
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

started_at=$(date +%s%N)
status=0
# How fast it hands over is the benchmarks' business; here it only has to end by itself.
timeout 30 "$app/sonnalby" "$work/Tale" >>"$work/second.log" 2>&1 || status=$?
elapsed_ms=$((($(date +%s%N) - started_at) / 1000000))
[ $status -ne 124 ] || fail "the second start still ran 30 s later"
[ $status -eq 0 ] || fail "the second start ended with status $status"
cmp -s "$settings" "$work/before.dat" || fail "the second start changed the settings file"
[ "$(stat -c %y "$settings")" = "$modified" ] || fail "the settings file's time changed"
[ ! -e "$work/Tale/index.wpl" ] || fail "the second start opened the path"
count=$(retry 10 main_window_count) || fail "the windows on the display could not be read"
[ "$count" -eq 2 ] || fail "$count main windows, expected the two copies' own"
retry 10 on_top "$first_window" "$beside_window" || fail "the running copy did not come forward"
echo "second start: ended after $elapsed_ms ms, the running copy came forward"
end_process "$pid"
pid=
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

echo "single instance: passed"

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

if [ -z "${SONNALBY_E2E_XVFB:-}" ]; then
    exec env SONNALBY_E2E_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash "$0" "$@"
fi

program=$1
resources=$2
fixtures=$3

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log; do
        [ -f "$log" ] || continue
        echo "--- $log" >&2
        tail -n 20 "$log" >&2
    done
    exit 1
}

# A copy of the program in a folder of its own, so that it has a settings file of its own.
make_copy() {
    mkdir -p "$work/$1"
    cp "$program" "$work/$1/sonnalby"
    cp -R "$resources/." "$work/$1/"
}

mkdir -p "$work/home" "$work/runtime" "$work/Tale"
chmod 700 "$work/runtime"
cp "$fixtures/tone660_2s.mp3" "$work/Tale/01 One.mp3"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb ASAN_OPTIONS="detect_leaks=0"

# Starts the copy in the background; its process id in the variable started.
start_copy() {
    local copy=$1
    shift
    "$work/$copy/sonnalby" "$@" >>"$work/$copy.log" 2>&1 &
    started=$!
    pids+=("$started")
}

visible_window() {
    local id
    id=$(timeout 60 xdotool search --sync --all --onlyvisible --pid "$1" --name '^Sonnalby' |
        head -n 1) || true
    [ -n "$id" ] || fail "no main window of process $1 within 60 s"
    echo "$id"
}

# Ends the process through an end request and expects status 0.
end_process() {
    local pid=$1 status=0
    kill -TERM "$pid"
    wait "$pid" || status=$?
    [ $status -eq 0 ] || fail "process $pid ended with status $status"
}

# The topmost of the windows given by their ids. xwininfo lists the top window first. (Without a
# window manager X ignores a focus request of a client that the user did not just click, so the
# raise is what can be seen.)
topmost() {
    local ids
    ids=$(printf '0x%x\n' "$@")
    xwininfo -root -children | awk '{ print $1 }' | grep -xF "$ids" | head -n 1
}

wait_until_on_top() {
    local waited=0
    until [ "$(topmost "$1" "$2")" = "$(printf '0x%x' "$1")" ]; do
        [ $waited -lt 50 ] || fail "$3"
        sleep 0.1
        waited=$((waited + 1))
    done
}

make_copy first
make_copy beside
start_copy first
first=$started
first_window=$(visible_window "$first")
start_copy beside
beside=$started
beside_window=$(visible_window "$beside")
xdotool windowmove --sync "$beside_window" 0 0
xdotool windowmove --sync "$first_window" 0 0
xdotool windowraise "$beside_window"
wait_until_on_top "$beside_window" "$first_window" "the copy beside could not be raised"

settings="$work/first/sonnalby.dat"
[ -f "$settings" ] || fail "no settings file of the running copy"
cp "$settings" "$work/before.dat"
modified=$(stat -c %y "$settings")
sleep 0.1

started_at=$(date +%s%N)
status=0
"$work/first/sonnalby" "$work/Tale" >>"$work/second.log" 2>&1 || status=$?
elapsed_ms=$((($(date +%s%N) - started_at) / 1000000))
[ $status -eq 0 ] || fail "the second start ended with status $status"
[ $elapsed_ms -lt 1000 ] || fail "the second start took $elapsed_ms ms"
cmp -s "$settings" "$work/before.dat" || fail "the second start changed the settings file"
[ "$(stat -c %y "$settings")" = "$modified" ] || fail "the settings file's time changed"
[ ! -e "$work/Tale/index.wpl" ] || fail "the second start opened the path"
[ "$(xdotool search --onlyvisible --name '^Sonnalby' | wc -l)" -eq 2 ] ||
    fail "a window more than the two copies' own"
wait_until_on_top "$first_window" "$beside_window" "the running copy did not come forward"
echo "second start: ended after $elapsed_ms ms, the running copy came forward"
end_process "$first"
end_process "$beside"

# Two starts at the same instant over a settings file of their own.
make_copy twins
start_copy twins
one=$started
start_copy twins
two=$started
sleep 3
running=0
for pid in "$one" "$two"; do
    if kill -0 "$pid" 2>/dev/null; then
        running=$((running + 1))
        survivor=$pid
    else
        status=0
        wait "$pid" || status=$?
        [ $status -eq 0 ] || fail "the copy that handed over ended with status $status"
    fi
done
[ $running -eq 1 ] || fail "$running copies running after two simultaneous starts"
visible_window "$survivor" >/dev/null
end_process "$survivor"

echo "single instance: passed"

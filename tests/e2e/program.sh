# Sourced by the end-to-end scripts: the program's copy in a temporary folder (so that the settings
# file is its own), its environment, starting it and the processes beside it, finding windows,
# failing with the logs, and ending whatever was started. The caller sets program and resources
# first.

work=$(mktemp -d)
app="$work/app"
settings="$app/sonnalby.dat"
pid=
runs=0
# Processes started beside the program (window manager, tray host, other copies), by name.
declare -A beside=()

ended() {
    ! kill -0 "$1" 2>/dev/null
}

# Ends a process of ours: an end request, a short grace, then KILL; never waits long for it.
stop_process() {
    local process=$1
    [ -n "$process" ] && kill -TERM "$process" 2>/dev/null || return 0
    retry 2 ended "$process" || kill -KILL "$process" 2>/dev/null || true
    if retry 2 ended "$process"; then
        wait "$process" 2>/dev/null || true
    else
        echo "process $process does not end" >&2
    fi
}

cleanup() {
    trap - ERR
    stop_process "$pid"
    for process in "${beside[@]}"; do
        stop_process "$process"
    done
    rm -rf "$work"
}
trap cleanup EXIT

show_log() {
    [ -f "$1" ] || return 0
    echo "--- $1" >&2
    tail -n 40 "$1" >&2
}

fail() {
    trap - ERR
    # Called in a command substitution the message is given there; the caller just ends.
    touch "$work/failed"
    echo "FAIL: $*" >&2
    # The display's named windows say what the program showed.
    [ -z "${DISPLAY:-}" ] || timeout 5 xwininfo -root -tree 2>/dev/null | grep -F '("' | head -n 40 >&2 ||
        true
    show_log "$work/run$runs.log"
    show_log "$settings"
    for name in "${!beside[@]}"; do
        show_log "$work/$name.log"
    done
    exit 1
}
# A command failing where no check expects it ends the test with its line, not silently.
set -E
trap 'unexpected_failure $? "$BASH_COMMAND" "${BASH_SOURCE[0]##*/}:$LINENO"' ERR
unexpected_failure() {
    [ ! -e "$work/failed" ] || exit 1
    fail "$3: \"$2\" ended with status $1"
}

mkdir -p "$app" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$app/sonnalby"
cp -R "$resources/." "$app/"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
# Qt and X11 keep allocations to the end; leaks are the unit tests' business.
export ASAN_OPTIONS="detect_leaks=0"

start() {
    runs=$((runs + 1))
    "$app/sonnalby" "$@" >"$work/run$runs.log" 2>&1 &
    pid=$!
}

# Starts a command in the background under a name of its own; its log is $work/NAME.log and its
# process id ${beside[NAME]}.
start_beside() {
    local name=$1
    shift
    "$@" >>"$work/$name.log" 2>&1 &
    beside[$name]=$!
}

# Runs the command until it succeeds, up to the given seconds. Whatever reads the window tree
# (xdotool search, xwininfo) fails now and then while windows come and go, so every look at the
# display that can meet a vanishing window goes through here.
retry() {
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep 0.1
    done
}

# The ids of the windows xdotool search finds with the arguments, perhaps none; fails when the
# search met a window that vanished under it (BadWindow), since it then may have missed some.
# Never with --sync: that search dies at such a window instead of looking again.
windows() {
    local ids
    ids=$(xdotool search "$@" 2>"$work/search.err") || true
    [ ! -s "$work/search.err" ] || return 1
    [ -z "$ids" ] || echo "$ids"
}

# The first window xdotool search finds with the arguments; fails when it finds none.
first_window() {
    local ids
    ids=$(windows "$@") && [ -n "$ids" ] && head -n 1 <<<"$ids"
}

# The first window xdotool search finds with the arguments within the seconds.
find_window() {
    local seconds=$1
    shift
    retry "$seconds" first_window "$@"
}

# A visible window of the running program whose title matches the pattern, within 60 s; its id.
window_named() {
    find_window 60 --all --onlyvisible --pid "$pid" --name "$1" ||
        fail "no window '$1' within 60 s (run $runs)"
}

# xwininfo about the window with the options. Without a window xwininfo would wait for a click,
# holding the test until its time runs out.
window_info() {
    local id=$1
    shift
    [ -n "$id" ] || return 1
    xwininfo "$@" -id "$id" 2>/dev/null
}

viewable() {
    window_info "$1" | grep -q "Map State: IsViewable"
}

# Waits up to `seconds` for the program to end; its exit status, or fails when it runs on.
wait_for_end() {
    local seconds=$1 waited=0 status=0
    while kill -0 "$pid" 2>/dev/null; do
        [ $waited -lt $((seconds * 10)) ] || fail "the program still runs ${seconds} s later (run $runs)"
        sleep 0.1
        waited=$((waited + 1))
    done
    wait "$pid" || status=$?
    pid=
    ! grep -q "ERROR: AddressSanitizer\|runtime error:" "$work/run$runs.log" ||
        fail "sanitizer report (run $runs)"
    return $status
}

# The value of a key's first line in a section (key compared without regard to case).
setting_line() {
    # awk reads to the end, so that tr never writes into a closed pipe.
    tr -d '\r' <"$settings" | SECTION="$1" KEY="$2" awk '
        /^\[/ { inside = tolower($0) == tolower("[" ENVIRON["SECTION"] "]"); next }
        inside && !found {
            at = index($0, "=")
            if (at > 0 && tolower(substr($0, 1, at - 1)) == tolower(ENVIRON["KEY"])) {
                print substr($0, at + 1)
                found = 1
            }
        }'
}

# Inside the program paths use "\" between folders.
internal_path() {
    echo "${1//\//\\}"
}

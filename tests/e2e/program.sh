# Sourced by the end-to-end scripts that start the real program many times: its copy in a
# temporary folder (so that the settings file is its own), its environment, starting it, finding
# its windows and ending it. The caller sets program, resources and fixtures first.

work=$(mktemp -d)
app="$work/app"
settings="$app/sonnalby.dat"
pid=
runs=0
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/run$runs.log" ] && tail -n 40 "$work/run$runs.log" >&2
    exit 1
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

# A visible window of the running program whose title matches the pattern, within 60 s; its id.
window_named() {
    local id
    id=$(timeout 60 xdotool search --sync --all --onlyvisible --pid "$pid" --name "$1" |
        head -n 1) || true
    [ -n "$id" ] || fail "no window '$1' within 60 s (run $runs)"
    echo "$id"
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

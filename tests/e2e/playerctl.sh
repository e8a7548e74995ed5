# Sourced by the end-to-end scripts that drive the program as the desktop's media controls do,
# after program.sh: playerctl against the running copy, and waiting for what it reports.

# The copy driven: "sonnalby" unless a test running several sets player.
control() {
    playerctl -p "${player:-sonnalby}" "$@"
}

# Waits until what "playerctl ARGS" prints is the text.
wait_for() {
    local expected=$1 waited=0 got
    shift
    until got=$(control "$@" 2>&1) && [ "$got" = "$expected" ]; do
        [ $waited -lt 100 ] || fail "playerctl $* says '$got', expected '$expected'"
        sleep 0.1
        waited=$((waited + 1))
    done
}

#!/usr/bin/env bash
# The single-copy channel against another local user (nobody) who got at its places first: a lock
# of theirs held open with a listening socket named in it, a FIFO, a link to a file of the
# victim's, and a runtime folder of theirs with a socket at the expected name. Each time the start
# comes up as the first copy within a minute (never ends silently, never hangs), a second start
# hands over to it, the foreign socket hears nothing, and nothing a link points to is written.
#
#   hostile_channel.sh PROGRAM RESOURCES_FOLDER
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER" >&2
    exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: playing another user takes root"
    exit 77
fi
source "$(dirname "$0")/own_display.sh"
program=$1
resources=$2
source "$(dirname "$0")/program.sh"

as_nobody() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
}

# A portable copy in a folder anyone may write, as on a shared disk.
chmod 711 "$work"
chmod 1777 "$app"
lock="$(realpath "$app")/.sonnalby.dat.lock"
heard="$work/heard"
: >"$heard"
chmod 666 "$heard"
evil="$work/evil"
mkdir -p "$evil"
chown nobody "$evil"
chmod 700 "$evil"
echo "precious" >"$work/precious"

# nobody's listening socket at the path; what it hears goes to $heard.
listen_as_nobody() {
    rm -f "$1"
    start_beside "spy$2" as_nobody sh -c "nc -lkU '$1' >>'$heard'"
    retry 10 test -S "$1" || fail "nobody's socket $1 did not come up"
}

victim_start() {
    start_beside victim env "$@" "$app/sonnalby"
    find_window 60 --onlyvisible --pid "${beside[victim]}" --name '^Sonnalby' >/dev/null ||
        fail "$case: no window within 60 s (log: $(cat "$work/victim.log"))"
    local status=0
    timeout 30 env "$@" "$app/sonnalby" >>"$work/second.log" 2>&1 || status=$?
    [ $status -eq 0 ] || fail "$case: the second start ended with status $status"
    [ ! -s "$heard" ] || fail "$case: nobody's socket heard: $(cat "$heard")"
    [ "$(stat -c %U "$lock")" = root ] || fail "$case: the lock is still nobody's"
    stop_process "${beside[victim]}"
    unset 'beside[victim]'
    echo "$case: came up as the first copy, handed over to, nobody heard nothing"
}

case="a held lock of nobody's naming nobody's socket"
listen_as_nobody "$evil/spy.socket" 1
as_nobody sh -c "umask 077; echo '$evil/spy.socket' >'$lock'"
start_beside holder as_nobody flock "$lock" sleep 600
sleep 0.5
victim_start -u XDG_RUNTIME_DIR

case="a FIFO at the lock"
rm -f "$lock"
as_nobody mkfifo -m 600 "$lock"
victim_start -u XDG_RUNTIME_DIR

case="a link to the victim's file at the lock"
rm -f "$lock"
as_nobody ln -s "$work/precious" "$lock"
victim_start -u XDG_RUNTIME_DIR
[ "$(cat "$work/precious")" = precious ] || fail "the linked file was written"

case="a runtime folder of nobody's with a socket at the expected name"
hash=$(printf '%s' "$lock" | sha256sum | cut -c1-16)
listen_as_nobody "$evil/corvella-$hash.socket" 2
victim_start XDG_RUNTIME_DIR="$evil"
case "$(cat "$lock")" in
"$evil"/*) fail "the socket went into nobody's runtime folder" ;;
esac

echo "hostile channel: passed"

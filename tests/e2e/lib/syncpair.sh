# Sourced by the end-to-end scripts: two real Syncthing daemons on this machine, as two computers
# of one listener sharing the folder "places", talking over 127.0.0.1 only. Everything lives
# under a base folder the caller made:
#   BASE/a-home, BASE/b-home    each daemon's keys, configuration and database
#   BASE/a-share, BASE/b-share  the shared folder's two copies
#   BASE/a.log, BASE/b.log      each daemon's output
#   BASE/a.state, BASE/b.state  "GUI_PORT API_KEY DEVICE_ID" of each side
#   BASE/a.pid, BASE/b.pid
# Safe under "set -euo pipefail" and an ERR trap: failures are return values, never exits. The
# caller's cleanup should run syncpair_stop, or the daemons outlive the test.

syncpair_available() {
    command -v syncthing >/dev/null 2>&1
}

_syncpair_other() {
    if [ "$1" = a ]; then echo b; else echo a; fi
}

# A TCP port no socket here uses and none of the arguments names. Random rather than fixed, so
# that tests running side by side rarely meet.
_syncpair_port() {
    local port hex
    while :; do
        port=$((20000 + RANDOM % 40000))
        printf -v hex ':%04X ' "$port"
        case " $* " in *" $port "*) continue ;; esac
        grep -qs -- "$hex" /proc/net/tcp /proc/net/tcp6 || break
    done
    echo "$port"
}

# One REST call (GET unless a method is given) to a side; the answer without white space, so
# that fields can be matched whatever the indentation. curl where there is one, else Python's
# standard library, so that a minimal system needs nothing more.
_syncpair_rest() {
    local base=$1 side=$2 path=$3 method=${4:-GET} port key id answer
    read -r port key id <"$base/$side.state" || return 1
    if command -v curl >/dev/null 2>&1; then
        answer=$(curl -fs --max-time 10 -X "$method" -H "X-API-Key: $key" \
            "http://127.0.0.1:$port$path") || return 1
    else
        answer=$(python3 -c 'import sys, urllib.request as u
r = u.Request(sys.argv[1], method=sys.argv[2], headers={"X-API-Key": sys.argv[3]})
sys.stdout.write(u.urlopen(r, timeout=10).read().decode())' \
            "http://127.0.0.1:$port$path" "$method" "$key" 2>/dev/null) || return 1
    fi
    printf '%s\n' "${answer//[[:space:]]/}"
}

_syncpair_id() {
    local port key id
    read -r port key id <"$1/$2.state" && echo "$id"
}

# Runs the command until it succeeds or the seconds pass.
_syncpair_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

_syncpair_connected() {
    local base=$1 side other answer entry
    for side in a b; do
        other=$(_syncpair_other $side)
        answer=$(_syncpair_rest "$base" $side /rest/system/connections) || return 1
        # The other device's entry, up to its first "}": no nested object comes before
        # "connected".
        entry=${answer#*\""$(_syncpair_id "$base" "$other")"\":\{}
        [ "$entry" != "$answer" ] && [[ ${entry%%\}*} == *'"connected":true'* ]] || return 1
    done
}

_syncpair_idle() {
    local base=$1 side other answer
    for side in a b; do
        other=$(_syncpair_other $side)
        answer=$(_syncpair_rest "$base" $side "/rest/db/status?folder=places") || return 1
        [[ $answer == *'"state":"idle"'* ]] || return 1
        answer=$(_syncpair_rest "$base" $side \
            "/rest/db/completion?folder=places&device=$(_syncpair_id "$base" "$other")") || return 1
        [[ $answer == *'"completion":100'[,\}]* ]] || return 1
    done
}

# A configuration of our own for one side; of what the command generated only the keys and the
# configuration's version stay. Only a dials: when both dial at once, each daemon's single
# connection handler waits for the Hello on its own outgoing connection while the other's sits
# queued, and the pair connects only after the 20 s Hello timeout. Without discovery, b's
# "dynamic" for a means b never dials.
_syncpair_configure() {
    local base=$1 side=$2 listen=$3 other_address=$4 home=$1/$2-home
    local other gui key id other_id version
    other=$(_syncpair_other "$side")
    read -r gui key id <"$base/$side.state" || return 1
    other_id=$(_syncpair_id "$base" "$other")
    version=$(sed -n 's/.*<configuration version="\([0-9]*\)".*/\1/p' "$home/config.xml")
    cat >"$home/config.xml" <<EOF
<configuration version="$version">
    <folder id="places" label="places" path="$base/$side-share" type="sendreceive"
            rescanIntervalS="5" fsWatcherEnabled="true" fsWatcherDelayS="1">
        <device id="$id"></device>
        <device id="$other_id"></device>
    </folder>
    <device id="$id" name="$side"><address>dynamic</address></device>
    <device id="$other_id" name="$other"><address>$other_address</address></device>
    <gui enabled="true" tls="false"><address>127.0.0.1:$gui</address><apikey>$key</apikey></gui>
    <options>
        <listenAddress>tcp://127.0.0.1:$listen</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <announceLANAddresses>false</announceLANAddresses>
        <urAccepted>-1</urAccepted>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <crashReportingEnabled>false</crashReportingEnabled>
        <startBrowser>false</startBrowser>
        <reconnectionIntervalS>1</reconnectionIntervalS>
    </options>
</configuration>
EOF
}

# Creates both sides (once; a second start over the same base keeps keys, ports and files),
# starts the daemons and waits until they are connected and the folder is in step.
syncpair_start() {
    local base=$1 side ports=() key id
    for side in a b; do
        mkdir -p "$base/$side-home" "$base/$side-share/.stfolder"
    done
    if [ ! -e "$base/b.state" ]; then
        for side in a b; do
            syncthing generate --home="$base/$side-home" --no-default-folder >/dev/null 2>&1 ||
                { echo "syncpair: syncthing generate failed for side $side" >&2; return 1; }
            ports+=("$(_syncpair_port "${ports[@]}")")
            ports+=("$(_syncpair_port "${ports[@]}")")
            key=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
            id=$(syncthing serve --home="$base/$side-home" --device-id) || return 1
            echo "${ports[-1]} $key $id" >"$base/$side.state"
        done
        # ports: a's listen, a's GUI, b's listen, b's GUI.
        _syncpair_configure "$base" a "${ports[0]}" "tcp://127.0.0.1:${ports[2]}" || return 1
        _syncpair_configure "$base" b "${ports[2]}" dynamic || return 1
    fi
    # b first, so that a's first dial finds b listening; a failed dial is retried only after
    # 5 s or more.
    for side in b a; do
        # STMONITORED: without it even --no-restart keeps a monitor process, and a KILL of the
        # recorded pid would leave its child, the real daemon, behind. STHASHING spares the
        # start a second of hashing benchmark.
        STMONITORED=1 STHASHING=minio STNOUPGRADE=1 syncthing serve --home="$base/$side-home" \
            --no-browser --no-restart --no-upgrade --logflags=6 >>"$base/$side.log" 2>&1 &
        echo $! >"$base/$side.pid"
        [ $side = a ] ||
            _syncpair_until 30 _syncpair_rest "$base" $side /rest/system/ping >/dev/null ||
            { echo "syncpair: side $side's REST API does not answer within 30 s; see" \
                "$base/$side.log" >&2; return 1; }
    done
    _syncpair_until 60 _syncpair_connected "$base" ||
        { echo "syncpair: the two daemons did not connect within 60 s; see $base/a.log and" \
            "$base/b.log" >&2; return 1; }
    syncpair_wait_idle "$base"
}

# syncpair_wait_file BASE SIDE RELPATH EXPECTED_SUBSTRING TIMEOUT_S
syncpair_wait_file() {
    _syncpair_until "$5" _syncpair_holds "$1/$2-share/$3" "$4"
}

_syncpair_holds() {
    [ -f "$1" ] && grep -qF -- "$2" "$1"
}

# Both sides scan first, so that a change just made is known before "idle" is believed; the
# scan call returns when the scan is done.
syncpair_wait_idle() {
    local base=$1 side
    for side in a b; do
        _syncpair_rest "$base" $side "/rest/db/scan?folder=places" POST >/dev/null || true
    done
    _syncpair_until 60 _syncpair_idle "$base" ||
        { echo "syncpair: the folder is not in step on both sides within 60 s" >&2; return 1; }
}

syncpair_conflicts() {
    find "$1/a-share" "$1/b-share" -name '*.sync-conflict*' -print | sort
}

# A shutdown request (TERM when the API does not take it), then 15 s before KILL.
syncpair_stop() {
    local base=$1 side pid
    for side in a b; do
        [ -s "$base/$side.pid" ] || continue
        _syncpair_rest "$base" $side /rest/system/shutdown POST >/dev/null ||
            kill -TERM "$(cat "$base/$side.pid")" 2>/dev/null || true
    done
    for side in a b; do
        [ -s "$base/$side.pid" ] || continue
        pid=$(cat "$base/$side.pid")
        if ! _syncpair_until 15 _syncpair_ended "$pid"; then
            kill -KILL "$pid" 2>/dev/null || true
            _syncpair_until 5 _syncpair_ended "$pid" ||
                echo "syncpair: process $pid does not end" >&2
        fi
        wait "$pid" 2>/dev/null || true
        rm -f "$base/$side.pid"
    done
}

_syncpair_ended() {
    ! kill -0 "$1" 2>/dev/null
}

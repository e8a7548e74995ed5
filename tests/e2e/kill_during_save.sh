#!/usr/bin/env bash
# Fault injection: the real program with a settings file of 1,000 albums, ended by SIGTERM (which
# saves) and then SIGKILL at random delays, round after round. After every round the settings file
# holds its old content or the new one (only the active album's line changed), never anything
# else, and keeps its read-only bit when it had one; after the next start no temporary file of it
# remains. Every other round plays through the desktop's media controls, pauses (which ends a
# listening session) and plays on until the kill: in the end every session a pause ended is in the
# profile's history, whose lines all parse but those the kills cut short.
#
#   kill_during_save.sh PROGRAM RESOURCES_FOLDER FIXTURES_FOLDER [ROUNDS]
set -euo pipefail

if [ $# -lt 3 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER FIXTURES_FOLDER [ROUNDS]" >&2
    exit 2
fi
e2e_wrapper=(dbus-run-session --)
source "$(dirname "$0")/own_display.sh"
program=$1
resources=$2
fixtures=$3
rounds=${4:-100}
source "$(dirname "$0")/program.sh"
source "$(dirname "$0")/playerctl.sh"

album="$work/Book"
mkdir -p "$album"
# Long enough that no round reaches its end.
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=900" -b:a 32k "$album/01.mp3"
history="$app/sonnalby.%44efault.history"
printf '<smil><head><title>Book</title></head><body><seq>\r\n<media src="01.mp3"/>\r\n</seq></body></smil>' \
    >"$album/index.wpl"
active="$(internal_path "$album")\\index.wpl"
{
    printf '[Scheme]\r\n<Path>=<Access>=<Title>=<Codepage>=<Records>=<Duration>=<Volume>=<Marks>=<Speed>\r\n'
    printf '<Marks>:=<Path>/<Time>/<Title>|...\r\n\r\n[Default\\mFileList]\r\n'
    printf '%s=2024:03:05:14:07:09=Book=65001=1=3=50=01.mp3/1/|\r\n' "$active"
    for i in $(seq 1 999); do
        printf '\\nowhere\\Album %04d\\index.wpl=2023:01:01:00:00:00=Title %d=65001=12=3600=80=01.mp3/%d/|02.mp3/5/Mark\r\n' \
            "$i" "$i" "$i"
    done
} >"$settings"

# The legend and the album list but the active album's line, which a save may change; other
# sections (the window's placement) are the program's to write.
others() {
    tr -d '\r' <"$1" | ACTIVE="$active=" awk '
        /^\[/ { kept = $0 == "[Scheme]" || $0 == "[Default\\mFileList]" }
        kept && index($0, ENVIRON["ACTIVE"]) != 1'
}
temporaries() {
    find "$app" -maxdepth 1 -name '.sonnalby.dat.tmp-??????' | wc -l
}

old=$(mktemp -p "$work")
paused=0
unchanged=0
saved=0
leftovers=0
for round in $(seq 1 "$rounds"); do
    # Every other round the file is read-only.
    read_only=$((round % 2))
    chmod $([ $read_only = 1 ] && echo 0444 || echo 0644) "$settings"
    cp -p "$settings" "$old"
    start
    if [ $((round % 2)) = 0 ]; then
        wait_for Paused status
        control play
        wait_for Playing status
        sleep "2.$(printf '%03d' $((RANDOM % 1000)))"
        control pause
        wait_for Paused status
        paused=$((paused + 1))
        control play
    fi
    sleep "0.$(printf '%03d' $((RANDOM % 1000)))"
    sleep "$((RANDOM % 3))"
    kill -TERM "$pid" 2>/dev/null || true
    sleep "0.0$(printf '%02d' $((RANDOM % 40)))"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=

    [ -f "$settings" ] || fail "round $round: the settings file is gone"
    if cmp -s "$settings" "$old"; then
        unchanged=$((unchanged + 1))
    else
        cmp -s <(others "$settings") <(others "$old") ||
            fail "round $round: lines other than the active album's changed"
        line=$(setting_line 'Default\mFileList' "$active")
        [[ $line =~ ^[0-9]{4}(:[0-9]{2}){5}=Book=65001=1=[0-9]+=[0-9]+=01\.mp3/[0-9]+/\|?$ ]] ||
            fail "round $round: the active album's line is '$line'"
        [ "$(tail -c 2 "$settings" | od -An -c | tr -d ' ')" = '\r\n' ] ||
            fail "round $round: the file does not end with its last line"
        saved=$((saved + 1))
    fi
    mode=$(stat -c %a "$settings")
    [ $read_only = 0 ] || [ "$mode" = 444 ] || fail "round $round: read-only file left $mode"
    leftovers=$((leftovers + $(temporaries)))
done

# A start that runs to its end removes what the kills left.
chmod 0644 "$settings"
start
window_named '^Sonnalby' >/dev/null
kill -TERM "$pid"
wait_for_end 30 || fail "the last run ended with status $?"
[ "$(temporaries)" = 0 ] || fail "temporary files remain after a start: $(ls "$app")"
# The history: its header, then one session a line; lines the kills cut short are the only others.
[ -f "$history" ] || fail "no history file at $history"
[ "$(head -n 1 "$history")" = "$(printf 'sonnalby-history\t1')" ] || fail "history header '$(head -n 1 "$history")'"
sessions=$(tail -n +2 "$history" |
    grep -cE "^[0-9]+$(printf '\t')[0-9]+($(printf '\t')[0-9]+){2}$(printf '\t')[^$(printf '\t')]+$(printf '\t')[^$(printf '\t')]*01\.mp3$(printf '\t')[0-9a-f]{4}\$" || true)
others=$(($(tail -n +2 "$history" | wc -l) - sessions))
[ "$sessions" -ge "$paused" ] || fail "$paused sessions ended by a pause, $sessions in the history"
[ "$others" -le "$rounds" ] || fail "$others history lines that are no session"
echo "$rounds rounds: $unchanged left the old file, $saved the new one;" \
    "$leftovers temporary files left by kills, none after the next start"
echo "history: $sessions sessions for $paused pauses, $others lines cut short by kills"
echo "kill during save: passed"

#!/usr/bin/env bash
# Fault injection: the real program with a settings file of 1,000 albums, ended by SIGTERM (which
# saves) and then SIGKILL at random delays, round after round. After every round the settings file
# holds its old content or the new one (only the active album's line changed), never anything
# else, and keeps its read-only bit when it had one; after the next start no temporary file of it
# remains.
#
#   kill_during_save.sh PROGRAM RESOURCES_FOLDER FIXTURES_FOLDER [ROUNDS]
set -euo pipefail

if [ $# -lt 3 ]; then
    echo "usage: $0 PROGRAM RESOURCES_FOLDER FIXTURES_FOLDER [ROUNDS]" >&2
    exit 2
fi
source "$(dirname "$0")/own_display.sh"
program=$1
resources=$2
fixtures=$3
rounds=${4:-100}
source "$(dirname "$0")/program.sh"

album="$work/Book"
mkdir -p "$album"
cp "$fixtures/tone440_3s.mp3" "$album/01.mp3"
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
unchanged=0
saved=0
leftovers=0
for round in $(seq 1 "$rounds"); do
    # Every other round the file is read-only.
    read_only=$((round % 2))
    chmod $([ $read_only = 1 ] && echo 0444 || echo 0644) "$settings"
    cp -p "$settings" "$old"
    start
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
echo "$rounds rounds: $unchanged left the old file, $saved the new one;" \
    "$leftovers temporary files left by kills, none after the next start"
echo "kill during save: passed"

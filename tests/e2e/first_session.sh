#!/usr/bin/env bash
# A first listening session of the real program under Xvfb, driven with xdotool: open a folder of
# three MP3 files, play from the Record menu into the second record, end with Alt+X, check the
# album line of the settings file; then start again without a path and check that the program
# stands at the resume mark. A third run adds the profile "Anna" through Profile > Add New, opens
# another album in it, switches back to "Default" and ends; both profiles' albums and window
# places must be in the settings file, and a fourth start finds the window where it was left.
# Two more runs: define a titled bookmark, jump back to it from the Bookmark menu, return with
# Last Unmarked Position, type a volume into the volume box and check the Marks and Volume
# fields; then start again and jump to the bookmark from the menu.
#
#   first_session.sh PROGRAM RESOURCES_FOLDER FIXTURES_FOLDER
#
# The program runs from a copy in a temporary folder, so that its settings file is its own.
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

album="$work/A Tale"
mkdir -p "$album"
# Record lengths 2, 3 and 9 seconds: about four seconds of playback end in the second record, and
# the last is long enough to move about in. Frames without a header of their own join into one
# longer file.
cp "$fixtures/tone660_2s.mp3" "$album/01 Opening.mp3"
cp "$fixtures/tone440_3s.mp3" "$album/02 Middle.mp3"
cat "$fixtures/tone440_3s.mp3" "$fixtures/tone440_3s.mp3" "$fixtures/tone440_3s.mp3" \
    >"$album/03 Closing.mp3"

# The album's key in the settings file.
playlist_key="$(internal_path "$album")\\index.wpl"

# The visible main window of the running program, focused; its id on stdout.
main_window() {
    local id
    id=$(window_named '^Sonnalby')
    timeout 10 xdotool windowfocus --sync "$id" || fail "the main window took no focus"
    echo "$id"
}

# Alt+X, then the program must end by itself, cleanly.
end_with_alt_x() {
    xdotool key --clearmodifiers alt+x
    wait_for_end 30 || fail "the program ended with status $? (run $runs)"
}

# The value of a key in a section of the settings file: section, key.
setting() {
    [ -f "$settings" ] || fail "no settings file beside the program"
    setting_line "$1" "$2"
}

# The value of the album's line in the Default profile's album list.
album_line() {
    setting 'Default\mFileList' "$playlist_key"
}

# Waits until the window's caption is the text.
wait_for_caption() {
    local id=$1 expected=$2 waited=0
    until [ "$(xdotool getwindowname "$id")" = "$expected" ]; do
        [ $waited -lt 100 ] || fail "caption '$(xdotool getwindowname "$id")', expected '$expected'"
        sleep 0.1
        waited=$((waited + 1))
    done
}

# The visible window of the program with that caption, focused; its id on stdout.
dialog_window() {
    local id
    id=$(find_window 30 --all --onlyvisible --pid "$pid" --name "^$1\$") ||
        fail "no window '$1' within 30 s (run $runs)"
    timeout 10 xdotool windowfocus --sync "$id" || fail "the window '$1' took no focus"
    echo "$id"
}

# Opens a menu-bar menu with its Alt key and chooses the entry that many places below its first.
choose_in_menu() {
    local key=$1 downs=$2
    xdotool key --clearmodifiers "$key"
    sleep 0.4
    [ "$downs" -eq 0 ] || xdotool key --delay 60 $(printf 'Down %.0s' $(seq "$downs"))
    xdotool key Return
}

# First run: the folder becomes an album, positioned at its first record without playing.
start "$album"
window=$(main_window)
[ -f "$album/index.wpl" ] || fail "no playlist written in the album folder"
# Choose the first record in the Record menu: it plays, and goes on to the next record.
xdotool key --clearmodifiers alt+r
sleep 0.5
xdotool key Return
sleep 4
end_with_alt_x

line=$(album_line)
[ -n "$line" ] || fail "no album line for $playlist_key"
echo "album line: $line"
IFS='=' read -r access title codepage records duration volume marks <<<"$line"
[[ $access =~ ^[0-9]{4}(:[0-9]{2}){5}$ ]] || fail "access stamp '$access'"
[ "$records" = 3 ] || fail "records '$records', expected 3"
[[ $duration =~ ^[0-9]+$ ]] && [ "$duration" -ge 13 ] && [ "$duration" -le 15 ] ||
    fail "duration '$duration', expected about 14 seconds"
[[ $volume =~ ^[0-9]+$ ]] && [ "$volume" -ge 1 ] && [ "$volume" -le 100 ] ||
    fail "volume '$volume'"
resume=${marks%%|*}
# Stored relative to the album folder: "02 Middle.mp3/1/".
[[ $resume =~ ^(0[23]\ [A-Za-z]+\.mp3)/([0-9]+)/$ ]] || fail "resume mark '$resume'"
record=${BASH_REMATCH[1]}
seconds=${BASH_REMATCH[2]}
[ "$seconds" -le 9 ] || fail "resume mark '$resume' lies past its record's end"
[ "$record" = "03 Closing.mp3" ] || [ "$seconds" -gt 0 ] ||
    fail "resume mark '$resume' at the very start of the second record"
echo "played into $record, resume mark at $seconds s"

# Second run, no path: the album comes back, standing at the resume mark without playing; a
# second Alt+X captures the same mark again, with a later access stamp.
first_access=$access
start
window=$(main_window)
caption=$(xdotool getwindowname "$window")
[ "$caption" = "Sonnalby - $album/index.wpl" ] || fail "window caption '$caption'"
sleep 1.1
end_with_alt_x
again=$(album_line)
IFS='=' read -r access title codepage records duration volume marks <<<"$again"
[[ $access > $first_access ]] || fail "access stamp '$access' not captured anew"
[ "${marks%%|*}" = "$resume" ] || fail "resume mark '${marks%%|*}' after the second run, expected '$resume'"
[ "$records" = 3 ] || fail "records '$records' after the second run"

# Third run: a second family member. Profile > Add New with a typed name, File > Open of a file of
# another album, the Default profile chosen again from the Profile menu, each profile's window
# in a place of its own.
other="$work/Other Book"
mkdir -p "$other"
cp "$fixtures/tone660_2s.mp3" "$other/01 Start.mp3"
start
window=$(main_window)
xdotool windowmove --sync "$window" 200 150
xdotool key --clearmodifiers alt+p
sleep 0.5
xdotool key n
dialog_window "New User" >/dev/null
xdotool type --delay 50 Anna
xdotool key Return
wait_for_caption "$window" "Sonnalby [Anna]"
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
xdotool windowmove --sync "$window" 300 250
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key o
dialog_window "Open Album" >/dev/null
xdotool type --delay 20 "$other/01 Start.mp3"
xdotool key Return
# The file's tag has no title: the program asks for one.
dialog_window "Playlist Title" >/dev/null
xdotool type --delay 50 "Other Book"
xdotool key Return
wait_for_caption "$window" "Sonnalby [Anna] - $other/01 Start.mp3"
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
# The profile items follow Add New and Remove: the last one is "Default".
xdotool key --clearmodifiers alt+p
sleep 0.5
xdotool key Up Return
wait_for_caption "$window" "Sonnalby - $album/index.wpl"
end_with_alt_x

[ "$(setting mProfileList 0)" = Default ] && [ "$(setting mProfileList 1)" = Anna ] ||
    fail "profile list '$(setting mProfileList 0)', '$(setting mProfileList 1)'"
[ -n "$(album_line)" ] || fail "the Default profile lost its album"
other_key="$(internal_path "$other")\\01 Start.mp3"
[ -n "$(setting 'Anna\mFileList' "$other_key")" ] || fail "no album line for $other_key in Anna's list"
[ -z "$(setting 'Anna\mFileList' "$playlist_key")" ] || fail "Anna's list holds Default's album"
for place in "Default 200 150" "Anna 300 250"; do
    read -r profile left top <<<"$place"
    [ "$(setting "$profile" Left)" = "$left" ] && [ "$(setting "$profile" Top)" = "$top" ] ||
        fail "$profile's place $(setting "$profile" Left),$(setting "$profile" Top), expected $left,$top"
done

# Fourth run: the window opens where the Default profile left it.
start
window=$(main_window)
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p')
[ "$geometry" = "200,150" ] || fail "window at '$geometry', expected 200,150"
end_with_alt_x

# The copied program made itself known to the desktop.
grep -qxF "TryExec=$app/sonnalby" "$XDG_DATA_HOME/applications/sonnalby.desktop" ||
    fail "no desktop entry naming $app/sonnalby"

# Fifth run: bookmarks and the volume box in the long last record.
start
window=$(main_window)
choose_in_menu alt+r 2
sleep 1
# Bookmark > Define...: the title asked for, a "/" and an accented letter in it.
choose_in_menu alt+b 0
dialog_window "Bookmark Title" >/dev/null
xdotool key ctrl+a
xdotool type --delay 60 'Closing/é'
xdotool key Return
timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
sleep 2.5
# Back to the bookmark (Define, Clear All, Delete and Rename come before it), then on to where
# that jump started.
choose_in_menu alt+b 4
sleep 0.5
choose_in_menu alt+b 5
# The volume box sits at the right end of the player's controls, above the bottom row.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH - 30)) $((HEIGHT - 31)) click 1
xdotool key ctrl+a
xdotool type --delay 60 42
sleep 0.3
end_with_alt_x

line=$(album_line)
echo "album line: $line"
IFS='=' read -r access title codepage records duration volume marks <<<"$line"
[ "$volume" = 42 ] || fail "volume '$volume', expected the 42 typed into the volume box"
IFS='|' read -r resume bookmark rest <<<"$marks"
[ -z "$rest" ] || fail "more than one bookmark in '$marks'"
# The title in character-reference form: "/" and "é" as references.
[[ $bookmark =~ ^03\ Closing\.mp3/([0-9]+)/Closing\&#47\;\&#233\;$ ]] ||
    fail "bookmark '$bookmark'"
mark=${BASH_REMATCH[1]}
[[ $resume =~ ^03\ Closing\.mp3/([0-9]+)/$ ]] || fail "resume mark '$resume' after the bookmarks"
returned=${BASH_REMATCH[1]}
# Last Unmarked Position went back past the second the jump to the bookmark left.
[ "$returned" -ge $((mark + 2)) ] ||
    fail "resume mark '$resume' not back where the jump to the bookmark at $mark s started"
echo "bookmark at $mark s, back at $returned s, volume $volume"

# Last run: the Bookmark menu lists the mark, and choosing it plays from there.
start
window=$(main_window)
choose_in_menu alt+b 4
sleep 0.3
end_with_alt_x
IFS='=' read -r access title codepage records duration volume marks <<<"$(album_line)"
[ "${marks#*|}" = "$bookmark" ] || fail "bookmarks '${marks#*|}' after the last run"
[ "$volume" = 42 ] || fail "volume '$volume' after the last run"
[[ ${marks%%|*} =~ ^03\ Closing\.mp3/([0-9]+)/$ ]] && [ "${BASH_REMATCH[1]}" -le $((mark + 1)) ] ||
    fail "resume mark '${marks%%|*}', expected the bookmark at $mark s"

echo "first session: passed"

#!/usr/bin/env bash
# Old 8-bit tag titles read in the code page of the desktop's language, as the real program
# under Xvfb meets them: under LANG=de_DE.UTF-8 a folder of Latin-1 ID3v1 titles becomes an
# album with no question, its playlist holding "Café Noir" in UTF-8 and its album line code page
# 1252; under LANG=ru_RU.UTF-8 a single MP3 with a Windows-1251 title asks for the encoding with
# Cyrillic chosen, so that Enter stores "Колобок"; a plain ASCII title asks nothing.
#
#   legacy_titles.sh PROGRAM RESOURCES_FOLDER FIXTURES_FOLDER
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

# An MP3 of the fixture's frames with an ID3v1 block whose title holds the bytes (printf %b).
mp3_titled() {
    local file=$1 title=$2
    cp "$fixtures/tone660_2s.mp3" "$file"
    {
        printf 'TAG'
        printf '%b' "$title"
        head -c $((125 - $(printf '%b' "$title" | wc -c))) /dev/zero
    } >>"$file"
}

album_line() {
    setting_line 'Default\mFileList' "$(internal_path "$1")"
}

# The field of an album line, counted from 0 after the path (0 is the access stamp).
field() {
    cut -d= -f$(($2 + 1)) <<<"$1"
}

chooser_shown() {
    first_window --all --onlyvisible --pid "$pid" --name '^Revise Album Name$' >/dev/null
}

end_with_alt_x() {
    local window
    window=$(window_named '^Sonnalby')
    timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
    xdotool key --clearmodifiers alt+x
    wait_for_end 30 || fail "the program ended with status $? (run $runs)"
}

unset LC_ALL LC_CTYPE LANGUAGE

mkdir -p "$work/Noir"
mp3_titled "$work/Noir/01.mp3" 'Caf\xe9 Noir'
mp3_titled "$work/Noir/02.mp3" 'Cr\xe8me br\xfbl\xe9e'
LANG=de_DE.UTF-8 start "$work/Noir"
window_named '^Sonnalby' >/dev/null
! retry 2 chooser_shown || fail "a folder of Latin-1 titles asked for an encoding"
end_with_alt_x
grep -q 'title="Café Noir"' "$work/Noir/index.wpl" &&
    grep -q 'title="Crème brûlée"' "$work/Noir/index.wpl" ||
    fail "the playlist holds $(grep -a media "$work/Noir/index.wpl")"
line=$(album_line "$work/Noir/index.wpl")
[ "$(field "$line" 2)" = 1252 ] || fail "album line '$line', expected code page 1252"
echo "de_DE: Latin-1 titles read as 'Café Noir', no question, code page 1252"

mp3_titled "$work/kolobok.mp3" '\xca\xee\xeb\xee\xe1\xee\xea'
LANG=ru_RU.UTF-8 start "$work/kolobok.mp3"
retry 30 chooser_shown || fail "no encoding chooser for a Windows-1251 title"
chooser=$(first_window --all --onlyvisible --pid "$pid" --name '^Revise Album Name$')
timeout 10 xdotool windowfocus --sync "$chooser" || fail "the chooser took no focus"
xdotool key Return
end_with_alt_x
line=$(album_line "$work/kolobok.mp3")
[ "$(field "$line" 1)" = '&#1050;&#1086;&#1083;&#1086;&#1073;&#1086;&#1082;' ] &&
    [ "$(field "$line" 2)" = 1251 ] || fail "album line '$line', expected Колобок in 1251"
echo "ru_RU: the chooser opened on Cyrillic, Enter stored 'Колобок'"

mp3_titled "$work/plain.mp3" 'Plain Title'
LANG=ru_RU.UTF-8 start "$work/plain.mp3"
window_named '^Sonnalby' >/dev/null
! retry 2 chooser_shown || fail "an ASCII title asked for an encoding"
end_with_alt_x
line=$(album_line "$work/plain.mp3")
[ "$(field "$line" 1)" = 'Plain Title' ] || fail "album line '$line'"
echo "ASCII title: no question"
echo "legacy titles: passed"

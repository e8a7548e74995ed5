#!/usr/bin/env bash
# Starts the player under Xvfb with three albums of its own (one titled in Cyrillic, one whose
# playlist is missing) and saves two pictures: the window (window.png) and the window with its
# File menu open (file-menu.png), in OUTPUT (default build/screenshots).
#
#   scripts/screenshot.sh [OUTPUT]
#
# The release build is brought up to date first; SONNALBY_BINARY names an already built program
# to use instead. The program runs from a copy in a temporary folder, so that its settings file
# and everything it writes stay there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The part that runs inside the X server: SCRATCH holds the copied program, OUTPUT the pictures.
if [ "${1:-}" = "--inside" ]; then
    scratch=$2
    output=$3
    export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config"
    export XDG_DATA_HOME="$scratch/home/.local/share" XDG_RUNTIME_DIR="$scratch/run"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"

    "$scratch/app/sonnalby" &
    pid=$!
    stop_program() {
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    }
    trap stop_program EXIT

    window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
    if [ -z "$window" ]; then
        echo "The program showed no window." >&2
        exit 1
    fi
    xdotool windowfocus --sync "$window"
    sleep 2
    import -window "$window" "$output/window.png"

    xdotool key alt+f
    sleep 1
    # The menu is a window of its own: take the screen, cut to what is not background.
    import -window root "$scratch/screen.png"
    convert "$scratch/screen.png" -trim +repage "$output/file-menu.png"
    echo "Saved $output/window.png and $output/file-menu.png"
    exit 0
fi

output=$(realpath -m -- "${1:-$root/build/screenshots}")
source "$root/scripts/deps.sh"
sonnalby_install_packages xvfb xauth xdotool imagemagick

binary=${SONNALBY_BINARY:-}
if [ -z "$binary" ]; then
    [ -f "$root/build/release/build.ninja" ] || cmake --preset release -S "$root" >/dev/null
    cmake --build "$root/build/release" --parallel "$(nproc)"
    binary=$root/build/release/sonnalby
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/sonnalby-shot.XXXXXX")
trap 'rm -rf -- "$scratch"' EXIT
mkdir -p "$scratch/app" "$output"
cp -- "$binary" "$scratch/app/sonnalby"
cp -r -- "$root/resources/." "$scratch/app/"

# Inside the program paths have the Windows form, "\" between folders.
internal() {
    printf '%s' "$1" | tr '/' '\\'
}

# A playlist as the program writes it: CR LF between lines, none after the last.
write_playlist() {
    local folder=$1
    shift
    {
        printf '<smil><head><title></title></head><body><seq>'
        local name
        for name in "$@"; do
            printf '\r\n<media src="%s" title=""/>' "$name"
        done
        printf '\r\n</seq></body></smil>'
    } >"$folder/index.wpl"
}

tone3="$root/tests/fixtures/tone440_3s.mp3"
tone2="$root/tests/fixtures/tone660_2s.mp3"
albums=$scratch/albums
mkdir -p "$albums/Quiet-Shore" "$albums/Kniga" "$albums/Lost-Voyage"
cp -- "$tone3" "$albums/Quiet-Shore/01.mp3"
cp -- "$tone2" "$albums/Quiet-Shore/02.mp3"
cp -- "$tone3" "$albums/Quiet-Shore/03.mp3"
write_playlist "$albums/Quiet-Shore" 01.mp3 02.mp3 03.mp3
cp -- "$tone2" "$albums/Kniga/01.mp3"
cp -- "$tone3" "$albums/Kniga/02.mp3"
write_playlist "$albums/Kniga" 01.mp3 02.mp3
# Lost-Voyage keeps no playlist: its album shows disabled.

shore=$(internal "$albums/Quiet-Shore/index.wpl")
kniga=$(internal "$albums/Kniga/index.wpl")
lost=$(internal "$albums/Lost-Voyage/index.wpl")
# "Книга первая" (Book One) in character references.
cyrillic='&#1050;&#1085;&#1080;&#1075;&#1072; &#1087;&#1077;&#1088;&#1074;&#1072;&#1103;'
# Album lines: Path=Access=Title=Codepage=Records=Duration=Volume=Marks, mark paths relative to
# the album's folder.
{
    printf '[mProfileList]\r\n0=Default\r\n\r\n'
    printf '[Default]\r\nLeft=40\r\nTop=40\r\nState=0\r\n\r\n'
    printf '[Default\\mFileList]\r\n'
    printf '%s=2024:03:05:14:07:09=The Quiet Shore=65001=3=8=80=01.mp3/1/|02.mp3/1/Harbour\r\n' \
        "$shore"
    printf '%s=2024:02:11:20:15:00=%s=1251=2=5=100=|\r\n' "$kniga" "$cyrillic"
    printf '%s=2023:12:24:09:30:00=Lost Voyage=65001=12=21600=100=\r\n' "$lost"
} >"$scratch/app/sonnalby.dat"

xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -br" \
    bash "$root/scripts/screenshot.sh" --inside "$scratch" "$output"

#!/usr/bin/env bash
# The Debian package as a user's machine gets it: unpacked into a temporary root with dpkg -x,
# its files where the GNU layout puts them, the installed program's --version, the probe on a
# fixture, the installed program started once (it finds its manual in share/, so it keeps its
# settings in the user's configuration folder, not beside itself), then the desktop entry, the
# AppStream metadata and the package itself through their validators.
#
#   installed_package.sh PACKAGE.deb FIXTURES_FOLDER
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PACKAGE.deb FIXTURES_FOLDER" >&2
    exit 2
fi
package=$1
fixtures=$2

work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

root="$work/root"
dpkg -x "$package" "$root"
usr="$root/usr"
echo "installed tree:"
(cd "$root" && find . -mindepth 1 | sort | sed 's/^\./  /')

[ "$(cd "$root" && ls)" = usr ] || fail "the package installs outside /usr: $(cd "$root" && ls)"
for file in bin/sonnalby bin/sonnalby-probe share/sonnalby/sonnalby.html \
    share/applications/sonnalby.desktop share/metainfo/example.quorvel.sonnalby.metainfo.xml \
    share/icons/hicolor/scalable/apps/sonnalby.svg share/man/man1/sonnalby.1.gz \
    share/man/man1/sonnalby-probe.1.gz share/doc/sonnalby/copyright \
    share/doc/sonnalby/changelog.gz; do
    [ -f "$usr/$file" ] || fail "no /usr/$file"
done
for size in 16 32 48 64 128 256; do
    icon="$usr/share/icons/hicolor/${size}x${size}/apps/sonnalby.png"
    [ -f "$icon" ] || fail "no $size pixel icon"
    # A PNG's width and height: big-endian words at bytes 16 and 20.
    [ "$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //')" = "0 0 $((size >> 8)) $((size & 255)) 0 0 $((size >> 8)) $((size & 255))" ] ||
        fail "the $size pixel icon has another size"
done

version=$(dpkg-deb -f "$package" Version)
[ "$("$usr/bin/sonnalby" --version)" = "Sonnalby $version" ] ||
    fail "--version says '$("$usr/bin/sonnalby" --version)', expected 'Sonnalby $version'"
probe=$("$usr/bin/sonnalby-probe" "$fixtures/tone440_3s.mp3")
[[ $probe == *'"duration": 3, "chapters": []}'* ]] || fail "the probe printed '$probe'"
depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6widgets6 libqt6dbus6 libmpv libicu qt6-qpa-plugins; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[ "$(dpkg-deb -f "$package" Section)" = sound ] || fail "section $(dpkg-deb -f "$package" Section)"

# One start of the installed program, as root, where it could write beside itself: the settings
# go to the configuration folder all the same. The desktop reads the unpacked share/ as it reads
# /usr/share, so the program writes no desktop entry of its own.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_DATA_DIRS="$usr/share"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/Quorvel/Sonnalby/sonnalby.dat"
"$usr/bin/sonnalby" >"$work/run.log" 2>&1 &
pid=$!
waited=0
until [ -f "$settings" ] && grep -q 'mProfileList' "$settings"; do
    [ $waited -lt 300 ] || fail "no settings file at $settings within 30 s: $(cat "$work/run.log")"
    sleep 0.1
    waited=$((waited + 1))
done
kill -TERM "$pid"
wait "$pid" || fail "the installed program ended with status $? on SIGTERM: $(cat "$work/run.log")"
pid=
[ ! -e "$usr/bin/sonnalby.dat" ] || fail "the installed program wrote its settings into bin/"
[ ! -e "$XDG_DATA_HOME/applications/sonnalby.desktop" ] ||
    fail "the installed program wrote a desktop entry of its own"

echo "desktop-file-validate:"
desktop-file-validate "$usr/share/applications/sonnalby.desktop"
echo "appstreamcli validate:"
appstreamcli validate --no-net "$usr/share/metainfo/example.quorvel.sonnalby.metainfo.xml"
echo "lintian:"
lintian --fail-on error,warning "$package"
echo "installed package: passed"

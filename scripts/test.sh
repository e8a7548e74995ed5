#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
sonnalby_install_packages "${SONNALBY_PACKAGES[@]}"
# The sync tool of the shared places test; where the system has no such package that one test
# says it is skipped, and everything else still runs.
sonnalby_install_packages syncthing || echo "syncthing could not be installed: e2e.shared_places will be skipped"

# One test suite also runs under a non-C locale, so that one must exist.
if ! locale -a 2>/dev/null | grep -qi '^en_US\.utf-\?8$'; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" localedef -i en_US -f UTF-8 en_US.UTF-8
fi

# Every include keeps to the layers of src/layers.txt.
"$root/scripts/check-layers.sh" "$root"
# The fuzz targets (clang, the core instrumented), each run once over their saved inputs.
"$root/scripts/fuzz.sh" --check
# The Debian package, built and checked as a user's machine gets it.
"$root/scripts/package.sh" --check

cmake --preset debug -S "$root"
cmake --build "$root/build/debug" --parallel "$(nproc)"

export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
cd "$root"
ctest --preset debug --parallel "$(nproc)"

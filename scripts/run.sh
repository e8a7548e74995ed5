#!/usr/bin/env bash
# Installs what is missing, builds the player and starts it, opening PATH when given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
sonnalby_install_packages "${SONNALBY_PACKAGES[@]}"

cmake --preset release -S "$root" >/dev/null
cmake --build "$root/build/release" --parallel "$(nproc)"

args=()
if [ $# -gt 0 ]; then
    # The program gets an absolute path: it is started from the build folder.
    args=("$(realpath -m -- "$1")")
fi
exec "$root/build/release/sonnalby" "${args[@]}"

#!/usr/bin/env bash
# Builds the Debian package of the player (a release build, installed under /usr):
# build/package/package/sonnalby_<version>_<architecture>.deb, whose path it prints last.
#
#   scripts/package.sh           build the package
#   scripts/package.sh --check   build it, then check it as a user's machine gets it (CI)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
sonnalby_install_packages "${SONNALBY_PACKAGES[@]}"
cd "$root"

# Debian's own compiler and linker flags, hardening included; the dates inside come from the
# last commit, so that one commit gives one package.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git rev-parse --git-dir >/dev/null 2>&1; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
    export SOURCE_DATE_EPOCH
fi

cmake --preset package >/dev/null
cmake --build --preset package --parallel "$(nproc)"
rm -f build/package/package/*.deb
cpack --preset package >/dev/null
package=$(ls build/package/package/*.deb)

if [ "${1:-}" = --check ]; then
    bash tests/package/installed_package.sh "$package" tests/fixtures
fi
echo "$package"

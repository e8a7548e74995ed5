# Sourced by the other scripts: installs the Debian packages the build and tests need.
# Only what is missing is installed; apt-get update runs first, as a fresh machine needs it.

SONNALBY_PACKAGES=(
    # The Debian package and its checks; the desktop's media controls over a session bus.
    qt6-svg-dev dpkg-dev lintian desktop-file-utils appstream dbus-daemon dbus-bin playerctl
    cmake ninja-build g++ pkg-config clang-format
    qt6-base-dev libgl-dev libmpv-dev libicu-dev
    # Records in container formats are read with the FFmpeg that libmpv plays with.
    libavformat-dev libavcodec-dev libavutil-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils trayer openbox locales dbus-daemon
    # What a screen reader meets: the accessibility bus and the AT-SPI bindings the test uses.
    at-spi2-core python3-gi gir1.2-atspi-2.0
    # Another local user's listening socket in the single-copy tests.
    netcat-openbsd
    # The encoders whose files the duration tests measure.
    ffmpeg lame
)

sonnalby_install_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# shellcheck shell=bash disable=SC2034  # the lists are read by the scripts that source this
# Debian packages the build needs, and a function that installs the missing ones.
# Sourced by run.sh and test.sh.
BUILD_PACKAGES="cmake g++ make pkg-config libfreetype-dev libfontconfig-dev libpng-dev fonts-liberation fonts-dejavu-core fonts-wine libsdl2-dev libx11-dev libatk1.0-dev libatk-bridge2.0-dev"
LINT_PACKAGES="clang-format clang-tidy shellcheck python3"
PACKAGE_PACKAGES="dpkg-dev file p7zip-full g++-mingw-w64-i686 g++-mingw-w64-x86-64 librsvg2-bin imagemagick nsis zip lintian desktop-file-utils appstream man-db bash-completion"
TEST_PACKAGES="ccache libgtest-dev libgmock-dev libbenchmark-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 clang xvfb xdotool imagemagick openbox x11-utils x11-xkb-utils at-spi2-core python3-pyatspi dbus weston"

ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing Debian packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Druno need.
# Only missing packages are installed; sudo is used when we are not root.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    # Qt SQL (its headers and CMake files come with qt6-base-dev) and its SQLite driver, which
    # keeps the journal of rounds.
    libqt6sql6 libqt6sql6-sqlite
    # lrelease and lupdate with their CMake functions, and Qt's own translations of its texts.
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libgtest-dev libgmock-dev
    libcanberra-dev sound-theme-freedesktop
    fonts-liberation fontconfig
)
# Building the Debian package (scripts/package.sh).
package_tools=(dpkg-dev file)
case "${1:-}" in
    --test)
        # Sanitizer and fuzz builds, the smoke test on a real X server, and the package with
        # the checks of its files, desktop entry and metainfo.
        packages+=(clang libclang-rt-14-dev clang-format-14 xvfb xauth xdotool x11-utils)
        # The accessibility bus and a listener on it, as a screen reader hears the game.
        packages+=(at-spi2-core dbus python3-pyatspi)
        # A phone's screen: weston (its headless backend and kiosk shell) and Qt's Wayland
        # platform, which the game plays on there.
        packages+=(weston qt6-wayland)
        packages+=("${package_tools[@]}" lintian appstream desktop-file-utils)
        ;;
    --package)
        packages+=("${package_tools[@]}")
        ;;
    --screenshots)
        # The pictures of packaging/screenshots/take.sh: the game on Xvfb, grabbed by xwd.
        packages+=(xvfb xauth xdotool x11-apps netpbm)
        ;;
    --format)
        # The format check (scripts/check-format.sh) alone.
        packages=(clang-format-14)
        ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

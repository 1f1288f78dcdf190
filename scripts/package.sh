#!/usr/bin/env bash
# Builds the Debian package druno_<version>_<arch>.deb: the game and the trace viewer in
# /usr/games, desktop entry, icons, metainfo and manual pages, Depends from dpkg-shlibdeps.
# Usage: scripts/package.sh [--check] [build-dir]
#   --check  also list the package's files, check them, run lintian and validate the desktop
#            entry and the metainfo (what CI does); fails on any finding
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check=false
if [[ "${1:-}" == "--check" ]]; then
    check=true
    shift
fi
build=$(realpath -m "${1:-"$root/build-package"}")

if $check; then
    "$root/scripts/install-deps.sh" --test
else
    "$root/scripts/install-deps.sh" --package
fi

# Debian's own compiler and linker flags (optimisation, all hardening), as a Debian build has
# them, and its way of stripping.
# They are given on every configure: CMake reads CXXFLAGS and LDFLAGS only into a new folder.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=None -DDRUNO_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
    -DCMAKE_STRIP="$root/packaging/strip.sh"
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/druno_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/druno_*.deb)
echo "Package: $deb"
$check || exit 0

"$root/packaging/check-package.sh" "$deb"

#!/usr/bin/env bash
# Installs what is missing, builds Druno with its tests and runs every test.
# Usage: scripts/test.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
shift || true

"$root/scripts/install-deps.sh" --test
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DDRUNO_WERROR=ON "$@"
cmake --build "$build" -j "$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"

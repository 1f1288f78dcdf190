#!/usr/bin/env bash
# Installs what is missing, builds Druno with its tests and runs every test.
# Usage: scripts/test.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-tests"}
shift || true

"$root/scripts/install-deps.sh" --test
# The tests are asked for by name: a build folder that scripts/run.sh or an install set up
# has them switched off in its cache.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DDRUNO_WERROR=ON -DDRUNO_TESTS=ON "$@"
cmake --build "$build" -j "$(nproc)"
cd "$build"
# A build without tests must not pass for a tested one.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j "$(nproc)"

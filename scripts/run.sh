#!/usr/bin/env bash
# Installs what is missing, builds Druno and starts it on the user's display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRUNO_TESTS=OFF
cmake --build "$build" -j "$(nproc)"

if [[ ! -x "$build/druno" ]]; then
    echo "The game window is not built yet."
    exit 1
fi
exec "$build/druno" "$@"

#!/usr/bin/env bash
# Installs what is missing, builds Druno and starts it on the user's display.
# Without a display, set QT_QPA_PLATFORM to play through Qt's VNC platform (see below).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRUNO_TESTS=OFF
cmake --build "$build" -j "$(nproc)" --target druno

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    cat >&2 <<MSG
There is no display to show the game on: neither DISPLAY nor WAYLAND_DISPLAY is set.

Run this script from a terminal of your desktop session, or play through Qt's VNC
platform instead: start the game as a VNC server

    QT_QPA_PLATFORM=vnc:size=480x640:port=5900 $0

and connect a VNC viewer to port 5900 of this machine, for example

    vncviewer localhost:5900

(from another machine: ssh -L 5900:localhost:5900 this-machine, then the same viewer command).
MSG
    exit 1
fi

exec "$build/druno" "$@"

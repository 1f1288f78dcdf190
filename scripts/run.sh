#!/usr/bin/env bash
# Installs what is missing, builds Druno and starts it on the user's display.
# Without a display it says how to play over ssh, or through VNC on a virtual screen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRUNO_TESTS=OFF
cmake --build "$build" -j "$(nproc)" --target druno

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    cat >&2 <<MSG
There is no display to show the game on: neither DISPLAY nor WAYLAND_DISPLAY is set.

Run this script from a terminal of your desktop session. Over ssh, let ssh bring the
game's window to your own desktop (this machine needs the xauth package):

    ssh -X this-machine
    $0

Or play through VNC on a virtual screen that only this machine can reach (needs the
xvfb and x11vnc packages; choose a VNC password once with: x11vnc -storepasswd):

    xvfb-run -n 5 -s "-screen 0 480x640x24" sh -c \\
        'x11vnc -localhost -rfbport 5905 -rfbauth ~/.vnc/passwd -forever -bg && $0'

then, from your desktop: ssh -L 5905:localhost:5905 this-machine, and point a VNC
viewer at localhost:5905. The virtual screen ends with the game.
MSG
    exit 1
fi

exec "$build/druno" "$@"

#!/usr/bin/env bash
# The real program on a phone's screen: a private weston with its headless backend and one
# output of 720 x 1440 pixels at scale 2 (360 x 720 logical), under its kiosk shell, which
# gives every window the whole screen as a phone's shell does. The game, on Qt's Wayland
# platform, plays through its Druno menu (the scripted program's "phone" script), is ended by
# SIGTERM in the middle of a round, and must end cleanly with its settings saved.
# Usage: weston.sh <druno_scripted executable> <work folder>
# Exit code 77: weston is not installed (the test is skipped).
set -euo pipefail
# shellcheck source=tests/smoke/xvfb-lib.sh
source "$(dirname "$0")/xvfb-lib.sh"
scripted=$1
work=$2
require_tools weston

rm -rf "$work"
mkdir -p "$work/home/.config" "$work/game"
# The compositor's socket lies in a runtime folder of the test's own, short enough for a
# socket's path wherever the build folder is.
runtime=$(mktemp -d "${TMPDIR:-/tmp}/druno-weston.XXXXXX")
socket="druno-test-$$"
# Ends what the test started: asked first, killed after ten seconds.
cleanup() {
    local pid
    xvfb_cleanup TERM
    for pid in "${pids[@]}"; do
        for _ in $(seq 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
    done
    rm -rf "$runtime"
}
trap cleanup EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$runtime"
unset DISPLAY

on_fail() {
    echo "--- what the script said"
    cat "$work/script.out"
    echo "--- weston's log (last lines)"
    tail -n 20 "$work/weston.log"
}

# The headless backend takes the output's size in logical pixels and multiplies it by the scale.
# --idle-time=0: the output never blanks, whatever the machine's speed.
weston --backend=headless-backend.so --shell=kiosk-shell.so --width=360 --height=720 \
    --scale=2 --socket="$socket" --idle-time=0 --no-config --log="$work/weston.log" \
    >"$work/weston.out" 2>&1 &
weston_pid=$!
pids+=("$weston_pid")
for _ in $(seq 300); do
    [[ -S "$runtime/$socket" ]] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
[[ -S "$runtime/$socket" ]] || fail "weston did not open its socket $runtime/$socket"

touch "$work/script.out"
WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland DRUNO_SCRIPT=phone \
    DRUNO_TEST_FOLDER="$work/game" DRUNO_GRAB="$work/phone.png" \
    "$scripted" >"$work/script.out" 2>"$work/druno.log" &
druno_pid=$!
pids+=("$druno_pid")
for _ in $(seq 1200); do
    grep -q '^\(playing\|failed: .*\)$' "$work/script.out" && break
    kill -0 "$druno_pid" 2>/dev/null || break
    sleep 0.1
done
grep -qx playing "$work/script.out" || fail "the game did not get to playing"

said() {
    grep -qxF -- "$1" "$work/script.out" || fail "the script did not say \"$1\""
}
# The window is on the compositor, on a screen the size of a phone's, and fills it.
said "platform wayland"
said "screen 360x720 dpr 2"
said "window 360x720"
# The taps typed the guess that the history shows.
guess=$(sed -n 's/^guessed //p' "$work/script.out" | tail -n 1)
grep -q "^history 1\. *$guess " "$work/script.out" || fail "the history does not show $guess"

kill -TERM "$druno_pid"
for _ in $(seq 300); do
    kill -0 "$druno_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$druno_pid" 2>/dev/null && fail "the game did not end after SIGTERM"
wait_status "$druno_pid"
pids=("$weston_pid")
((status == 0)) || fail "the game ended with exit status $status after SIGTERM"

# Section/Key=value, one a line, of the settings file.
ini="$work/game/config/Brantel/Druno.ini"
[[ -f $ini ]] || fail "no settings file at $ini"
settings=$(awk '/^\[.*\]$/ { section = substr($0, 2, length($0) - 2); next }
                /=/ { print section "/" $0 }' "$ini")
for setting in Init/Sound=1 Init/FontSize=100 Init/FontSizeStatus=16 \
    Init.LaF/ShowCancelBtn=1 Init.LaF/NoFullScreenDlg=1 Game/Level=2 Game/Coach=1 \
    Window/Width=360 Window/Height=720; do
    grep -qxF "$setting" <<<"$settings" || fail "$setting missing from $ini"
done
# Wayland does not tell a window where it is: no place is kept.
if grep -q '^Window/\(Left\|Top\)=' <<<"$settings"; then
    fail "a window place was kept on Wayland"
fi
echo "PASS: played on weston (360 x 720 at scale 2), ended by SIGTERM, settings saved"

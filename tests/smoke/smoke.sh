#!/usr/bin/env bash
# Starts the real game on Xvfb, plays a round to a win with synthetic clicks, leaves through
# the menu's Exit and checks that the settings reached the store.
# Usage: smoke.sh <druno executable> <work folder>
# Exit code 77: Xvfb or xdotool missing (the test is skipped).
set -euo pipefail
exe=$1
work=$2

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh --test installs it)"
        exit 77
    fi
done

rm -rf "$work"
mkdir -p "$work/bin" "$work/home/.config" "$work/home/run"
chmod 700 "$work/home/run"
# The statistics file lies next to the program: give it a folder of its own.
cp "$exe" "$work/bin/druno"

pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- program output (last lines)"
    tail -n 40 "$work/druno.log" || true
    exit 1
}

# A private X server; it tells us its display number once it is ready.
Xvfb -displayfd 3 -screen 0 480x640x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
done
[[ -s "$work/display" ]] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home/run"
export QT_QPA_PLATFORM=xcb
"$work/bin/druno" 2>"$work/druno.log" &
druno_pid=$!
pids+=("$druno_pid")

wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Druno$' | head -n 1) ||
    fail "the main window did not appear"

# Opens the "&Druno" menu with Alt+D and picks an item by its accelerator. There is no window
# manager to give the main window the focus back after a message box, so take it first.
menu_item() {
    xdotool windowfocus --sync "$wid"
    xdotool key alt+d
    sleep 0.5
    xdotool key "$1"
}

# Waits until the program's trace has a line matching the pattern.
wait_for_line() {
    for _ in $(seq 100); do
        grep -q -- "$1" "$work/druno.log" && return 0
        sleep 0.1
    done
    fail "no trace line matching '$1'"
}

# New Game from the menu, as a player would with the keyboard.
menu_item n
wait_for_line '^} CMyDrunoDoc::OnNewGame()'
wait_for_line '^guess: [0-9]\{3\}$'
secret=$(grep -m1 '^guess: ' "$work/druno.log" | cut -d' ' -f2)

# The digit strip: 220 x 25 pixels, centred, 10 pixels above the bottom of the game screen,
# which fills the lower left part of the window: its 240 pixels, left of the round's history.
eval "$(xdotool getwindowgeometry --shell "$wid")"
strip_left=$(((240 - 220) / 2))
strip_mid_y=$((HEIGHT - 35 + 12))
for ((i = 0; i < 3; i++)); do
    digit=${secret:i:1}
    xdotool mousemove --window "$wid" $((strip_left + digit * 20 + 10)) "$strip_mid_y" click 1
    sleep 0.3
done
wait_for_line "^index=${secret:2:1}$"

# "WON!" shows in a message box whose OK button has the focus. On the very first counted game
# a note that the statistics file could not be read comes first (there is none yet).
for _ in $(seq 5); do
    sleep 1
    grep -q '^} CMyDrunoDoc::StopPlaying()' "$work/druno.log" && break
    xdotool key Return
done
wait_for_line '^} CMyDrunoDoc::StopPlaying()'

# Leave through the menu's E&xit.
menu_item x
for _ in $(seq 100); do
    kill -0 "$druno_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$druno_pid" 2>/dev/null && fail "the program did not end after Exit"
wait "$druno_pid" || fail "the program ended with an error"

ini="$work/home/.config/Brantel/Druno.ini"
[[ -f "$ini" ]] || fail "no settings file at $ini"
for key in Sound=1 FontSize=100 FontSizeStatus=16 ShowCancelBtn=1 NoFullScreenDlg=1; do
    grep -q "^$key\$" "$ini" || fail "$key missing from $ini"
done
[[ -s "$work/bin/Druno.sta" ]] || fail "no statistics file next to the program"
grep -q '^fRead==false /\* write \*/$' "$work/druno.log" || fail "the settings were not saved"
echo "PASS: a round won on Xvfb, settings saved"

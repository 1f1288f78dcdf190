#!/usr/bin/env bash
# Starts the real game on Xvfb and plays it with real keys: the view is painted once before
# the program is under way; a held digit or Backspace types once, however long the X server
# repeats it; keypad Delete with NumLock off deletes; digits still reach the round after Tab
# has moved the focus to the command bar.
# Usage: keys.sh <druno executable> <work folder>
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

wait_for_line() {
    for _ in $(seq 100); do
        grep -q -- "$1" "$work/druno.log" && return 0
        sleep 0.1
    done
    fail "no trace line matching '$1'"
}

# How many trace lines match since the round started.
count_taps() {
    sed -n '/^} CMyDrunoDoc::OnNewGame()/,$p' "$work/druno.log" | grep -c -- "$1" || true
}

# Waits until the round has seen this many taps on the delete cell (cell 10).
wait_for_deletes() {
    for _ in $(seq 100); do
        [[ $(count_taps '^index=10$') -ge $1 ]] && return 0
        sleep 0.1
    done
    fail "expected $1 taps on the delete cell, saw $(count_taps '^index=10$')"
}

wait_for_line '^} CMyDrunoApp::InitInstance()'
paints=$(sed -n '1,/^} CMyDrunoApp::InitInstance()/p' "$work/druno.log" |
    grep -c '^CMyDrunoView::OnDraw() {$' || true)
[[ $paints -eq 1 ]] || fail "the view was painted $paints times at start-up, not once"

xdotool windowfocus --sync "$wid"
xdotool key ctrl+n
wait_for_line '^} CMyDrunoDoc::OnNewGame()'
wait_for_line '^guess: [0-9]\{3\}$'
secret=$(grep -m1 '^guess: ' "$work/druno.log" | cut -d' ' -f2)
# A digit that is not in the secret, so that no guess is completed by accident.
for digit in 0 1 2 3 4 5 6 7 8 9; do
    [[ $secret == *$digit* ]] || break
done

# Held far beyond the server's repeat delay (660 ms), long enough for a score of repeats.
xdotool keydown "$digit"
sleep 1.5
xdotool keyup "$digit"
# Keypad Delete with NumLock off; its tap shows that the held digit's events are all in.
xdotool key KP_Delete
wait_for_deletes 1
[[ $(count_taps "^index=$digit\$") -eq 1 ]] ||
    fail "a held $digit typed $(count_taps "^index=$digit\$") times"

# A held Backspace deletes once: the second tap on the delete cell finds nothing to delete.
xdotool key "$digit"
xdotool keydown BackSpace
sleep 1.5
xdotool keyup BackSpace
xdotool key KP_Delete
wait_for_deletes 3
[[ $(count_taps '^index=10$') -eq 3 ]] ||
    fail "a held Backspace deleted $(($(count_taps '^index=10$') - 2)) times"

# Tab leaves the game screen for the command bar; the digit still reaches the round.
xdotool key Tab
xdotool key "$digit"
xdotool key KP_Delete
wait_for_deletes 4
[[ $(count_taps "^index=$digit\$") -eq 3 ]] || fail "a digit typed after Tab was lost"

echo "PASS: held keys type once, keypad Delete deletes, digits reach the round after Tab"

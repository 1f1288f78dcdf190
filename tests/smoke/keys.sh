#!/usr/bin/env bash
# Starts the real game on Xvfb and plays it with real keys: the view is painted once before
# the program is under way; a held digit or Backspace types once, however long the X server
# repeats it; keypad Delete with NumLock off deletes; digits still reach the round after Tab
# has moved the focus to the command bar; the key that wins a round, released while the WON! box
# is up, types again in the next round.
# Usage: keys.sh <druno executable> <work folder>
# Exit code 77: Xvfb or xdotool missing (the test is skipped).
set -euo pipefail
# shellcheck source=tests/smoke/xvfb-lib.sh
source "$(dirname "$0")/xvfb-lib.sh"
begin_game_on_xvfb "$@"

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

new_game_by_key
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

# Win the round from the command bar. The last digit is let go only once the WON! box is up,
# as a player typing at an ordinary pace does: the box takes its release.
for ((i = 0; i < ${#secret} - 1; i++)); do
    xdotool key "${secret:i:1}"
done
last=${secret: -1}
xdotool keydown "$last"
for _ in $(seq 100); do
    (($(shown_windows) > 1)) && break
    sleep 0.1
done
(($(shown_windows) > 1)) || fail "no WON! box after the winning digit"
sleep 0.15
xdotool keyup "$last"
xdotool key Return
wait_for_boxes_closed
# The next round: that same key, then another, each types once.
new_game_by_key 2
for other in 0 1 2 3 4 5 6 7 8 9; do
    [[ $other != "$last" ]] && break
done
xdotool key "$last" "$other"
xdotool key KP_Delete
# How many trace lines match since the latest round started.
next_round_taps() {
    tac "$work/druno.log" | sed '/^} CMyDrunoDoc::OnNewGame()$/q' | grep -c -- "$1" || true
}
for _ in $(seq 100); do
    [[ $(next_round_taps '^index=10$') -ge 1 ]] && break
    sleep 0.1
done
[[ $(next_round_taps "^index=$last\$") -eq 1 ]] ||
    fail "the key that won the last round typed $(next_round_taps "^index=$last\$") times in the next"
[[ $(next_round_taps "^index=$other\$") -eq 1 ]] || fail "a digit after it was lost"

echo "PASS: held keys type once, keypad Delete deletes, digits reach the round after Tab," \
    "the key that won a round types in the next"

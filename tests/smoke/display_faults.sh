#!/usr/bin/env bash
# The real game on Xvfb, meeting two faults of its surroundings:
# - the X server goes away under it in the middle of a round (a logout, a crash): the game ends
#   with exit code 1, as Qt ends a program that lost its display, and not with a crash; the
#   round counts as lost and the settings are saved, as a close would have done; and when it
#   goes away while the WON! or "Game Over!" box is open, the round counts once, as it ended;
#   settings that cannot be saved then are told on the error stream, with no display for a box;
# - it is started with its error stream closed (`druno 2>&-`): the X connection, opened later,
#   must not take that descriptor and receive the trace; the window stays, and SIGTERM ends
#   the game with exit code 0 and its settings saved.
# Usage: display_faults.sh <druno executable> <work folder>
# Exit code 77: Xvfb or xdotool missing (the test is skipped).
set -euo pipefail
# shellcheck source=tests/smoke/xvfb-lib.sh
source "$(dirname "$0")/xvfb-lib.sh"
begin_xvfb_test "$@"
trap 'xvfb_cleanup KILL' EXIT
fail_tail=20

games_lost() {
    local counts
    counts=$(stat_counts "$work/bin/Druno.sta")
    echo "${counts##* }"
}

# 1. The X server goes away in the middle of a round. An empty statistics record to start with.
write_empty_statistics "$work/bin/Druno.sta"
start_xvfb
start_druno
wait_for_window
# New Game from the menu, with the keyboard.
menu_item n
wait_for_line '^} CMyDrunoDoc::OnNewGame()'
kill_xvfb
wait_status "$druno_pid"
[[ $status == 1 ]] || fail "after the X server went away: exit status $status, expected 1"
[[ $(games_lost) == 1 ]] || fail "after the X server went away: $(games_lost) games lost, expected 1"
grep -q '^FontSize=100$' "$work/home/.config/Brantel/Druno.ini" 2>/dev/null ||
    fail "after the X server went away: the settings were not saved"

# 2. The X server goes away while the box that ends a round is open (WON!, or "Game Over!"
# after ten wrong guesses): the round was counted when it ended, and nothing more is counted.
# $1: win or lose; $2: the counts expected, "played won lost".
lose_display_with_end_box_open() {
    write_empty_statistics "$work/bin/Druno.sta"
    start_xvfb
    start_druno
    wait_for_window
    local secret guess keys=()
    new_game_by_key
    if [[ $1 == win ]]; then
        guess=$secret
        keys=("${secret:0:1}" "${secret:1:1}" "${secret:2:1}")
    else
        guess=123
        [[ $secret == 123 ]] && guess=321
        for _ in $(seq 10); do
            keys+=("${guess:0:1}" "${guess:1:1}" "${guess:2:1}")
        done
    fi
    xdotool key --delay 30 "${keys[@]}"
    # The box is a second window with the program's name.
    local windows=0
    for _ in $(seq 100); do
        windows=$(shown_windows)
        ((windows >= 2)) && break
        sleep 0.1
    done
    ((windows >= 2)) || fail "$1: the box that ends the round did not appear"
    kill_xvfb
    wait_status "$druno_pid"
    [[ $status == 1 ]] || fail "$1, box open, X server gone: exit status $status, expected 1"
    local counts
    counts=$(stat_counts "$work/bin/Druno.sta")
    [[ $counts == "$2" ]] ||
        fail "$1, box open, X server gone: counted $counts (played won lost), expected $2"
}
lose_display_with_end_box_open win "1 1 0"
lose_display_with_end_box_open lose "1 0 1"

# 2b. The display goes away, and the settings cannot be saved (a folder stands where the file
# would be): with no display left for a box, the error stream tells the player.
write_empty_statistics "$work/bin/Druno.sta"
rm -f "$work/home/.config/Brantel/Druno.ini"
mkdir -p "$work/home/.config/Brantel/Druno.ini"
start_xvfb
start_druno
wait_for_window
kill_xvfb
wait_status "$druno_pid"
[[ $status == 1 ]] || fail "settings unusable, X server gone: exit status $status, expected 1"
grep -qxF "The settings could not be saved in $work/home/.config/Brantel/Druno.ini." \
    "$work/druno.log" || fail "settings unusable, X server gone: the player was not told"
rmdir "$work/home/.config/Brantel/Druno.ini"

# 3. Started with the error stream closed: the window appears, and stays until SIGTERM.
start_xvfb
rm -f "$work/home/.config/Brantel/Druno.ini"
: >"$work/druno.log"
"$work/bin/druno" 2>&- &
druno_pid=$!
pids+=("$druno_pid")
wait_for_window
kill -TERM "$druno_pid"
wait_status "$druno_pid"
[[ $status == 0 ]] || fail "started with 2>&-: exit status $status after SIGTERM, expected 0"
grep -q '^FontSize=100$' "$work/home/.config/Brantel/Druno.ini" 2>/dev/null ||
    fail "started with 2>&-: the settings were not saved"
echo "PASS: the display lost ends with 1 and keeps the round and settings, counted once, or says on the error stream that the settings were not saved; a closed error stream leaves the X connection alone"

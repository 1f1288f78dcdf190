#!/usr/bin/env bash
# The real game on Xvfb, meeting two faults of its surroundings:
# - the X server goes away under it in the middle of a round (a logout, a crash): the game ends
#   with exit code 1, as Qt ends a program that lost its display, and not with a crash; the
#   round counts as lost and the settings are saved, as a close would have done; and when it
#   goes away while the WON! or "Game Over!" box is open, the round counts once, as it ended;
# - it is started with its error stream closed (`druno 2>&-`): the X connection, opened later,
#   must not take that descriptor and receive the trace; the window stays, and SIGTERM ends
#   the game with exit code 0 and its settings saved.
# Usage: display_faults.sh <druno executable> <work folder>
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
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home/run"
export QT_QPA_PLATFORM=xcb

pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill -9 "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- program output (last lines)"
    tail -n 20 "$work/druno.log" 2>/dev/null || true
    exit 1
}

# A private X server; sets xvfb_pid and DISPLAY once it is ready.
start_xvfb() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 480x640x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    pids+=("$xvfb_pid")
    for _ in $(seq 200); do
        [[ -s "$work/display" ]] && break
        sleep 0.1
    done
    [[ -s "$work/display" ]] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$work/display")"
}

# Sets wid to the main window once it is shown.
wait_for_window() {
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Druno$' | head -n 1) ||
        fail "the main window did not appear"
}

wait_for_line() {
    for _ in $(seq 100); do
        grep -q -- "$1" "$work/druno.log" && return 0
        sleep 0.1
    done
    fail "no trace line matching '$1'"
}

# A word of the statistics file's one record, by its offset, scrambled with 0x5A.
stat_word() {
    [[ $(stat -c %s "$work/bin/Druno.sta") == 36 ]] || fail "the statistics file is not one record"
    local b
    read -r -a b < <(od -An -tu1 -j"$1" -N4 "$work/bin/Druno.sta")
    echo $(((b[0] ^ 90) | (b[1] ^ 90) << 8 | (b[2] ^ 90) << 16 | (b[3] ^ 90) << 24))
}

# "played won lost"
games_counted() {
    echo "$(stat_word 8) $(stat_word 12) $(stat_word 20)"
}

games_lost() {
    stat_word 20
}

# Sets status to the exit status of a process of this shell, once it has ended.
wait_status() {
    status=0
    wait "$1" || status=$?
}

# 1. The X server goes away in the middle of a round. An empty statistics record to start with.
printf 'Z%.0s' $(seq 36) >"$work/bin/Druno.sta"
start_xvfb
"$work/bin/druno" 2>"$work/druno.log" &
druno_pid=$!
pids+=("$druno_pid")
wait_for_window
# New Game from the menu, with the keyboard.
xdotool windowfocus --sync "$wid"
xdotool key alt+d
sleep 0.5
xdotool key n
wait_for_line '^} CMyDrunoDoc::OnNewGame()'
{
    kill -9 "$xvfb_pid"
    wait "$xvfb_pid"
} 2>/dev/null || true
wait_status "$druno_pid"
[[ $status == 1 ]] || fail "after the X server went away: exit status $status, expected 1"
[[ $(games_lost) == 1 ]] || fail "after the X server went away: $(games_lost) games lost, expected 1"
grep -q '^FontSize=100$' "$work/home/.config/Brantel/Druno.ini" 2>/dev/null ||
    fail "after the X server went away: the settings were not saved"

# 2. The X server goes away while the box that ends a round is open (WON!, or "Game Over!"
# after ten wrong guesses): the round was counted when it ended, and nothing more is counted.
# $1: win or lose; $2: the counts expected, "played won lost".
lose_display_with_end_box_open() {
    printf 'Z%.0s' $(seq 36) >"$work/bin/Druno.sta"
    : >"$work/druno.log"
    start_xvfb
    "$work/bin/druno" 2>"$work/druno.log" &
    druno_pid=$!
    pids+=("$druno_pid")
    wait_for_window
    xdotool windowfocus --sync "$wid"
    xdotool key ctrl+n
    wait_for_line '^} CMyDrunoDoc::OnNewGame()'
    wait_for_line '^guess: [0-9]\{3\}$'
    local secret guess keys=()
    secret=$(grep -m 1 '^guess: [0-9]' "$work/druno.log" | cut -c8-)
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
        windows=$(xdotool search --onlyvisible --name '^Druno$' 2>/dev/null | wc -l) || true
        ((windows >= 2)) && break
        sleep 0.1
    done
    ((windows >= 2)) || fail "$1: the box that ends the round did not appear"
    {
        kill -9 "$xvfb_pid"
        wait "$xvfb_pid"
    } 2>/dev/null || true
    wait_status "$druno_pid"
    [[ $status == 1 ]] || fail "$1, box open, X server gone: exit status $status, expected 1"
    [[ $(games_counted) == "$2" ]] ||
        fail "$1, box open, X server gone: counted $(games_counted) (played won lost), expected $2"
}
lose_display_with_end_box_open win "1 1 0"
lose_display_with_end_box_open lose "1 0 1"

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
echo "PASS: the display lost ends with 1 and keeps the round and settings, counted once; a closed error stream leaves the X connection alone"

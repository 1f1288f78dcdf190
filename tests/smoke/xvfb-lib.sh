# shellcheck shell=bash
# Shared by the scripts that run the real game on a private X server (Xvfb) and drive it with
# xdotool: the tests in this folder and packaging/screenshots/take.sh. Source it after setting
# `work` (the script's work folder); it defines the functions below. Every process started
# through it is ended by xvfb_cleanup, which the script calls on exit.

pids=()                    # the game and other processes to end
declare -A xvfb_display=() # X servers still to be ended: their display numbers by process id

# Exit code 77 (skipped) unless every tool named is installed.
require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is not installed (scripts/install-deps.sh --test installs it)"
            exit 77
        fi
    done
}

# Says what went wrong with the last lines of the game's trace ($fail_tail of them), runs the
# script's on_fail when it has one, and ends the script.
fail() {
    echo "FAIL: $*"
    echo "--- program output (last lines)"
    tail -n "${fail_tail:-40}" "$work/druno.log" 2>/dev/null || true
    if declare -F on_fail >/dev/null; then
        on_fail || true
    fi
    exit 1
}

# The start of a test: its arguments are the game's executable and the work folder; skipped
# without Xvfb or xdotool.
begin_xvfb_test() {
    work=$2
    require_tools Xvfb xdotool
    prepare_work "$1"
}

# The start most tests share: begin_xvfb_test, then a private X server with the game on it,
# its main window shown (wid set); everything started is ended when the script exits.
begin_game_on_xvfb() {
    begin_xvfb_test "$@"
    trap xvfb_cleanup EXIT
    start_xvfb
    start_druno
    wait_for_window
}

# A fresh work folder with a copy of the game in bin/ (its statistics file lies next to it)
# and a private home, which the environment then points to.
prepare_work() {
    local exe=$1
    rm -rf "$work"
    mkdir -p "$work/bin" "$work/home/.config" "$work/home/run"
    chmod 700 "$work/home/run"
    cp "$exe" "$work/bin/druno"
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_DATA_HOME="$work/home/.local/share" XDG_RUNTIME_DIR="$work/home/run"
    export QT_QPA_PLATFORM=xcb
}

# Starts a private X server and waits until it is ready; sets xvfb_pid and DISPLAY.
start_xvfb() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 480x640x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    xvfb_display[$xvfb_pid]=""
    for _ in $(seq 200); do
        [[ -s "$work/display" ]] && break
        sleep 0.1
    done
    [[ -s "$work/display" ]] || fail "Xvfb did not start"
    xvfb_display[$xvfb_pid]=$(head -n 1 "$work/display")
    export DISPLAY=":${xvfb_display[$xvfb_pid]}"
}

# Ends an X server with a signal. One killed outright cannot remove its socket and lock
# files, so they are removed for it.
stop_xvfb() {
    local pid=$1 signal=$2 display=${xvfb_display[$1]}
    unset "xvfb_display[$pid]"
    {
        kill "-$signal" "$pid"
        wait "$pid"
    } 2>/dev/null || true
    if [[ $signal == KILL && -n $display ]]; then
        rm -f "/tmp/.X11-unix/X$display" "/tmp/.X$display-lock"
    fi
}

# Takes the X server away at once, as a crash would.
kill_xvfb() {
    stop_xvfb "$xvfb_pid" KILL
}

# Ends every process started, with the signal given (TERM by default).
xvfb_cleanup() {
    local signal=${1:-TERM} pid
    for pid in "${pids[@]}"; do
        kill "-$signal" "$pid" 2>/dev/null || true
    done
    for pid in "${!xvfb_display[@]}"; do
        stop_xvfb "$pid" "$signal"
    done
}

# Starts the game in the work folder with its trace in druno.log; sets druno_pid.
start_druno() {
    "$work/bin/druno" 2>"$work/druno.log" &
    druno_pid=$!
    pids+=("$druno_pid")
}

# Sets wid to the main window once it is shown.
wait_for_window() {
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Druno$' | head -n 1) ||
        fail "the main window did not appear"
}

# Opens the "&Druno" menu with Alt+D and picks an item by its accelerator. There is no window
# manager to give the main window the focus back after a message box, so take it first.
menu_item() {
    xdotool windowfocus --sync "$wid"
    xdotool key alt+d
    sleep 0.5
    xdotool key "$1"
}

# How many windows of the game show: the main window, and a message box while one is up.
shown_windows() {
    xdotool search --onlyvisible --name '^Druno$' 2>/dev/null | wc -l || true
}

# Waits until the game shows no message box.
wait_for_boxes_closed() {
    for _ in $(seq 100); do
        (($(shown_windows) <= 1)) && return 0
        sleep 0.1
    done
    fail "a message box stayed open"
}

# Waits until the game's trace has a line matching the pattern ($2 of them, 1 by default).
wait_for_line() {
    for _ in $(seq 100); do
        [[ $(grep -c -- "$1" "$work/druno.log") -ge ${2:-1} ]] && return 0
        sleep 0.1
    done
    fail "no trace line matching '$1'"
}

# Starts a round with Ctrl+N and waits until it is under way; sets secret to its number.
new_game_by_key() {
    xdotool windowfocus --sync "$wid"
    xdotool key ctrl+n
    wait_for_line '^} CMyDrunoDoc::OnNewGame()' "${1:-1}"
    wait_for_line '^guess: [0-9]\{3\}$' "${1:-1}"
    secret=$(round_secret)
}

# The secret of the round begun last, from the trace.
round_secret() {
    grep '^guess: [0-9]\{3\}$' "$work/druno.log" | tail -n 1 | cut -d' ' -f2
}

# Taps a cell of the digit strip (0 to 9; 10 deletes). The strip is 220 x 25 pixels, centred
# in the game screen 10 pixels above its bottom; the screen fills the window's left 240
# pixels and its whole height below the command bar, left of the round's history.
tap_cell() {
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    xdotool mousemove --window "$wid" $(((240 - 220) / 2 + $1 * 20 + 10)) \
        $((HEIGHT - 35 + 12)) click 1
    sleep 0.3
}

# Answers message boxes with Return (their default button) until the trace has a line
# matching the pattern.
answer_boxes_until() {
    for _ in $(seq 5); do
        sleep 1
        grep -q -- "$1" "$work/druno.log" && return 0
        xdotool key Return
    done
    wait_for_line "$1"
}

# A statistics file of one empty record: 36 zero bytes, each XORed with 0x5A.
write_empty_statistics() {
    printf 'Z%.0s' $(seq 36) >"$1"
}

# "played won lost" of a statistics file of one record.
stat_counts() {
    [[ $(stat -c %s "$1") == 36 ]] || fail "the statistics file $1 is not one record"
    local offset b words=()
    for offset in 8 12 20; do
        read -r -a b < <(od -An -tu1 -j"$offset" -N4 "$1")
        words+=($(((b[0] ^ 90) | (b[1] ^ 90) << 8 | (b[2] ^ 90) << 16 | (b[3] ^ 90) << 24)))
    done
    echo "${words[*]}"
}

# Sets status to the exit status of a process of this shell, once it has ended.
wait_status() {
    status=0
    wait "$1" || status=$?
}

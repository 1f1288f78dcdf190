#!/usr/bin/env bash
# Takes the pictures that the AppStream metainfo lists: a round in play (round.png) and the
# statistics after a won and a lost round (statistics.png). Runs the real game on Xvfb,
# driven by synthetic clicks and keys. Needs Xvfb, xdotool, xwd (x11-apps) and netpbm.
# Usage: packaging/screenshots/take.sh <druno executable> [output folder]
# With KEEP=1 the work folder (the game's trace, a picture of the screen on failure) stays.
set -euo pipefail
exe=$(realpath "$1")
out=$(realpath "${2:-$(dirname "$0")}")
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    [[ -n ${KEEP:-} ]] || rm -rf "$work"; echo "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    tail -n 20 "$work/druno.log" >&2 || true
    [[ -n ${KEEP:-} ]] && xwd -silent -root | xwdtopnm 2>/dev/null | pnmtopng >"$work/failed.png"
    exit 1
}

mkdir -p "$work/bin" "$work/home/.config" "$work/home/run"
chmod 700 "$work/home/run"
cp "$exe" "$work/bin/druno"

Xvfb -displayfd 3 -screen 0 480x640x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 200); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
done
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/home/run"
export XDG_DATA_HOME="$work/home/.local/share" QT_QPA_PLATFORM=xcb
"$work/bin/druno" 2>"$work/druno.log" &
pids+=($!)
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Druno$' | head -n 1) ||
    fail "the main window did not appear"

menu_item() {
    xdotool windowfocus --sync "$wid"
    xdotool key alt+d
    sleep 0.5
    xdotool key "$1"
}
wait_for_line() {
    for _ in $(seq 100); do
        [[ $(grep -c -- "$1" "$work/druno.log") -ge ${2:-1} ]] && return 0
        sleep 0.1
    done
    fail "no trace line matching '$1'"
}
tap() {
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    # The game screen is the window's left 240 pixels; the history panel stands beside it.
    xdotool mousemove --window "$wid" $(((240 - 220) / 2 + $1 * 20 + 10)) \
        $((HEIGHT - 35 + 12)) click 1
    sleep 0.3
}
# Answers message boxes with Return until the trace has the line that ends the round.
end_round() {
    for _ in $(seq 5); do
        sleep 1
        grep -q -- "$1" "$work/druno.log" && return 0
        xdotool key Return
    done
    fail "the round did not end"
}
shoot() {
    sleep 0.5
    xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng >"$out/$2"
    echo "wrote $out/$2"
}

# A round with two guesses: the secret's digits turned round, then its first digit alone right.
menu_item n
wait_for_line '^guess: [0-9]\{3\}$'
secret=$(grep -m1 '^guess: ' "$work/druno.log" | cut -d' ' -f2)
for d in "${secret:1:1}" "${secret:2:1}" "${secret:0:1}"; do tap "$d"; done
others=$(echo 0123456789 | tr -d "$secret")
for d in "${secret:0:1}" "${others:0:1}" "${others:1:1}"; do tap "$d"; done
shoot "$wid" round.png

# Win it, lose the next one, and show the statistics.
for d in "${secret:0:1}" "${secret:1:1}" "${secret:2:1}"; do tap "$d"; done
end_round '^} CMyDrunoDoc::StopPlaying()'
menu_item n
wait_for_line '^guess: [0-9]\{3\}$' 2
menu_item a
sleep 0.5
xdotool key Return
end_round '^} GameStatisticsAddLost()'
# The solution comes last, in a box of its own.
sleep 0.5
xdotool key Return
menu_item s
# The statistics dialog, once the box with the solution has gone.
dlg=""
for _ in $(seq 100); do
    dlg=$(xdotool search --onlyvisible --name '^Statistics$' | tail -n 1 || true)
    [[ -n $dlg ]] && break
    sleep 0.1
done
[[ -n $dlg ]] || fail "the statistics did not appear"
shoot "$dlg" statistics.png

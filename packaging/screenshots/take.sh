#!/usr/bin/env bash
# Takes the pictures that the AppStream metainfo lists: a round in play (round.png) and the
# statistics after a won and a lost round (statistics.png). Runs the real game on Xvfb,
# driven by synthetic clicks and keys. Needs Xvfb, xdotool, xwd (x11-apps) and netpbm
# (scripts/install-deps.sh --screenshots installs them).
# Usage: packaging/screenshots/take.sh <druno executable> [output folder]
# With KEEP=1 the work folder (the game's trace, a picture of the screen on failure) stays.
set -euo pipefail
exe=$(realpath "$1")
out=$(realpath "${2:-$(dirname "$0")}")
work=$(mktemp -d)
# shellcheck source=tests/smoke/xvfb-lib.sh
source "$(dirname "$(realpath "$0")")/../../tests/smoke/xvfb-lib.sh"

require_tools Xvfb xdotool xwd xwdtopnm pnmtopng
cleanup() {
    xvfb_cleanup
    [[ -n ${KEEP:-} ]] || rm -rf "$work"
    echo "$work"
}
trap cleanup EXIT
fail_tail=20
on_fail() {
    [[ -n ${KEEP:-} ]] && xwd -silent -root | xwdtopnm 2>/dev/null | pnmtopng >"$work/failed.png"
}
shoot() {
    sleep 0.5
    xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng >"$out/$2"
    echo "wrote $out/$2"
}

prepare_work "$exe"
start_xvfb
start_druno
wait_for_window

# A round with two guesses: the secret's digits turned round, then its first digit alone right.
menu_item n
wait_for_line '^guess: [0-9]\{3\}$'
secret=$(round_secret)
for d in "${secret:1:1}" "${secret:2:1}" "${secret:0:1}"; do tap_cell "$d"; done
others=$(echo 0123456789 | tr -d "$secret")
for d in "${secret:0:1}" "${others:0:1}" "${others:1:1}"; do tap_cell "$d"; done
shoot "$wid" round.png

# Win it, lose the next one, and show the statistics.
for d in "${secret:0:1}" "${secret:1:1}" "${secret:2:1}"; do tap_cell "$d"; done
answer_boxes_until '^} CMyDrunoDoc::StopPlaying()'
menu_item n
wait_for_line '^} CMyDrunoDoc::OnNewGame()' 2
menu_item a
sleep 0.5
xdotool key Return
answer_boxes_until '^} GameStatisticsAddLost()'
# The solution comes last, in a box of its own.
sleep 0.5
xdotool key Return
wait_for_boxes_closed
menu_item s
dlg=""
for _ in $(seq 100); do
    dlg=$(xdotool search --onlyvisible --name '^Statistics$' | tail -n 1 || true)
    [[ -n $dlg ]] && break
    sleep 0.1
done
[[ -n $dlg ]] || fail "the statistics did not appear"
shoot "$dlg" statistics.png

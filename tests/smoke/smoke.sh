#!/usr/bin/env bash
# Starts the real game on Xvfb, plays a round to a win with synthetic clicks, leaves through
# the menu's Exit and checks that the settings and the won round reached their files.
# Usage: smoke.sh <druno executable> <work folder>
# Exit code 77: Xvfb or xdotool missing (the test is skipped).
set -euo pipefail
# shellcheck source=tests/smoke/xvfb-lib.sh
source "$(dirname "$0")/xvfb-lib.sh"
begin_game_on_xvfb "$@"

# New Game from the menu, as a player would with the keyboard.
menu_item n
wait_for_line '^} CMyDrunoDoc::OnNewGame()'
wait_for_line '^guess: [0-9]\{3\}$'
secret=$(round_secret)

for ((i = 0; i < 3; i++)); do
    tap_cell "${secret:i:1}"
done
wait_for_line "^index=${secret:2:1}$"

# "WON!" shows in a message box whose OK button has the focus. On the very first counted game
# a note that the statistics file could not be read comes first (there is none yet).
answer_boxes_until '^} CMyDrunoDoc::StopPlaying()'

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
counts=$(stat_counts "$work/bin/Druno.sta")
[[ $counts == "1 1 0" ]] || fail "statistics: $counts (played won lost), expected 1 1 0"
grep -q '^fRead==false /\* write \*/$' "$work/druno.log" || fail "the settings were not saved"
echo "PASS: a round won on Xvfb, settings saved"

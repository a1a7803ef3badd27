#!/usr/bin/env bash
# Starts the real program in its own X server with a camcorder's card folder on its command
# line, as a file manager's "Open With" does for a folder. The card's clips must be listed in
# the order a search gives (a folder's own clips before its subfolders', natural order) and
# nothing else on the card: Merge, once the list has them, must write exactly their bytes in
# that order.
#
# Usage: card-folder.sh PATH/TO/veldrun
# Needs Xvfb (xvfb) and xdotool. Exits 77 (skipped) when they are missing, except under CI.
set -euo pipefail

program="$(realpath "$1")"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools Xvfb xdotool cmp

source "$(dirname "$0")/session.sh"

card="$work/CANON HF"
stream="$card/PRIVATE/AVCHD/BDMV/STREAM"
mkdir -p "$stream" "$card/PRIVATE/AVCHD/BDMV/CLIPINF" "$card/AVCHD/BDMV/STREAM" \
    "$card/.Trashes" "$card/DCIM" "$work/out"
head -c 1500000 < <(yes 'piece zero') >"$stream/00000.MTS"
head -c 1048577 < <(yes 'piece one') >"$stream/00001.MTS"
head -c 300 < <(yes 'piece ten') >"$stream/00010.MTS"
head -c 700000 < <(yes 'piece two') >"$stream/00002.MTS"
head -c 4000 < <(yes 'other layout') >"$card/AVCHD/BDMV/STREAM/00000.mts"
for other in PRIVATE/AVCHD/BDMV/CLIPINF/00000.CPI PRIVATE/AVCHD/BDMV/INDEX.BDM \
    .Trashes/00003.MTS ._00000.MTS; do
    echo "not a clip" >"$card/$other"
done
ln -s .. "$stream/loop"
output="$work/out/joined.mts"

start_x_server
start_program "$work" "$card"
main="$(focus_window Veldrun)"
wait_for_keys "$main"

# Alt+O focuses the output field. Merge is enabled once the list has the card's clips, which
# come together from the search: Alt+M until the message box shows.
xdotool key alt+o
xdotool type --delay 2 "$output"
press_for_box alt+m "$main"
focus_box "$main" >/dev/null
xdotool key Return
wait_for "the message box to close" lacks_box "$main"
refocus "$main"
end_program

cat "$card/AVCHD/BDMV/STREAM/00000.mts" "$stream/00000.MTS" "$stream/00001.MTS" \
    "$stream/00002.MTS" "$stream/00010.MTS" >"$work/expected"
cmp "$work/expected" "$output" || fail "the output is not the card's clips in search order"
echo "card folder: output matches ($(stat -c %s "$output") bytes)"

#!/usr/bin/env bash
# Starts the real program in its own X server and uses it from the keyboard alone, as a user
# without a mouse would: add three clips through the file dialog by typing their paths, sort
# them by name from the list's context menu, move the last one up with Alt+Up, type the output
# path, merge, confirm the message box, close. Then the output must hold the clips' bytes in
# the list's order.
#
# Usage: keyboard-merge.sh PATH/TO/veldrun
# Needs Xvfb (xvfb) and xdotool. Exits 77 (skipped) when they are missing, except under CI.
set -euo pipefail

program="$(realpath "$1")"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools Xvfb xdotool cmp

source "$(dirname "$0")/session.sh"

# Clips in a folder whose name has a blank, named so that only a natural order sorts them
# right: one over a 1 MiB block, one exactly a block, one below it; each of its own bytes so
# that order shows.
clips="$work/clips dir"
mkdir -p "$clips" "$work/out dir"
head -c 2500000 < <(yes 'tenth-clip') >"$clips/clip 10.MTS"
head -c 1048576 < <(yes 'second') >"$clips/clip 2.MTS"
head -c 700000 < <(yes 'first') >"$clips/clip 1.MTS"
output="$work/out dir/joined.mts"

start_x_server
start_program "$work"

main="$(focus_window Veldrun)"

# Add has the focus at start, so space presses it. Each clip is typed as a whole path.
for clip in "clip 10.MTS" "clip 2.MTS" "clip 1.MTS"; do
    press_for_window space "Select Streams"
    focus_window "Select Streams" >/dev/null
    xdotool type --delay 2 "$clips/$clip"
    xdotool key Return
    wait_for "the file dialog to close" lacks_window "Select Streams"
    refocus "$main"
done

# Alt+I focuses the list. Its context menu opens from the keyboard with its first enabled
# entry highlighted; nothing is selected, so that is Sort by Name, chosen by its mnemonic.
xdotool key alt+i
windows="$(visible_windows)"
xdotool key shift+F10
wait_for "the list's context menu" more_windows_than "$windows"
# Under load the menu can show before it takes the keyboard, and the first key is lost: press
# again while it stays open (the list itself ignores the letter: its entries start with "/").
for attempt in 1 2 3 4 5; do
    xdotool key s
    for _ in $(seq 30); do
        windows_at_most "$windows" && break 2
        sleep 0.1
    done
done
windows_at_most "$windows" || fail "the context menu did not close with its mnemonic"
# Now clip 1, clip 2, clip 10. End selects the last entry; Alt+Up moves it up one place.
xdotool key End alt+Up
# Alt+O focuses the output field; Alt+M merges.
xdotool key alt+o
xdotool type --delay 2 "$output"
xdotool key alt+m

focus_box "$main" >/dev/null
xdotool key Return
wait_for "the message box to close" lacks_box "$main"
refocus "$main"
end_program

cat "$clips/clip 1.MTS" "$clips/clip 10.MTS" "$clips/clip 2.MTS" >"$work/expected"
cmp "$work/expected" "$output" || fail "the output is not the clips in the list's order"
echo "keyboard merge: output matches ($(stat -c %s "$output") bytes)"

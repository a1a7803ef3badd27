#!/usr/bin/env bash
# Starts the real program in its own X server and uses it from the keyboard alone, as a user
# without a mouse would: add three clips through the file dialog by typing their paths, put
# the last one first, type the output path, merge, confirm the message box, close. Then the
# output must hold the clips' bytes in the list's order.
#
# Usage: keyboard-merge.sh PATH/TO/veldrun
# Needs Xvfb (xvfb) and xdotool. Exits 77 (skipped) when they are missing, except under CI.
set -euo pipefail

program="$(realpath "$1")"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools Xvfb xdotool cmp
source "$(dirname "$0")/x-session.sh"

# Clips with the camcorder's names, in a folder whose name has a blank: one over a 1 MiB
# block, one exactly a block, one below it; each of its own bytes so that order shows.
clips="$work/clips dir"
mkdir -p "$clips" "$work/out dir"
head -c 2500000 < <(yes 'first-clip') >"$clips/00001.MTS"
head -c 1048576 < <(yes 'second') >"$clips/00002.MTS"
head -c 700000 < <(yes 'zero') >"$clips/00000.MTS"
output="$work/out dir/joined.mts"

start_x
start_app
main="$(focus_window Veldrun)"

# Add has the focus at start, so space presses it. Each clip is typed as a whole path.
for clip in 00001.MTS 00002.MTS 00000.MTS; do
    add_clip "$clips/$clip"
done

# Tab order: Add, Remove, the list, Move Up, Move Down, Merge (disabled), the output field.
# End selects the last entry; Move Up twice puts it first.
xdotool key Tab Tab End Tab space space
xdotool key Tab Tab
xdotool type --delay 2 "$output"
# Back to Merge, now enabled.
xdotool key shift+Tab space

# Message boxes carry the executable's name as their caption.
box="$(focus_window "$(basename "$program")")"
[ "$box" != "$main" ] || fail "no message box"
xdotool key Return
wait_for "the message box to close" lacks_window "$(basename "$program")"
refocus "$main"

# Escape ends the program.
xdotool key Escape
expect_clean_exit

cat "$clips/00000.MTS" "$clips/00001.MTS" "$clips/00002.MTS" >"$work/expected"
cmp "$work/expected" "$output" || fail "the output is not the clips in the list's order"
echo "keyboard merge: output matches ($(stat -c %s "$output") bytes)"

#!/usr/bin/env bash
# The real program merges into a named pipe whose reader goes away half-way, as when the
# program reading the join ends early. The merge must fail with a message box, and the program
# must keep running (it used to be killed by SIGPIPE, losing the list); then it ends normally.
# Nothing here changes how signals are handled: the program has to do that itself.
#
# Usage: pipe-output.sh PATH/TO/veldrun
# Needs Xvfb (xvfb) and xdotool. Exits 77 (skipped) when they are missing, except under CI.
set -euo pipefail

program="$(realpath "$1")"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools Xvfb xdotool head mkfifo
source "$(dirname "$0")/session.sh"

clip="$work/00001.MTS"
head -c 8388608 /dev/urandom >"$clip"
fifo="$work/player.pipe"
mkfifo "$fifo"

start_x_server
start_program "$work"
main="$(focus_window Veldrun)"

press_for_window space "Select Streams"
focus_window "Select Streams" >/dev/null
xdotool type --delay 2 "$clip"
xdotool key Return
wait_for "the file dialog to close" lacks_window "Select Streams"
refocus "$main"

# To the output field: Add Folder, Remove, Move Up, Move Down, the field.
xdotool key Tab Tab Tab Tab Tab
xdotool type --delay 2 "$fifo"

# The reader takes the first MiB and leaves; the merge has seven more to write.
head -c 1048576 <"$fifo" >"$work/received" &
reader=$!
# On to Merge: Select..., the two check boxes, Merge.
xdotool key Tab Tab Tab Tab space

focus_box "$main" >/dev/null
wait "$reader"
[ "$(stat -c %s "$work/received")" -eq 1048576 ] || fail "the reader got no MiB"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended with the pipe"
xdotool key Return
wait_for "the message box to close" lacks_box "$main"
refocus "$main"

# The list was not merged: quitting asks first.
end_program asks
echo "pipe output: the merge failed with a message box and the program ran on"

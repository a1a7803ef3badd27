#!/usr/bin/env bash
# Starts the real program in its own X server with a card folder on its command line, on a
# session bus of its own with Qt's accessibility bridge on, and reads its window as a screen
# reader does, over AT-SPI (accessibility-tree.py): the names of the list, the buttons and the
# two read-only fields, which must be labelled by their labels, and the rows' marks in words.
# Through AT-SPI it also names an output (Merge must become enabled), presses Add and cancels
# the file dialog that opens.
#
# Usage: accessibility.sh PATH/TO/veldrun PATH/TO/make_test_card
# Needs Xvfb (xvfb), xdotool, dbus-run-session (dbus), at-spi2-core and python3-pyatspi. Exits 77
# (skipped) when they are missing, except under CI.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
source "$here/atspi.sh"
atspi_session "$@"

program="$(realpath "$1")"
make_card="$(realpath "$2")"
source "$here/../support/require-tools.sh"
require_tools Xvfb xdotool

source "$here/session.sh"

# Three recordings, so that rows start new ones, and a file that is no stream.
card="$work/CARD"
"$make_card" "$card"
echo "not a clip" >"$card/PRIVATE/AVCHD/BDMV/STREAM/00009.MTS"

start_x_server
start_atspi_registry
start_program "$work" "$card"
main="$(focus_window Veldrun)"

"$atspi_python" "$here/accessibility-tree.py" "$app_pid" >"$work/tree.log" 2>&1 ||
    fail "the accessibility tree"
cat "$work/tree.log"

refocus "$main"
end_program asks

#!/usr/bin/env bash
# Starts the real program at twice the scale (QT_SCALE_FACTOR=2) on a 1600x1000 X screen, where
# the main dialog's template is taller than the screen: the window's minimum size, as the
# window manager is told it, and the window with the frame a window manager (openbox) puts
# round it must fit the screen, also laid out right to left.
#
# Usage: small-screen.sh PATH/TO/veldrun
# Needs Xvfb (xvfb), openbox, xdotool, xprop and xwininfo (x11-utils). Exits 77 (skipped) when they are
# missing, except under CI.
set -euo pipefail

program="$(realpath "$1")"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools Xvfb openbox xdotool xprop xwininfo

source "$(dirname "$0")/session.sh"

# framed WINDOW: the window manager has said how wide the window's frame is.
framed() {
    xprop -id "$1" _NET_FRAME_EXTENTS | grep -q '= '
}

# fits_framed WINDOW: the frame's bottom edge is on the 1000-pixel screen.
fits_framed() {
    local top height border
    top="$(xwininfo -id "$1" | sed -n 's/^ *Absolute upper-left Y: *//p')"
    height="$(xwininfo -id "$1" | sed -n 's/^ *Height: //p')"
    border="$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*, \([0-9]*\)$/\1/p')"
    [ $((top + height + ${border:-0})) -le 1000 ]
}

# The window manager has said on the root window that it gives windows' frame extents.
window_manager_runs() {
    xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_FRAME_EXTENTS
}

start_x_server 1600x1000x24
# The frame comes after the window shows, so only a real window manager shows whether the
# program fits again once it knows the frame.
openbox >/dev/null 2>&1 &
# It ends with the X server. As on a desktop, the window manager runs before the program starts:
# Qt reads which hints the window manager supports once, when it connects.
wait_for "the window manager" window_manager_runs
export QT_SCALE_FACTOR=2
for direction in "" -reverse; do
    start_program "$work" ${direction:+"$direction"}
    main="$(focus_window Veldrun)"
    # "program specified minimum size: 896 by 1000"
    read -r min_width min_height < <(xprop -id "$main" WM_NORMAL_HINTS |
        sed -n 's/.*minimum size: \([0-9]*\) by \([0-9]*\).*/\1 \2/p')
    [ -n "${min_height:-}" ] || fail "no minimum size in $(xprop -id "$main" WM_NORMAL_HINTS)"
    [ "$min_height" -le 1000 ] && [ "$min_width" -le 1600 ] ||
        fail "minimum size ${min_width}x$min_height does not fit 1600x1000 ($direction)"
    # Once the window manager has framed the window, the program fits again: the frame's bottom
    # edge (the window's top on the screen, its height and the frame's bottom border) comes
    # onto the screen.
    wait_for "the window manager's frame" framed "$main"
    wait_for "the framed window to fit the 1000-pixel screen" fits_framed "$main"
    end_program
done
echo "small screen: the window fits 1600x1000 at twice the scale"

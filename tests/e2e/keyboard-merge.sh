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

work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    for log in "$work"/*.log; do
        echo "--- $(basename "$log")" >&2
        cat "$log" >&2
    done
    exit 1
}

# Waits up to 20 s for `check` to succeed.
wait_for() {
    local what="$1"
    shift
    for _ in $(seq 200); do
        "$@" && return 0
        if [ -n "$app_pid" ] && ! kill -0 "$app_pid" 2>/dev/null; then
            fail "the program ended while waiting for $what"
        fi
        sleep 0.1
    done
    fail "timed out waiting for $what"
}

# The visible window whose title is exactly $1 (xdotool matches titles ignoring case).
window_titled() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id")" = "$1" ] && echo "$id" && return 0
    done
    return 1
}

has_window() { window_titled "$1" >/dev/null; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
lacks_window() { ! has_window "$1"; }
visible_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }
more_windows_than() { [ "$(visible_windows)" -gt "$1" ]; }
windows_at_most() { [ "$(visible_windows)" -le "$1" ]; }

# Keys go to the focused window; send them only once the expected window has the focus.
focus_window() {
    local id
    wait_for "the window '$1'" has_window "$1"
    id="$(window_titled "$1")"
    wait_for "the focus on '$1'" has_focus "$id"
    echo "$id"
}

# Without a window manager nobody gives the focus back when a dialog closes; do its part.
# Presses `key` until the window `title` shows: under load the first key press can come
# before the program has taken the focus and be lost.
press_for_window() {
    local key="$1" title="$2" attempt
    for attempt in 1 2 3 4 5; do
        xdotool key "$key"
        for _ in $(seq 40); do
            has_window "$title" && return 0
            sleep 0.1
        done
    done
    fail "'$key' did not open the window '$title'"
}

refocus() {
    xdotool windowfocus --sync "$1"
    wait_for "the focus on window $1" has_focus "$1"
}

# Clips in a folder whose name has a blank, named so that only a natural order sorts them
# right: one over a 1 MiB block, one exactly a block, one below it; each of its own bytes so
# that order shows.
clips="$work/clips dir"
mkdir -p "$clips" "$work/out dir" "$work/home"
chmod 700 "$work/home"
head -c 2500000 < <(yes 'tenth-clip') >"$clips/clip 10.MTS"
head -c 1048576 < <(yes 'second') >"$clips/clip 2.MTS"
head -c 700000 < <(yes 'first') >"$clips/clip 1.MTS"
output="$work/out dir/joined.mts"

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
wait_for "the X server" test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"

# Its own home, so that no dialog history of an earlier run changes what the dialogs show,
# and no desktop session, so that Qt shows its own file dialog rather than the desktop's.
(cd "$work/home" && exec env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u QT_QPA_PLATFORMTHEME \
    -u DBUS_SESSION_BUS_ADDRESS HOME="$work/home" XDG_CONFIG_HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/home" QT_QPA_PLATFORM=xcb "$program") \
    >"$work/app.log" 2>&1 &
app_pid=$!

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
xdotool key s
wait_for "the context menu to close" windows_at_most "$windows"
# Now clip 1, clip 2, clip 10. End selects the last entry; Alt+Up moves it up one place.
xdotool key End alt+Up
# Alt+O focuses the output field; Alt+M merges.
xdotool key alt+o
xdotool type --delay 2 "$output"
xdotool key alt+m

# Message boxes carry the executable's name as their caption.
box="$(focus_window "$(basename "$program")")"
[ "$box" != "$main" ] || fail "no message box"
xdotool key Return
wait_for "the message box to close" lacks_window "$(basename "$program")"
refocus "$main"

# Escape ends the program.
xdotool key Escape
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the program did not end"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

cat "$clips/clip 1.MTS" "$clips/clip 10.MTS" "$clips/clip 2.MTS" >"$work/expected"
cmp "$work/expected" "$output" || fail "the output is not the clips in the list's order"
echo "keyboard merge: output matches ($(stat -c %s "$output") bytes)"

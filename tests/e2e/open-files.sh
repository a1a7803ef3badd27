#!/usr/bin/env bash
# Starts the real program in its own X server as a file manager's "Open With" does, with clips
# on the command line, and Qt options before them. The window's X11 class must be the desktop
# entry's StartupWMClass; the clips must be listed in the given order with the first selected:
# Remove takes that first one out, and the merge of the rest must hold their bytes in order.
# Files named like the Qt options lie in the start folder: listed, they would end up in the
# output.
#
# Usage: open-files.sh PATH/TO/veldrun PATH/TO/org.veldrun.Veldrun.desktop
# Needs Xvfb (xvfb), xdotool and xprop (x11-utils). Exits 77 (skipped) when they are missing,
# except under CI.
set -euo pipefail

program="$(realpath "$1")"
desktop="$2"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools Xvfb xdotool xprop cmp

source "$(dirname "$0")/session.sh"

clips="$work/card dir"
start="$work/start"
mkdir -p "$clips" "$start" "$work/out"
head -c 1500000 < <(yes 'removed-first') >"$clips/00002.MTS"
head -c 1048577 < <(yes 'relative') >"$start/local.MTS"
head -c 700000 < <(yes 'zero') >"$clips/00000.MTS"
head -c 300 < <(yes 'one') >"$clips/00001.MTS"
for decoy in -style Fusion; do
    echo "not a clip" >"$start/$decoy"
done
output="$work/out/joined.mts"

start_x_server
# Not in sorted order: a file manager's order is kept. A missing name is skipped.
start_program "$start" -style Fusion "$clips/00002.MTS" local.MTS missing.MTS \
    "../card dir/00000.MTS" "$clips/00001.MTS"

main="$(focus_window Veldrun)"

wm_class="$(xprop -id "$main" WM_CLASS)"
startup_class="$(sed -n 's/^StartupWMClass=//p' "$desktop")"
[ -n "$startup_class" ] || fail "the desktop entry has no StartupWMClass"
# WM_CLASS(STRING) = "instance", "class"
[ "$(sed -n 's/.*", "\(.*\)"$/\1/p' <<<"$wm_class")" = "$startup_class" ] ||
    fail "window class $wm_class does not match StartupWMClass=$startup_class"

# Add has the focus again after the file dialog; Tab reaches Add Folder, then Remove, which
# takes the selected entry out.
wait_for_keys "$main"
xdotool key Tab Tab space
# From Remove: Move Up, Move Down, the output field.
merge_into "$main" 3 "$output"
end_program

cat "$start/local.MTS" "$clips/00000.MTS" "$clips/00001.MTS" >"$work/expected"
cmp "$work/expected" "$output" ||
    fail "the output is not the listed clips after the first, in the given order"
echo "open files: $wm_class; output matches ($(stat -c %s "$output") bytes)"

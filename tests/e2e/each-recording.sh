#!/usr/bin/env bash
# A camcorder's card of three recordings, each split into pieces, to one file per recording:
# the real program in its own X server, started with the card's folder on its command line as
# a file manager starts it, "One file per recording" on, verifying on as it is by default;
# then the command line's --each-recording --verify on the same card. Each output must be named after its recording's start, hold exactly its pieces' bytes, and carry
# that start as its modification time; the recording without the camera's date is named and
# dated after its first piece's file date.
#
# Usage: each-recording.sh PATH/TO/veldrun PATH/TO/veldrun-cli PATH/TO/make_test_card
# Needs Xvfb (xvfb) and xdotool. Exits 77 (skipped) when they are missing, except under CI.
set -euo pipefail

program="$(realpath "$1")"
cli="$(realpath "$2")"
make_card="$(realpath "$3")"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools Xvfb xdotool cmp

source "$(dirname "$0")/session.sh"

# The camera's dates are local times: a zone with summer time shows a wrong conversion.
export TZ=Europe/Berlin
card="$work/CARD"
stream="$card/PRIVATE/AVCHD/BDMV/STREAM"
"$make_card" "$card"
touch -d "2024-07-15 08:00:00" "$stream/00005.MTS"
mkdir -p "$work/videos" "$work/cli"

names=("2024-07-14 10.03.41.MTS" "2024-07-14 11.20.00.MTS" "2024-07-15 08.00.00.MTS")
starts=("2024-07-14 10:03:41" "2024-07-14 11:20:00" "2024-07-15 08:00:00")
cat "$stream"/0000[0-2].MTS >"$work/expected-0"
cat "$stream"/0000[3-4].MTS >"$work/expected-1"
cat "$stream"/00005.MTS >"$work/expected-2"

# check_outputs FOLDER WHO: the three files, nothing else, with the right bytes and dates.
check_outputs() {
    local folder="$1" who="$2" i
    [ "$(ls "$folder" | wc -l)" -eq 3 ] || fail "$who wrote: $(ls "$folder")"
    for i in 0 1 2; do
        [ -f "$folder/${names[$i]}" ] || fail "$who wrote no '${names[$i]}': $(ls "$folder")"
        cmp "$work/expected-$i" "$folder/${names[$i]}" ||
            fail "$who: '${names[$i]}' is not its recording's pieces"
        [ "$(stat -c %Y "$folder/${names[$i]}")" = "$(date -d "${starts[$i]}" +%s)" ] ||
            fail "$who: '${names[$i]}' is dated $(stat -c %y "$folder/${names[$i]}")"
    done
}

# One file per recording is on as a remembered setting leaves it: Alt+P sent from here was at
# times not taken on a loaded machine, for a reason not found yet.
mkdir -p "$work/home/veldrun"
printf '[merge]\neachRecording=true\n' >"$work/home/veldrun/veldrun.conf"
start_x_server
start_program "$work" "$card"
main="$(focus_window Veldrun)"
wait_for_keys "$main"

# Alt+O focuses the output field, which names a folder. Merge needs every clip read: until
# then it says so, and the box is closed and Merge pressed again.
xdotool key alt+o
xdotool type --delay 2 "$work/videos"
for attempt in 1 2 3 4 5 6 7 8 9 10; do
    press_for_box alt+m "$main"
    focus_box "$main" >/dev/null
    xdotool key Return
    wait_for "the message box to close" lacks_box "$main"
    refocus "$main"
    [ -f "$work/videos/${names[2]}" ] && break
    sleep 0.5
done
end_program
check_outputs "$work/videos" "the dialog"

printed="$("$cli" --each-recording --verify -q -o "$work/cli" "$card" 2>"$work/cli.log")" ||
    fail "veldrun-cli --each-recording: $(cat "$work/cli.log")"
expected="$(printf '%s\n' "$work/cli/${names[0]}" "$work/cli/${names[1]}" "$work/cli/${names[2]}")"
[ "$printed" = "$expected" ] || fail "veldrun-cli printed: $printed"
check_outputs "$work/cli" "veldrun-cli"
echo "each recording: three files, named, dated and verified"

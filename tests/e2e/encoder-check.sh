#!/usr/bin/env bash
# Makes clips with a real encoder and multiplexer (GStreamer: H.264 and AAC in an MPEG
# transport stream) and checks what veldrun-cli tells about them: one recording of 30 s with
# 192-byte packets, cut into pieces of 3 MiB as a camcorder cuts one (at packet boundaries,
# anywhere in the pictures); a second recording of 16 s cut the same way; a stream with
# 188-byte packets. The first and the third get the camera's date message in their video, put
# there by our own tool, which must leave every picture decodable. Then joins pieces and
# checks the notes and the joined file.
#
# Usage: encoder-check.sh PATH/TO/veldrun-cli PATH/TO/insert_camera_date
# Needs GStreamer with its base, good, bad and ugly plugins. Exits 77 (skipped) when they are
# missing, except under CI.
set -euo pipefail

cli="$(realpath "$1")"
insert_date="$(realpath "$2")"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools gst-launch-1.0 gst-inspect-1.0
for element in videotestsrc audiotestsrc x264enc h264parse voaacenc aacparse mpegtsmux \
    splitmuxsink tsdemux openh264dec; do
    if ! gst-inspect-1.0 "$element" >/dev/null 2>&1; then
        echo "missing GStreamer element $element" >&2
        [ -n "${CI:-}" ] && exit 1
        exit 77
    fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# decoded_frames FILE: the pictures GStreamer decodes from FILE's video.
decoded_frames() {
    gst-launch-1.0 -v filesrc location="$1" ! tsdemux ! h264parse ! openh264dec \
        ! fakesink silent=false 2>&1 </dev/null | grep -c 'last-message = chain' || true
}

# record NAME SECONDS [PACKETS [DATE]]: one recording of test picture and tone, with the
# camera's DATE in its video when given, cut into pieces of 3 MiB (a whole number of 192-byte
# packets) named NAME-00, NAME-01, ...
record() {
    local name="$1" seconds="$2" date="${4:-}" mode=true
    [ "${3:-192}" = 188 ] && mode=false
    gst-launch-1.0 -q -e \
        videotestsrc num-buffers=$((seconds * 25)) \
        ! video/x-raw,format=I420,width=320,height=240,framerate=25/1 \
        ! x264enc speed-preset=ultrafast key-int-max=25 ! h264parse ! queue ! mux. \
        audiotestsrc num-buffers=$((seconds * 48000 / 1024 + 1)) ! audio/x-raw,rate=48000 \
        ! voaacenc ! aacparse ! queue ! mux. \
        mpegtsmux name=mux m2ts-mode=$mode ! filesink location="$work/$name.stream" \
        >"$work/$name.log" 2>&1 </dev/null ||
        fail "gst-launch-1.0 for $name: $(cat "$work/$name.log")"
    if [ -n "$date" ]; then
        "$insert_date" "$work/$name.stream" "$work/$name.dated" "$date" ||
            fail "could not insert the date into $name"
        [ "$(stat -c %s "$work/$name.dated")" -gt "$(stat -c %s "$work/$name.stream")" ] ||
            fail "the date message did not grow $name"
        local frames
        frames="$(decoded_frames "$work/$name.dated")"
        [ "$frames" -eq $((seconds * 25)) ] ||
            fail "$frames of $((seconds * 25)) pictures decode from $name with the date"
        mv "$work/$name.dated" "$work/$name.stream"
    fi
    split -b $((3 << 20)) -d --additional-suffix=.MTS "$work/$name.stream" "$work/$name-"
    rm "$work/$name.stream"
}
record a 30 192 "2024-07-14 10:15:02"
record b 16
record c 10 188 "2023-12-31 23:59:58"
echo "not a clip" >"$work/notes.txt"
a=("$work"/a-0[0-2].MTS) b=("$work"/b-0[0-1].MTS)
[ -f "${a[2]}" ] && [ -f "${b[1]}" ] || fail "the recordings were not split into pieces: $(ls "$work")"

# expect_lines TEXT PATTERN...: each line of TEXT matches its extended regular expression.
expect_lines() {
    local text="$1" line=0 pattern
    shift
    [ "$(printf '%s\n' "$text" | wc -l)" -eq $# ] || fail "expected $# lines, got:
$text"
    for pattern in "$@"; do
        line=$((line + 1))
        printf '%s\n' "$text" | sed -n "${line}p" | grep -Eqx -- "$pattern" ||
            fail "line $line does not match '$pattern':
$text"
    done
}

out="$("$cli" --check "${a[@]}" "${b[@]}" "$work/c-00.MTS" "$work/notes.txt")"
printf "%s\n" "$out" >&2
# The date is in the first piece of each dated recording only: the rest of the recording
# continues from its cut, anywhere in the pictures, where the first 1 MiB holds no message.
expect_lines "$out" \
    "1  0:00:[0-9]{2}  2024-07-14 10:15:02  start +${a[0]}" \
    "2  0:00:[0-9]{2}  - {20}continues +${a[1]}" \
    "3  0:00:[0-9]{2}  - {20}continues +${a[2]}" \
    "4  0:00:[0-9]{2}  - {20}new recording +${b[0]}" \
    "5  0:00:[0-9]{2}  - {20}continues +${b[1]}" \
    "6  0:00:(09|10)  2023-12-31 23:59:58  new recording +$work/c-00.MTS" \
    "7        -  - {20}not a transport stream +$work/notes.txt" \
    "7 inputs, 3 recordings, 1 not a transport stream"

# The pieces of one recording join without a note and read as one clip of 30 s.
err="$("$cli" -o "$work/joined.MTS" "${a[@]}" 2>&1)" || fail "join: $err"
[ -z "$err" ] || fail "notes for pieces of one recording: $err"
out="$("$cli" --check "$work/joined.MTS")"
expect_lines "$out" "1  0:00:(29|30)  2024-07-14 10:15:02  start  $work/joined.MTS" \
    "1 input, 1 recording, 0:00:(29|30)"

# Joining the two recordings notes where the second begins.
err="$("$cli" -o "$work/both.MTS" "${a[@]}" "${b[@]}" 2>&1)" || fail "join: $err"
[ "$err" = "note: ${b[0]} starts a new recording; players may show a jump here" ] ||
    fail "unexpected notes: $err"
# One file per recording, verified: named and dated after each recording's start, the camera's
# date taken as local time, the second (without one) after its first piece's file date.
export TZ=Europe/Berlin
touch -d "2024-08-01 12:00:00" "${b[0]}"
mkdir "$work/each"
printed="$("$cli" --each-recording --verify -q -o "$work/each" "${a[@]}" "${b[@]}" \
    "$work/c-00.MTS" 2>"$work/each.log")" || fail "--each-recording: $(cat "$work/each.log")"
names=("2024-07-14 10.15.02.MTS" "2024-08-01 12.00.00.MTS" "2023-12-31 23.59.58.MTS")
starts=("2024-07-14 10:15:02" "2024-08-01 12:00:00" "2023-12-31 23:59:58")
[ "$printed" = "$(printf "$work/each/%s\n" "${names[@]}")" ] ||
    fail "--each-recording printed: $printed"
cat "${a[@]}" >"$work/expected-0"
cat "${b[@]}" >"$work/expected-1"
cp "$work/c-00.MTS" "$work/expected-2"
for i in 0 1 2; do
    cmp "$work/expected-$i" "$work/each/${names[$i]}" || fail "${names[$i]} differs"
    [ "$(stat -c %Y "$work/each/${names[$i]}")" = "$(date -d "${starts[$i]}" +%s)" ] ||
        fail "${names[$i]} is dated $(stat -c %y "$work/each/${names[$i]}")"
done
echo "encoder check passed"

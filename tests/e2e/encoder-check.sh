#!/usr/bin/env bash
# Makes clips with a real encoder and multiplexer (GStreamer: H.264 and AAC in an MPEG
# transport stream) and checks what veldrun-cli tells about them: one recording of 30 s with
# 192-byte packets, cut into pieces of 3 MiB as a camcorder cuts one (at packet boundaries,
# anywhere in the pictures); a second recording of 12 s cut the same way; a stream with
# 188-byte packets. Then joins pieces and checks the notes and the joined file.
#
# Usage: encoder-check.sh PATH/TO/veldrun-cli
# Needs GStreamer with its base, good, bad and ugly plugins. Exits 77 (skipped) when they are
# missing, except under CI.
set -euo pipefail

cli="$(realpath "$1")"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools gst-launch-1.0 gst-inspect-1.0
for element in videotestsrc audiotestsrc x264enc h264parse voaacenc aacparse mpegtsmux \
    splitmuxsink; do
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

# record NAME SECONDS [PACKETS]: one recording of test picture and tone, cut into pieces of
# 3 MiB (a whole number of 192-byte packets) named NAME-00, NAME-01, ...
record() {
    local name="$1" seconds="$2" mode=true
    [ "${3:-192}" = 188 ] && mode=false
    gst-launch-1.0 -q -e \
        videotestsrc num-buffers=$((seconds * 25)) ! video/x-raw,width=320,height=240,framerate=25/1 \
        ! x264enc speed-preset=ultrafast key-int-max=25 ! h264parse ! queue ! mux. \
        audiotestsrc num-buffers=$((seconds * 48000 / 1024 + 1)) ! audio/x-raw,rate=48000 \
        ! voaacenc ! aacparse ! queue ! mux. \
        mpegtsmux name=mux m2ts-mode=$mode ! filesink location="$work/$name.stream" \
        >"$work/$name.log" 2>&1 </dev/null ||
        fail "gst-launch-1.0 for $name: $(cat "$work/$name.log")"
    split -b $((3 << 20)) -d --additional-suffix=.MTS "$work/$name.stream" "$work/$name-"
    rm "$work/$name.stream"
}
record a 30
record b 12
record c 10 188
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
expect_lines "$out" \
    "1  0:00:[0-9]{2}  start +${a[0]}" \
    "2  0:00:[0-9]{2}  continues +${a[1]}" \
    "3  0:00:[0-9]{2}  continues +${a[2]}" \
    "4  0:00:[0-9]{2}  new recording +${b[0]}" \
    "5  0:00:[0-9]{2}  continues +${b[1]}" \
    "6  0:00:(09|10)  new recording +$work/c-00.MTS" \
    "7        -  not a transport stream +$work/notes.txt" \
    "7 inputs, 3 recordings, 1 not a transport stream"

# The pieces of one recording join without a note and read as one clip of 30 s.
err="$("$cli" -o "$work/joined.MTS" "${a[@]}" 2>&1)" || fail "join: $err"
[ -z "$err" ] || fail "notes for pieces of one recording: $err"
out="$("$cli" --check "$work/joined.MTS")"
expect_lines "$out" "1  0:00:(29|30)  start  $work/joined.MTS" "1 input, 1 recording, 0:00:(29|30)"

# Joining the two recordings notes where the second begins.
err="$("$cli" -o "$work/both.MTS" "${a[@]}" "${b[@]}" 2>&1)" || fail "join: $err"
[ "$err" = "note: ${b[0]} starts a new recording; players may show a jump here" ] ||
    fail "unexpected notes: $err"
echo "encoder check passed"

#!/usr/bin/env bash
# Starts the real program on a Wayland compositor (weston's headless backend), with no X server
# to fall back to, and reads the Wayland protocol it speaks: the dialog must become a toplevel
# window titled "Veldrun" with the desktop entry's id as its app id, be configured by the
# compositor and draw into a buffer.
#
# Usage: wayland-window.sh PATH/TO/veldrun
# Needs weston and Qt's Wayland plugin (qt6-wayland). Exits 77 (skipped) when they are missing,
# except under CI.
set -euo pipefail

program="$(realpath "$1")"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools weston
if ! compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null; then
    echo "missing Qt's Wayland plugin" >&2
    [ -n "${CI:-}" ] && exit 1
    exit 77
fi

source "$(dirname "$0")/session.sh"

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 --no-config \
    >"$work/weston.log" 2>&1 &
server_pid=$!
wait_for "weston's socket" test -S "$XDG_RUNTIME_DIR/wayland-test"

head -c 1000 /dev/zero >"$work/clip.MTS"
# No DISPLAY and no QT_QPA_PLATFORM: Qt must choose Wayland by itself.
env -u DISPLAY -u QT_QPA_PLATFORM HOME="$work" XDG_SESSION_TYPE=wayland \
    WAYLAND_DISPLAY=wayland-test WAYLAND_DEBUG=client "$program" "$work/clip.MTS" \
    >"$work/app.log" 2>&1 &
app_pid=$!

# The client's side of the protocol: requests are marked "->", events are not.
shown() {
    grep -q -- '-> xdg_toplevel@[0-9]*\.set_title("Veldrun")' "$work/app.log" &&
        grep -q -- '-> xdg_toplevel@[0-9]*\.set_app_id("org.veldrun.Veldrun")' "$work/app.log" &&
        grep -q '] xdg_toplevel@[0-9]*\.configure(' "$work/app.log" &&
        grep -q -- '-> wl_surface@[0-9]*\.attach(wl_buffer@' "$work/app.log"
}
wait_for "the Veldrun window on the compositor" shown
kill -0 "$app_pid" 2>/dev/null || fail "the program ended"
echo "wayland: the window was mapped on weston (headless)"

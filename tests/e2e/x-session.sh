# Shared by the end-to-end scripts: a work folder, an X server of its own, the program started
# in it outside any desktop session, and waiting for windows and focus with xdotool.
# Source it after `program` is set; it sets `work`, `DISPLAY` (start_x) and `app_pid` (start_app).

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

# Starts an X server of its own and points DISPLAY at it.
start_x() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    wait_for "the X server" test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
}

# Starts the program in that X server with a home of its own, so that no dialog history of an
# earlier run changes what the dialogs show, and no desktop session, so that Qt shows its own
# file dialog rather than the desktop's.
start_app() {
    mkdir -p "$work/home"
    chmod 700 "$work/home"
    (cd "$work/home" && exec env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u QT_QPA_PLATFORMTHEME \
        -u DBUS_SESSION_BUS_ADDRESS HOME="$work/home" XDG_CONFIG_HOME="$work/home" \
        XDG_RUNTIME_DIR="$work/home" QT_QPA_PLATFORM=xcb "$program") \
        >"$work/app.log" 2>&1 &
    app_pid=$!
}

# Adds `path` to the list through Add, which must have the focus, typing the whole path.
add_clip() {
    press_for_window space "Select Streams"
    focus_window "Select Streams" >/dev/null
    xdotool type --delay 2 "$1"
    xdotool key Return
    wait_for "the file dialog to close" lacks_window "Select Streams"
    refocus "$main"
}

# Waits up to 10 s for the program to end; fails unless it ended with status 0.
expect_clean_exit() {
    local status=0
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end"
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# Sourced by the end-to-end tests: a scratch folder, a display server of its own (an X server, or
# a Wayland compositor that the test starts and records in server_pid), the program started
# there with a clean home, and on X waiting for and focusing its windows through xdotool.
# The caller sets `program` and has run require_tools for what it uses.

work="$(mktemp -d)"
server_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    for log in "$work"/*.log; do
        echo "--- $(basename "$log")" >&2
        tail -n 40 "$log" >&2
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
# How many windows of the program show (menus included).
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

# press_until KEY WHAT CHECK...: presses KEY until CHECK succeeds: under load the first key
# press can come before the program has taken the focus and be lost.
press_until() {
    local key="$1" what="$2" attempt
    shift 2
    for attempt in 1 2 3 4 5; do
        xdotool key "$key"
        for _ in $(seq 40); do
            "$@" && return 0
            sleep 0.1
        done
    done
    fail "'$key' did not open $what"
}
press_for_window() { press_until "$1" "the window '$2'" has_window "$2"; }
press_for_box() { press_until "$1" "a message box" has_box "$2"; }

# Message boxes are captioned "Veldrun", as the main window is: a box is a visible window so
# titled other than the main window $1.
box_over() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Veldrun$' 2>/dev/null); do
        [ "$id" != "$1" ] && [ "$(xdotool getwindowname "$id")" = Veldrun ] && echo "$id" && return 0
    done
    return 1
}
has_box() { box_over "$1" >/dev/null; }
lacks_box() { ! has_box "$1"; }

# Waits for a message box over the main window $1 and for its focus; prints its id.
focus_box() {
    local id
    wait_for "a message box" has_box "$1"
    id="$(box_over "$1")"
    wait_for "the focus on the message box" has_focus "$id"
    echo "$id"
}

# Without a window manager nobody gives the focus back when a dialog closes; do its part.
refocus() {
    xdotool windowfocus --sync "$1"
    wait_for "the focus on window $1" has_focus "$1"
}

# Opens the file dialog with Add and cancels it: once that worked, the program takes keys.
wait_for_keys() {
    press_for_window space "Select Streams"
    focus_window "Select Streams" >/dev/null
    xdotool key Escape
    wait_for "the file dialog to close" lacks_window "Select Streams"
    refocus "$1"
}

# start_x_server [WxHxDEPTH]: starts the X server, with a 1280x1024 screen unless told, and
# points DISPLAY at it.
start_x_server() {
    exec 3>"$work/display"
    # No auto-repeat: on a loaded machine xdotool's key release can come late enough for the
    # server to repeat the key, and a check box pressed twice stays as it was.
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp -r >"$work/xvfb.log" 2>&1 &
    server_pid=$!
    exec 3>&-
    wait_for "the X server" test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
}

# start_program FOLDER [ARGUMENT...]: runs the program in FOLDER with its own home, so that no
# dialog history of an earlier run changes what the dialogs show, and no desktop session, so
# that Qt shows its own file dialog rather than the desktop's.
start_program() {
    local folder="$1"
    shift
    mkdir -p "$work/home"
    chmod 700 "$work/home"
    # The desktop's session bus is left out, unless atspi.sh has started one of the test's own.
    local bus=(-u DBUS_SESSION_BUS_ADDRESS)
    [ -n "${atspi_bus:-}" ] && bus=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
    (cd "$folder" && exec env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u QT_QPA_PLATFORMTHEME \
        -u WAYLAND_DISPLAY "${bus[@]}" HOME="$work/home" \
        XDG_CONFIG_HOME="$work/home" XDG_RUNTIME_DIR="$work/home" QT_QPA_PLATFORM=xcb \
        "$program" "$@") >"$work/app.log" 2>&1 &
    app_pid=$!
}

# Escape ends the program; with `asks`, once Quit answers its question before forgetting a list
# that was not merged as it stands (a box over the script's window `main`). It must end with
# status 0.
end_program() {
    xdotool key Escape
    if [ "${1:-}" = asks ]; then
        focus_box "$main" >/dev/null
        xdotool key alt+q
    fi
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$app_pid" 2>/dev/null; then
        local id names=""
        for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
            names+=" '$(xdotool getwindowname "$id")'"
        done
        fail "the program did not end; its windows:$names; focus on '$(xdotool getwindowfocus getwindowname 2>/dev/null)'"
    fi
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# Types `output` into the output field, reached with `tabs` presses of Tab, presses Merge (four
# more: Select..., the two check boxes, Merge) and confirms the message box.
merge_into() {
    local main="$1" tabs="$2" output="$3"
    for _ in $(seq "$tabs"); do
        xdotool key Tab
    done
    xdotool type --delay 2 "$output"
    xdotool key Tab Tab Tab Tab space
    focus_box "$main" >/dev/null
    xdotool key Return
    wait_for "the message box to close" lacks_box "$main"
    refocus "$main"
}

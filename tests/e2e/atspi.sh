# Sourced by the end-to-end tests that read the program's accessibility tree over AT-SPI
# (with tests/e2e/atspi.py). In the test script, before sourcing session.sh:
#
#   source "$(dirname "$0")/atspi.sh"
#   atspi_session "$@"      # runs the script again on a session bus of its own
#   source "$(dirname "$0")/session.sh"
#   start_x_server
#   start_atspi_registry
#   start_program FOLDER ...   # now on that bus with Qt's accessibility bridge on
#   "$atspi_python" CHECK.py ...
#
# Needs dbus-run-session (dbus), at-spi2-core and python3-pyatspi; exits 77 (skipped) when they
# are missing, except under CI.

# The Python that has pyatspi: Debian's, which a python3 earlier on PATH may hide.
atspi_python=""
for candidate in /usr/bin/python3 python3; do
    if command -v "$candidate" >/dev/null && "$candidate" -c 'import pyatspi' 2>/dev/null; then
        atspi_python="$(command -v "$candidate")"
        break
    fi
done

# The accessibility bus's launcher, which D-Bus starts on demand (at-spi2-core).
atspi_launcher=""
[ -f /usr/share/dbus-1/services/org.a11y.Bus.service ] && atspi_launcher=yes

# atspi_session "$@": unless already on one, runs the calling script again under a session bus
# of its own (ended with the script), so that the desktop's bus and its assistive tools are
# never involved.
atspi_session() {
    local missing=""
    command -v dbus-run-session >/dev/null || missing="dbus-run-session (dbus)"
    [ -n "$atspi_launcher" ] || missing="the org.a11y.Bus service (at-spi2-core)"
    [ -n "$atspi_python" ] || missing="python3 with pyatspi (python3-pyatspi)"
    if [ -n "$missing" ]; then
        echo "missing $missing" >&2
        [ -n "${CI:-}" ] && exit 1
        exit 77
    fi
    if [ -z "${VELDRUN_ATSPI_BUS:-}" ]; then
        # The accessibility bus puts its socket in XDG_RUNTIME_DIR (else in ~/.cache): a folder
        # of its own, or two tests at once share one socket and the first to end removes it.
        local runtime status=0
        runtime="$(mktemp -d)"
        chmod 700 "$runtime"
        env VELDRUN_ATSPI_BUS=1 XDG_RUNTIME_DIR="$runtime" dbus-run-session -- bash "$0" "$@" ||
            status=$?
        rm -rf "$runtime"
        exit "$status"
    fi
    # session.sh's start_program keeps this bus and turns Qt's bridge on.
    export atspi_bus=1
}

# Starts the accessibility bus on the session bus, which D-Bus does on the first request for
# its address (started by hand it would race that request); the bus starts the registry when
# the program registers. Qt asks for the bus at start; QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (set
# by start_program) makes it register without a screen reader running.
start_atspi_registry() {
    wait_for "the accessibility bus" atspi_bus_up
}

atspi_bus_up() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null 2>&1
}

#!/usr/bin/env bash
# Starts the real program under LANG=de_DE.UTF-8 in its own X server and reads, over AT-SPI
# as a screen reader does (german-texts.py), the German texts of its main window, the replace
# question with Qt's own Yes and No, and the quit question. The question's No must leave the
# existing output as it was.
#
# Usage: german.sh PATH/TO/veldrun
# Needs Xvfb (xvfb), xdotool, dbus-run-session (dbus), at-spi2-core, python3-pyatspi and the
# de_DE.UTF-8 locale (made with locale-gen when missing and run as root). Exits 77 (skipped)
# when they are missing, except under CI.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
source "$here/atspi.sh"
atspi_session "$@"

program="$(realpath "$1")"
source "$here/../support/require-tools.sh"
require_tools Xvfb xdotool

if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
    if [ "$(id -u)" -eq 0 ] && command -v locale-gen >/dev/null && [ -f /etc/locale.gen ]; then
        sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        locale-gen >/dev/null
    fi
    if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
        echo "missing the de_DE.UTF-8 locale (locales)" >&2
        [ -n "${CI:-}" ] && exit 1
        exit 77
    fi
fi

source "$here/session.sh"
program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }

clip="$work/00001.MTS"
printf 'clip bytes' >"$clip"
output="$work/joined.mts"
printf 'kept' >"$output"

# The desktop's language as a user sets it; nothing more specific may override it.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=de_DE.UTF-8

start_x_server
start_atspi_registry
start_program "$work" "$clip"
main="$(focus_window Veldrun)"

"$atspi_python" "$here/german-texts.py" "$app_pid" main "$output" >"$work/main.log" 2>&1 ||
    fail "the main window and the replace question in German"
[ "$(cat "$output")" = kept ] || fail "No to the replace question changed the output"

refocus "$main"
xdotool key Escape
"$atspi_python" "$here/german-texts.py" "$app_pid" quit >"$work/quit.log" 2>&1 ||
    fail "the quit question in German"
wait_for "the program to end" program_ended
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "German texts read through the accessibility tree"

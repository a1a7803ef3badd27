#!/usr/bin/env bash
# Runs the dialog tests that need a real window system (a real mouse drag, the desktop opening a
# folder) on an X server of their own.
#
# Usage: desktop-drag.sh PATH/TO/desktop_ui_tests
# Needs Xvfb (xvfb) and xdotool. Exits 77 (skipped) when they are missing, except under CI.
set -euo pipefail

tests="$(realpath "$1")"
source "$(dirname "$0")/../support/require-tools.sh"
require_tools Xvfb xdotool

source "$(dirname "$0")/session.sh"
start_x_server
QT_QPA_PLATFORM=xcb HOME="$work" "$tests"

#!/usr/bin/env bash
# Horaloom as a screen reader meets it, over AT-SPI: the controls of the main window and the
# Select Alarm dialog reach it with their names and descriptions (that every control has both,
# tests/views checks on the same accessible interfaces); the box that refuses a broken settings
# file carries the reason behind "Show Details".
if [[ -z ${HORALOOM_A11Y_BUS:-} ]]; then # a session bus of its own, for the accessibility bus
    exec env HORALOOM_A11Y_BUS=1 dbus-run-session -- "$0" "$@"
fi
source "$(dirname "$0")/common.sh"
atspi() { /usr/bin/python3 "$(dirname "$0")/atspi.py" "$@"; }
if [[ ! -x /usr/libexec/at-spi-bus-launcher ]] || ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "SKIP: at-spi2-core or python3-pyatspi is not installed"
    exit 77
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=("$!")
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

start_horaloom "$(settings_dir)"
atspi tree >"$workdir/main.txt"
check "the digit boxes are named by what they hold" grep -q '^text|Hours, tens digit|' "$workdir/main.txt"
check "the buttons say what they do, name and description" grep -q '^push button|Count Down|Counts down' "$workdir/main.txt"
keys "$window" alt+s s
wait_for 10 window_of "$pid" "^Select Alarm$"
atspi tree >"$workdir/dialog.txt"
check "the dialog's options are named" grep -q '^radio button|Play Wave File|' "$workdir/dialog.txt"
end_with TERM "$pid"

start_horaloom "$(settings_dir ' 0 \r\n 0 \r\n 0 \r\n 40000 \r\n 0 \r\n\r\n0\r\n')"
atspi press "Show Details..."
reason_shown() { atspi text | grep "Horaloom.ini, line 4: value 40000 is outside -32768..32767" >/dev/null; }
check "a start-up box's details name the file, the line and the problem" wait_for 5 reason_shown

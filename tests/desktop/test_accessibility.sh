#!/usr/bin/env bash
# Horaloom as a screen reader meets it: every control of the main window and the Select Alarm
# dialog has a name and a description, read over AT-SPI; and the box that refuses a broken
# settings file carries the reason behind "Show Details".
if [[ -z ${HORALOOM_A11Y_BUS:-} ]]; then
    # A session bus of its own, with the accessibility bus on it.
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

# Every control with a name; every one but the menu entries (named by their captions) with a
# description too.
undescribed() {
    awk -F'|' '$1 ~ /^(text|push button|label|radio button|panel|filler|popup menu)$/ &&
               ($2 == "" || $3 == "")' "$1"
}

dir=$(settings_dir)
start_horaloom "$dir"
pid=$started_pid
window=""
wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
atspi tree >"$workdir/main.txt"
check "the digit boxes are named by what they hold" \
    grep -q '^text|Hours, tens digit|' "$workdir/main.txt"
check "the clock box is the current time" grep -q '^text|Current time|The time of day$' "$workdir/main.txt"
check "the buttons say what they do" grep -q '^push button|Count Down|Counts down' "$workdir/main.txt"
check "every control of the main window is named and described ($(undescribed "$workdir/main.txt" | tr '\n' ';'))" \
    test -z "$(undescribed "$workdir/main.txt")"

xdotool windowactivate --sync "$window" key --clearmodifiers alt+s
sleep 0.3
xdotool key s
wait_for 10 eval '[[ -n $(find_window "$pid" "^Select Alarm$") ]]'
atspi tree >"$workdir/dialog.txt"
check "the wave file's box is the wave file path" grep -q '^text|Wave file path|' "$workdir/dialog.txt"
check "the options are named" grep -q '^radio button|Play Wave File|' "$workdir/dialog.txt"
check "every control of the Select Alarm dialog is named and described ($(undescribed "$workdir/dialog.txt" | tr "\n" ";"))" \
    test -z "$(undescribed "$workdir/dialog.txt")"
kill -TERM "$pid"
wait "$pid" || true

# A settings file with a value out of range, in a plain directory.
dir=$(settings_dir ' 0 \r\n 0 \r\n 0 \r\n 40000 \r\n 0 \r\n\r\n0\r\n')
start_horaloom "$dir"
pid=$started_pid
check "the start-up box appears" wait_for 20 eval '[[ -n $(find_window "$pid" "^Horaloom$") ]]'
atspi press "Show Details..."
check "its details name the file, the line and the problem" \
    wait_for 5 eval 'atspi text | grep -q "Horaloom.ini, line 4: value 40000 is outside -32768..32767"'

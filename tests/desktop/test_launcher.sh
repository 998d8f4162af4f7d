#!/usr/bin/env bash
# The installed launcher as a desktop user meets it, who sees boxes and never standard error: a
# settings file Horaloom cannot read gets a box of the launcher's, then Horaloom starts; a file in
# place of the settings directory gets a box, and nothing starts. What the launcher does with the
# files, and what it says on standard error, tests/packaging checks without a display.
source "$(dirname "$0")/common.sh"
: "${HORALOOM_BUILD_DIR:?}"
DESTDIR=$workdir/root cmake --install "$HORALOOM_BUILD_DIR" --prefix /usr >/dev/null
export HOME=$workdir/home
unset XDG_CONFIG_HOME XDG_DATA_HOME
config=$HOME/.config/horaloom
mkdir -p "$config"

# Starts the launcher and waits for a visible window called Horaloom (a box or the main window).
launch() {
    "$workdir/root/usr/bin/horaloom-launcher" >"$workdir/launcher.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    wait_for 20 shown '^Horaloom$' && window=$found
}
launchers_box() { [[ $(xprop -id "$window" _NET_WM_PID) != *" $pid" && $(width_of "$window") != 177 ]]; }

printf ' 0 \r\n x \r\n' >"$config/Horaloom.ini"
check "a box says the settings could not be read" launch
check "the box is the launcher's, before Horaloom starts" launchers_box
keys "$window" Return
check "once the box is closed Horaloom's main window appears" wait_for 20 window_of "$pid" "^Horaloom$"
check "the main window is Horaloom's own (177 pixels wide)" test "$(width_of "$found")" -eq 177
end_with TERM "$pid"

rm -rf -- "$config"
echo "my own file" >"$config"
check "a file in place of the settings directory gets a box" launch
keys "$window" Return
status=0
wait_for 10 gone "$pid" && { wait "$pid" || status=$?; }
check "then the launcher ends with status 1 (got $status)" test "$status" -eq 1

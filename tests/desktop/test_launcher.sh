#!/usr/bin/env bash
# The installed launcher as a desktop user meets it, who sees boxes and never standard error: a
# settings file Horaloom cannot read is moved aside with a box saying so, then Horaloom starts;
# a file in place of the settings directory gets a box, and nothing starts.
source "$(dirname "$0")/common.sh"
: "${HORALOOM_BUILD_DIR:?}"
DESTDIR=$workdir/root cmake --install "$HORALOOM_BUILD_DIR" --prefix /usr >/dev/null
launcher=$workdir/root/usr/bin/horaloom-launcher
export HOME=$workdir/home
unset XDG_CONFIG_HOME XDG_DATA_HOME
config=$HOME/.config/horaloom
mkdir -p "$config"

# Starts the launcher and waits for a visible window called Horaloom (a box or the main window).
launch() {
    "$launcher" >"$workdir/launcher.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    wait_for 20 shown_horaloom
}
shown_horaloom() { window=$(xdotool search --onlyvisible --name '^Horaloom$' | sed -n 1p) && [[ -n $window ]]; }
launchers_box() { [[ $(xprop -id "$window" _NET_WM_PID) != *" $pid" && $(width_of "$window") != 177 ]]; }

printf ' 0 \r\n x \r\n' >"$config/Horaloom.ini"
cp "$config/Horaloom.ini" "$workdir/broken.ini"
check "a box says the settings could not be read" launch
check "the box is the launcher's, before Horaloom starts" launchers_box
check "the unreadable file is kept under a dated name" \
    cmp -- "$workdir/broken.ini" "$(find "$config" -name 'Horaloom.ini.unreadable-*' | sed -n 1p)"
keys "$window" Return
check "once the box is closed Horaloom's main window appears" wait_for 20 window_of "$pid" "^Horaloom$"
check "the main window is Horaloom's own (177 pixels wide)" test "$(width_of "$found")" -eq 177
check "the launcher said so once on standard error" test "$(grep -c 'moved it aside' "$workdir/launcher.log")" -eq 1
end_with TERM "$pid"
check "Horaloom started from the launcher ends cleanly (got $ended_status)" test "$ended_status" -eq 0
check "with the default settings in place" cmp -- "$workdir/root/usr/share/horaloom/Horaloom.ini" "$config/Horaloom.ini"

rm -rf -- "$HOME/.config"
mkdir -p "$HOME/.config"
echo "my own file" >"$config"
check "a file in place of the settings directory gets a box" launch
keys "$window" Return
check "then the launcher ends" wait_for 10 gone "$pid"
status=0
wait "$pid" || status=$?
check "with status 1 (got $status)" test "$status" -eq 1
check "naming what is in the way on standard error" grep -q "$config: it is not a directory" "$workdir/launcher.log"
check "and leaves it untouched" test "$(cat "$config")" = "my own file"

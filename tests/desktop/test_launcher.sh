#!/usr/bin/env bash
# The installed launcher as a desktop user meets it, who sees boxes and never standard error: a
# settings file Horaloom cannot read is moved aside with a box that says so and Horaloom starts;
# a file in place of the settings directory gets a box and nothing starts.
source "$(dirname "$0")/common.sh"
: "${HORALOOM_BUILD_DIR:?}"

DESTDIR=$workdir/root cmake --install "$HORALOOM_BUILD_DIR" --prefix /usr >/dev/null
launcher=$workdir/root/usr/bin/horaloom-launcher
export HOME=$workdir/home
unset XDG_CONFIG_HOME XDG_DATA_HOME
config=$HOME/.config/horaloom
mkdir -p "$config"

# A visible window called Horaloom (a box or the main window); prints its id.
visible_horaloom() { xdotool search --onlyvisible --name '^Horaloom$' 2>/dev/null | head -n 1; }
window_pid() { xprop -id "$1" _NET_WM_PID | sed -n 's/.* = //p'; }
window_width() { xwininfo -id "$1" | awk '/Width:/ {print $2}'; }
press_return() {
    xdotool windowactivate --sync "$1" key --clearmodifiers Return 2>/dev/null || xdotool key Return
}

printf ' 0 \r\n x \r\n' >"$config/Horaloom.ini"
cp "$config/Horaloom.ini" "$workdir/broken.ini"
"$launcher" >"$workdir/recover.log" 2>&1 &
launcher_pid=$!
pids+=("$launcher_pid")
box=""
check "a box says the settings could not be read" \
    wait_for 20 eval 'box=$(visible_horaloom); [[ -n $box ]]'
check "the box is the launcher's, shown before Horaloom starts" \
    eval '[[ $(window_pid "$box") != "$launcher_pid" && $(window_width "$box") != 177 ]]'
aside=$(find "$config" -name 'Horaloom.ini.unreadable-*' | head -n 1)
check "the unreadable file is kept under a dated name" cmp -- "$workdir/broken.ini" "$aside"
press_return "$box"
window=""
check "once the box is closed Horaloom's main window appears" \
    wait_for 20 eval 'window=$(find_window "$launcher_pid" "^Horaloom$"); [[ -n $window ]]'
check "the main window is Horaloom's own (177 pixels wide)" test "$(window_width "$window")" -eq 177
check "the launcher said it once on standard error" \
    test "$(grep -c 'moved it aside' "$workdir/recover.log")" -eq 1
kill -TERM "$launcher_pid"
status=0
wait "$launcher_pid" || status=$?
check "Horaloom started from the launcher ends cleanly (got $status)" test "$status" -eq 0
check "Horaloom started with the default settings" \
    cmp -- "$workdir/root/usr/share/horaloom/Horaloom.ini" "$config/Horaloom.ini"

rm -rf -- "$HOME/.config"
mkdir -p "$HOME/.config"
echo "my own file" >"$config"
"$launcher" >"$workdir/blocked.log" 2>&1 &
launcher_pid=$!
pids+=("$launcher_pid")
box=""
check "a file in place of the settings directory gets a box" \
    wait_for 20 eval 'box=$(visible_horaloom); [[ -n $box ]]'
press_return "$box"
status=0
wait_for 10 eval '! kill -0 "$launcher_pid" 2>/dev/null' || true
wait "$launcher_pid" || status=$?
check "then the launcher ends with status 1 (got $status)" test "$status" -eq 1
check "and names what is in the way on standard error" grep -q "$config: it is not a directory" \
    "$workdir/blocked.log"
check "the file in the way is untouched" test "$(cat "$config")" = "my own file"

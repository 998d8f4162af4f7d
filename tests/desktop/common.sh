# Shared by the desktop tests: start Horaloom as a user would and look at it from outside.
# Sourced by scripts that run inside scripts/desktop-session; HORALOOM is the binary.

set -euo pipefail
: "${HORALOOM:?set HORALOOM to the horaloom binary}"

source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
pids=()
workdir=$(mktemp -d)

finish() {
    local status=$? pid
    for pid in "${pids[@]}"; do
        kill -TERM "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf -- "$workdir"
    report_checks "$status"
}
trap finish EXIT

# Writes the default settings file (or the given bytes) into a fresh directory.
settings_dir() {
    local dir
    dir=$(mktemp -d -p "$workdir")
    printf '%b' "${1:- 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n}" >"$dir/Horaloom.ini"
    echo "$dir"
}

# Starts Horaloom in a directory, with env's arguments if given; sets started_pid.
start_horaloom() { # start_horaloom DIR [ENV-ARGUMENTS...]
    (cd "$1" && exec env "${@:2}" "$HORALOOM") >"$workdir/horaloom.$BASHPID.log" 2>&1 &
    started_pid=$!
    pids+=("$started_pid")
}

# Polls a command until it succeeds or the seconds run out.
wait_for() { # wait_for SECONDS COMMAND...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# The window of a process with the given title (regular expression); prints its id.
find_window() { # find_window PID REGEX
    xdotool search --all --pid "$1" --name "$2" 2>/dev/null | head -n 1
}

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# Hides the main window to the tray with Alt+H and waits until it is off the screen.
hide_window() { # hide_window WINDOW
    local hiding=$1
    xdotool windowactivate --sync "$hiding" key --clearmodifiers alt+h
    wait_for 5 eval '! viewable "$hiding"'
}

window_title() {
    xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'
}

# The mean of a region of a window's picture, 0 (black) to 1 (white).
region_mean() { # region_mean WINDOW X Y WIDTH HEIGHT
    import -silent -window "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -format '%[fx:mean]' info: 2>/dev/null
}

# Clicks a place of the client area (below the menu bar) given in twips, as in the layout.
click_client() { # click_client WINDOW LEFT TOP
    local height menu
    height=$(xwininfo -id "$1" | awk '/Height:/ {print $2}')
    menu=$((height - 161))
    xdotool mousemove --window "$1" $(($2 / 15)) $((menu + $3 / 15)) click 1
}
# The middle of the two button places at Top 1440: left (Count Up) and right (Count Down, Start).
click_left_button() { click_client "$1" 697 1627; }
click_right_button() { click_client "$1" 1957 1627; }

# Count Down, the six digits, Start Timer; waits until the caption shows the count running.
# By mouse here; the countdown test drives the same with access keys.
start_countdown() { # start_countdown WINDOW DIGITS
    local countdown_window=$1 first=${2:0:2}:${2:2:2}:${2:4:1} last=${2:5:1}
    xdotool windowactivate --sync "$countdown_window"
    sleep 0.2 # let the window manager settle the activation before the click
    click_right_button "$countdown_window"
    sleep 0.2
    xdotool type --delay 80 "$2"
    xdotool key Return # the focus ended on Start Timer
    # The first step shows the typed time less one second (or the alarm for one second).
    wait_for 3 eval '[[ $(window_title "$countdown_window") == ${first}[$((last > 0 ? last - 1 : 0))-$last]"   Horaloom" ]]'
}

# Count Up and Start Timer.
start_count_up() { # start_count_up WINDOW
    xdotool windowactivate --sync "$1"
    sleep 0.2
    click_left_button "$1"
    sleep 0.2
    click_right_button "$1"
}

# shellcheck shell=bash disable=SC2034 # the variables are for the scripts that source this
# Shared by the desktop tests, which run inside scripts/desktop-session: Horaloom started as a
# user starts it, driven with xdotool and looked at from outside. HORALOOM is the binary.
set -euo pipefail
: "${HORALOOM:?set HORALOOM to the horaloom binary}"

# shellcheck source-path=SCRIPTDIR source=../check.sh
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
    if ((status != 0)) && [[ -s $workdir/horaloom.log ]]; then
        echo "Horaloom's output:" && cat "$workdir/horaloom.log"
    fi
    rm -rf -- "$workdir"
    report_checks "$status"
}
trap finish EXIT

# A fresh directory with a settings file: the default one, or these bytes (printf escapes).
settings_dir() {
    local dir
    dir=$(mktemp -d -p "$workdir")
    printf '%b' "${1:- 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n}" >"$dir/Horaloom.ini"
    echo "$dir"
}

# Polls a command until it succeeds; false once the seconds are up.
wait_for() { # wait_for SECONDS COMMAND...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# Sets found to the window of PID whose title matches REGEX, if there is one.
window_of() { # window_of PID REGEX
    found=$(xdotool search --all --pid "$1" --name "$2" 2>/dev/null | sed -n 1p)
    [[ -n $found ]]
}
# Sets found to a window on the screen whose title matches REGEX, if there is one.
shown() { found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | sed -n 1p) && [[ -n $found ]]; }

# Starts Horaloom in DIR (env's arguments after it) and waits for a window titled Horaloom:
# sets pid and window.
start_horaloom() { # start_horaloom DIR [ENV-ARGUMENTS...]
    (cd "$1" && exec env "${@:2}" "$HORALOOM") >>"$workdir/horaloom.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    window=""
    # Found by its title, the window may not be mapped yet: keys and searches for windows on
    # the screen need it there.
    wait_for 20 window_of "$pid" "^Horaloom$" && window=$found && wait_for 20 viewable "$window"
}

# Ends Horaloom with a signal and sets ended_status.
end_with() { # end_with SIGNAL PID
    kill -"$1" "$2"
    ended_status=0
    wait "$2" 2>/dev/null || ended_status=$?
}

gone() { ! kill -0 "$1" 2>/dev/null; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep IsViewable >/dev/null; }
hidden() { ! viewable "$1"; }
in_front() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
width_of() { xwininfo -id "$1" | awk '/Width:/ {print $2}'; }
title_of() {
    xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'
}
titled() { [[ $(title_of "$1") =~ $2 ]]; } # titled WINDOW REGEX
raw_title() { xprop -id "$1" WM_NAME _NET_WM_NAME 2>/dev/null; }

# The mean grey of a window's bottom right corner, 0 black to 1 white.
corner() {
    local height
    height=$(xwininfo -id "$1" | awk '/Height:/ {print $2}')
    import -silent -window "$1" -crop "5x5+170+$((height - 6))" +repage -colorspace Gray \
        -format '%[fx:mean]' info: 2>/dev/null
}
black() { [[ $(corner "$1") == 0 ]]; }
flashing() {
    local mean
    mean=$(corner "$1")
    [[ -n $mean && $mean != 0 ]]
}

# Keys to a window once it is in front.
keys() { xdotool windowactivate --sync "$1" key --clearmodifiers "${@:2}"; } # keys WINDOW KEY...
# Quit, and Yes to the question it asks; window and pid are the running Horaloom's.
quit_yes() { keys "$window" alt+q && wait_for 5 window_of "$pid" "^Exit Horaloom$" && keys "$found" Return; }

# Count Down, the six digits, Start Timer, all from the keyboard; true once the caption shows
# the first step (the typed time less a second, or zero).
start_countdown() { # start_countdown WINDOW DIGITS
    keys "$1" alt+d
    xdotool type --delay 50 "$2"
    xdotool key Return # the focus ended on Start Timer
    wait_for 3 titled "$1" "^${2:0:2}:${2:2:2}:${2:4:1}[0-9]   Horaloom$"
}
start_count_up() { keys "$1" alt+u alt+a; } # Count Up, Start Timer

# Shared by the desktop tests: start Horaloom as a user would and look at it from outside.
# Sourced by scripts that run inside scripts/desktop-session; HORALOOM is the binary.

set -euo pipefail
: "${HORALOOM:?set HORALOOM to the horaloom binary}"

passed=0
failed=0
pids=()
workdir=$(mktemp -d)

finish() {
    local pid
    for pid in "${pids[@]}"; do
        kill -TERM "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf -- "$workdir"
    echo "$passed passed, $failed failed"
    ((failed == 0))
}
trap finish EXIT

check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok: $what"
    else
        failed=$((failed + 1))
        echo "FAILED: $what"
    fi
}

# Writes the default settings file (or the given bytes) into a fresh directory.
settings_dir() {
    local dir
    dir=$(mktemp -d -p "$workdir")
    printf '%b' "${1:- 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n}" >"$dir/Horaloom.ini"
    echo "$dir"
}

# Starts Horaloom in a directory; sets started_pid.
start_horaloom() {
    (cd "$1" && exec "$HORALOOM") >"$workdir/horaloom.$BASHPID.log" 2>&1 &
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

window_title() {
    xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'
}

# The mean of a region of a window's picture, 0 (black) to 1 (white).
region_mean() { # region_mean WINDOW X Y WIDTH HEIGHT
    import -silent -window "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -format '%[fx:mean]' info: 2>/dev/null
}

#!/usr/bin/env bash
# Horaloom started as a user would: its window, its size and colour, and the second copy refused.
source "$(dirname "$0")/common.sh"

dir=$(settings_dir)
start_horaloom "$dir"
first=$started_pid
window=""
check "the main window appears with the caption Horaloom" \
    wait_for 20 eval 'window=$(find_window "$first" "^Horaloom$"); [[ -n $window ]]'

geometry=$(xwininfo -id "$window")
width=$(awk '/Width:/ {print $2}' <<<"$geometry")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
# The client area is 177 x 161 at 96 dpi; the menu bar stands above it.
check "the window is 177 pixels wide (got $width)" test "$width" -eq 177
check "the window is 161 pixels high below its menu bar (got $height)" \
    test "$height" -ge 176 -a "$height" -le 200

wait_for 5 eval '[[ $(region_mean "$window" 170 $((height - 6)) 5 5) == 0 ]]' || true
mean=$(region_mean "$window" 170 $((height - 6)) 5 5)
check "the background is black (bottom right mean $mean)" test "$mean" = 0
mean=$(region_mean "$window" 2 $((height - 60)) 4 10)
check "the background is black (left edge mean $mean)" test "$mean" = 0
# The digit strip is white across its width.
strip=$(region_mean "$window" 100 $((height - 161 + 40)) 20 3)
check "the digit strip is white (mean $strip)" awk -v m="$strip" 'BEGIN { exit !(m > 0.9) }'

# A second copy says so and ends; the first goes on and comes forward, from the tray too. What
# is claimed is the display: a copy with another runtime directory, or none, is refused as well.
second_copy() { # second_copy WHAT [ENV-ARGUMENTS...]
    local what=$1 second box="" status=0
    shift
    hide_window "$window"
    start_horaloom "$dir" "$@"
    second=$started_pid
    check "$what: the second copy shows its refusal" \
        wait_for 20 eval 'box=$(find_window "$second" "^Horaloom$"); [[ -n $box ]]'
    check "$what: the refusal is a message box, not a main window" \
        eval '[[ $(xwininfo -id "$box" | awk "/Width:/ {print \$2}") != 177 ]]'
    check "$what: the first copy's hidden window is back on the screen" \
        wait_for 5 viewable "$window"
    xdotool windowactivate --sync "$box" key --clearmodifiers Return 2>/dev/null || xdotool key Return
    wait_for 10 eval '! kill -0 "$second" 2>/dev/null' || kill -KILL "$second"
    wait "$second" || status=$?
    check "$what: the second copy ends with a failure status (got $status)" test "$status" -eq 1
    check "$what: the first copy's window is in front once the box is gone" \
        wait_for 5 eval '[[ $(xdotool getactivewindow) == "$window" ]]'
}
second_copy "same session"
runtime=$(mktemp -d -p "$workdir")
second_copy "another XDG_RUNTIME_DIR" XDG_RUNTIME_DIR="$runtime"
second_copy "no XDG_RUNTIME_DIR" -u XDG_RUNTIME_DIR
check "the first copy is still running" kill -0 "$first"

# SIGTERM ends Horaloom cleanly.
kill -TERM "$first"
status=0
wait "$first" || status=$?
check "SIGTERM ends Horaloom with status 0 (got $status)" test "$status" -eq 0

# Where other programs' titles cannot be written (here: no window system at all), Horaloom
# still starts and says so once on standard error.
dir=$(settings_dir)
errors=$(cd "$dir" && QT_QPA_PLATFORM=offscreen timeout -s TERM 3 "$HORALOOM" 2>&1 >/dev/null || true)
check "without X11 one line says the titles of other programs stay untouched" \
    test "$(grep -c "cannot be shown in other programs' titles" <<<"$errors")" -eq 1

# No window system to open the window on: one line and status 1, not Qt's abort (134).
no_display() { # no_display WHAT ENV-ARGUMENTS...
    local what=$1 errors status=0
    shift
    errors=$(cd "$dir" && timeout -s KILL 10 env "$@" "$HORALOOM" 2>&1 >/dev/null) || status=$?
    check "$what: one line and status 1 (got $status: $errors)" \
        eval '[[ $status -eq 1 && -n $errors && $(wc -l <<<"$errors") -eq 1 ]]'
}
no_display "no DISPLAY" -u DISPLAY -u WAYLAND_DISPLAY
no_display "no DISPLAY, no platform named" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
no_display "Wayland without a compositor" -u WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland

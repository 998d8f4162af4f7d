#!/usr/bin/env bash
# Horaloom started as a user would: its window, a countdown typed from the keyboard running to
# the flashing alarm on the wall clock, the tray, a second copy refused, and the ways it ends.
source "$(dirname "$0")/common.sh"

dir=$(settings_dir)
check "the main window appears" start_horaloom "$dir"
first=$pid main=$window
height=$(xwininfo -id "$main" | awk '/Height:/ {print $2}')
check "it is 177 pixels wide, 161 high below its menu bar" \
    test "$(width_of "$main")" -eq 177 -a "$height" -ge 176 -a "$height" -le 200
check "on black" wait_for 5 black "$main"

started=$SECONDS
check "a countdown typed from the keyboard shows in the caption" start_countdown "$main" 000005
check "the count reaches zero" wait_for 8 titled "$main" "^00:00:00   Horaloom$"
check "not before four wall-clock seconds" test $((SECONDS - started)) -ge 4
check "the window flashes" wait_for 3 flashing "$main"
palette=" 000000 000080 008000 008080 800000 800080 808000 C0C0C0 808080 0000FF 00FF00 00FFFF FF0000 FF00FF FFFF00 FFFFFF "
colours=()
for _ in 1 2 3 4 5 6; do # every half second a colour of the sixteen
    colours+=("$(import -window "$main" -crop "1x1+172+$((height - 4))" txt:- 2>/dev/null |
        grep -o '#[0-9A-F]\{6\}' | tr -d '#')")
    sleep 0.5
done
in_palette() { local c; for c in "${colours[@]}"; do [[ $palette == *" $c "* ]] || return 1; done; }
check "in colours of the palette (${colours[*]})" in_palette
check "changing as it flashes" test "$(printf '%s\n' "${colours[@]}" | sort -u | wc -l)" -ge 2
keys "$main" alt+o
check "Stop Timer paints it black again" wait_for 3 black "$main"

# The tray: the icon is the small window of ours the tray host embeds.
tray_icon() {
    local w
    for w in $(xdotool search --all --pid "$first" 2>/dev/null); do
        if [[ $w != "$main" ]] && viewable "$w" && (($(width_of "$w") <= 48)); then
            icon=$w
            return 0
        fi
    done
    return 1
}
hide() { keys "$main" alt+h && wait_for 5 hidden "$main"; }
back() { wait_for 5 viewable "$main" && wait_for 5 in_front "$main"; }
check "the tray icon is there" wait_for 10 tray_icon
for button in 1 3 2; do
    check "Alt+H hides the window, though Count Up covers the Hide button" hide
    xdotool mousemove --window "$icon" 8 8 click "$button"
    check "mouse button $button on the icon brings it back in front" back
done
check "a countdown starts" start_countdown "$main" 000003
hide
check "its end brings the hidden window back" wait_for 8 viewable "$main"
check "flashing" wait_for 3 flashing "$main"
keys "$main" alt+o

# A second copy says so and ends; the first comes forward, from the tray too. What is claimed
# is the display: a copy with another runtime directory, or none, is refused as well.
is_box() { [[ -n $box && $(width_of "$box") != 177 ]]; }
second_copy() { # second_copy WHAT [ENV-ARGUMENTS...]
    local what=$1 status=0
    shift
    hide
    start_horaloom "$dir" "$@"
    box=$window
    check "$what: the second copy shows a box, not a main window" is_box
    check "$what: the first copy's window is back" wait_for 5 viewable "$main"
    keys "$box" Return
    wait_for 10 gone "$pid" || kill -KILL "$pid"
    wait "$pid" || status=$?
    check "$what: the second copy ends with status 1 (got $status)" test "$status" -eq 1
    check "$what: the first copy's window is in front" wait_for 5 in_front "$main"
}
second_copy "the same session"
second_copy "another runtime directory" XDG_RUNTIME_DIR="$workdir"
second_copy "no runtime directory" -u XDG_RUNTIME_DIR

# The tray host goes away while the window is hidden: it comes back, as the icon could not bring
# it. A new tray host docks a new icon that works as the first did.
hide
kill -TERM "$HORALOOM_SESSION_TRAYER_PID"
check "when the tray host ends, the hidden window comes back" wait_for 5 viewable "$main"
trayer --edge bottom --align right --widthtype request --height 24 --transparent true \
    --expand true </dev/null >"$workdir/trayer.log" 2>&1 &
pids+=("$!")
check "a new tray host shows a new icon" wait_for 10 tray_icon
hide
xdotool mousemove --window "$icon" 8 8 click 1
check "which brings the window back" back
end_with TERM "$first"

# With no window system to open the window on, one line and status 1 (where there is one but
# not X11, tests/packaging runs Horaloom offscreen).
for environment in "-u DISPLAY -u WAYLAND_DISPLAY" "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM" \
    "-u WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland"; do
    status=0
    # shellcheck disable=SC2086
    errors=$(cd "$dir" && timeout -s KILL 10 env $environment "$HORALOOM" 2>&1 >/dev/null) || status=$?
    check "$environment: one line and status 1 (got $status: $errors)" \
        test "$status" -eq 1 -a -n "$errors" -a "$(wc -l <<<"$errors")" -eq 1
done

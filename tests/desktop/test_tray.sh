#!/usr/bin/env bash
# Hiding to the tray and coming back: by the icon (any button) and by the end of a countdown.
source "$(dirname "$0")/common.sh"

dir=$(settings_dir)
start_horaloom "$dir"
pid=$started_pid
window=""
wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
tray_icon() { # the small window the tray host embeds
    local w
    for w in $(xdotool search --all --pid "$pid" 2>/dev/null); do
        if [[ $w != "$window" ]] && viewable "$w" &&
            [[ $(xwininfo -id "$w" | awk '/Width:/ {print $2}') -le 48 ]]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}
icon=""
check "the tray icon is there" wait_for 10 eval 'icon=$(tray_icon)'

hide() { hide_window "$window"; }
check "Alt+H hides the window although Count Up covers the Hide button" hide
check "the icon stays while the window is hidden" viewable "$icon"
for button in 1 3 2; do
    xdotool mousemove --window "$icon" 8 8 click "$button"
    check "releasing mouse button $button over the icon brings the window back" \
        wait_for 5 eval 'viewable "$window"'
    check "... in front" wait_for 5 eval '[[ $(xdotool getactivewindow) == "$window" ]]'
    [[ $button == 2 ]] || hide
done

# The tray host goes away while the window is hidden: the window comes back, as the icon could
# not bring it. A new tray host docks a new icon, and that one works as the first did.
hide
kill -TERM "$HORALOOM_SESSION_TRAYER_PID"
check "when the tray host ends, the hidden window comes back" wait_for 5 eval 'viewable "$window"'
trayer --edge bottom --align right --widthtype request --height 24 --transparent true \
    --expand true </dev/null >"$workdir/trayer.log" 2>&1 &
pids+=("$!")
check "a new tray host shows a new icon" wait_for 10 eval 'icon=$(tray_icon)'
for button in 1 3; do
    hide
    xdotool mousemove --window "$icon" 8 8 click "$button"
    check "button $button on the new icon brings the window back" \
        wait_for 5 eval 'viewable "$window"'
done

# A count goes on while hidden; the end of a countdown brings the window back by itself.
# The pointer leaves the icon and a click on the window's black corner gives it the keyboard.
xdotool mousemove --window "$window" 172 172 click 1
check "a countdown starts" start_countdown "$window" 000005
hide
check "the end of the countdown brings the hidden window back" wait_for 8 eval 'viewable "$window"'
viewable "$window" || echo "  (caption: $(window_title "$window"), active $(xdotool getactivewindow))"
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
check "and flashing" wait_for 3 eval 'mean=$(region_mean "$window" 170 $((height - 6)) 5 5); [[ -n $mean && $mean != 0 ]]'

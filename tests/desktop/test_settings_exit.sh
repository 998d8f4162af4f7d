#!/usr/bin/env bash
# The Settings toggles from the keyboard, Quit answered No and Yes, and the Help menu.
source "$(dirname "$0")/common.sh"

dir=$(settings_dir)
original=$(od -An -c "$dir/Horaloom.ini")
start_horaloom "$dir"
pid=$started_pid
window=""
wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
xdotool windowactivate --sync "$window"

# Settings: Save Position on Exit, Repeat Countdown, Display Clock in Title Bar.
for entry in p r d; do
    xdotool key --clearmodifiers alt+s
    sleep 0.3
    xdotool key "$entry"
    sleep 0.3
done

# F10 reaches the Help menu (Alt+H belongs to the Hide button).
open_help_entry() { # open_help_entry DOWN-PRESSES
    xdotool windowactivate --sync "$window"
    xdotool key F10
    sleep 0.2
    xdotool key Right Right # the Help menu opens with its first entry chosen
    sleep 0.2
    local i
    for ((i = 0; i < $1; i++)); do
        xdotool key Down
    done
    xdotool key Return
}
open_help_entry 0
help=""
check "Help, Program opens the Help window" \
    wait_for 5 eval 'help=$(find_window "$pid" "^Horaloom Version 1.00 Help$"); [[ -n $help ]]'
open_help_entry 1
about=""
check "Help, About opens the About window" \
    wait_for 5 eval 'about=$(find_window "$pid" "^About$"); [[ -n $about ]]'
xdotool windowactivate --sync "${about:-0}" key --clearmodifiers alt+o || true
check "Ok hides the About window" \
    wait_for 5 eval '! xwininfo -id "$about" | grep -q "IsViewable"'
open_help_entry 1
check "About opens again as the same window" \
    wait_for 5 eval 'xwininfo -id "$about" | grep -q "IsViewable"'

# Quit, No: nothing written.
question() { find_window "$pid" "^Exit Horaloom$"; }
xdotool windowactivate --sync "$window" key --clearmodifiers alt+q
box=""
check "Quit asks" wait_for 5 eval 'box=$(question); [[ -n $box ]]'
xdotool windowactivate --sync "$box" key Escape
check "No keeps Horaloom running" wait_for 5 eval '[[ -z $(question) ]] && kill -0 "$pid"'
check "No leaves the settings file as it was" test "$(od -An -c "$dir/Horaloom.ini")" = "$original"

# Quit, Yes: the seven lines hold the new values and where the window stands.
xdotool windowactivate --sync "$window" key --clearmodifiers alt+q
check "Quit asks again" wait_for 5 eval 'box=$(question); [[ -n $box ]]'
xdotool windowactivate --sync "$box" key Return
status=0
wait_for 10 eval '! kill -0 "$pid" 2>/dev/null' || true
wait "$pid" || status=$?
check "Yes ends Horaloom with status 0 (got $status)" test "$status" -eq 0
mapfile -t lines < <(tr -d '\r' <"$dir/Horaloom.ini")
check "the file has seven lines" test "${#lines[@]}" -eq 7
check "alarm, repeat and position lines" test "${lines[0]}|${lines[1]}|${lines[2]}" = " 0 | 1 | 1 "
check "the clock line" test "${lines[6]}" = "1"
check "every line ends in CR LF" test "$(grep -c $'\r$' "$dir/Horaloom.ini")" -eq 7
left=$(tr -d ' ' <<<"${lines[3]}")
top=$(tr -d ' ' <<<"${lines[4]}")
check "the position is in twips, away from the corner ($left, $top)" \
    test $((left % 15)) -eq 0 -a "$left" -gt 1000 -a "$top" -gt 1000


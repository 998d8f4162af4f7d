#!/usr/bin/env bash
# A countdown typed from the keyboard runs to zero on the wall clock, flashes, and stops.
source "$(dirname "$0")/common.sh"

dir=$(settings_dir)
start_horaloom "$dir"
pid=$started_pid
window=""
wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
xdotool windowactivate --sync "$window"

xdotool key --clearmodifiers alt+d
xdotool type --delay 50 000005 # at once: the access key has pressed its button
xdotool key Return # the focus ended on Start Timer
started=$(date +%s.%N)

# While the main window is in front, its own caption carries the running time.
check "the count shows in the caption" \
    wait_for 3 eval '[[ $(window_title "$window") == 00:00:0[1-4]"   Horaloom" ]]'
check "the count reaches zero" wait_for 8 eval '[[ $(window_title "$window") == "00:00:00   Horaloom" ]]'
ended=$(date +%s.%N)
elapsed=$(awk -v a="$started" -v b="$ended" 'BEGIN { printf "%.2f", b - a }')
# Five counted seconds, the first at the next change of the wall-clock second.
check "zero came after five wall-clock seconds (took $elapsed s)" \
    awk -v e="$elapsed" 'BEGIN { exit !(e >= 3.9 && e <= 5.6) }'

height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
flashing() { [[ $(region_mean "$window" 170 $((height - 6)) 5 5) != 0 ]]; }
check "the window flashes in colour" wait_for 3 flashing

# Every half second a colour of the sixteen-colour palette.
palette=" 000000 000080 008000 008080 800000 800080 808000 C0C0C0 808080 0000FF 00FF00 00FFFF FF0000 FF00FF FFFF00 FFFFFF "
pixel() { import -window "$window" -crop "1x1+172+$((height - 4))" txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | tr -d '#'; }
seen=()
for _ in 1 2 3 4 5 6; do
    seen+=("$(pixel)")
    sleep 0.5
done
outside=$(for c in "${seen[@]}"; do [[ $palette == *" $c "* ]] || echo "$c"; done)
check "every colour is a palette colour (${seen[*]})" test -z "$outside"
check "the colour changes as it flashes" test "$(printf '%s\n' "${seen[@]}" | sort -u | wc -l)" -ge 2

xdotool windowactivate --sync "$window" key --clearmodifiers alt+o
black() { [[ $(region_mean "$window" 170 $((height - 6)) 5 5) == 0 ]]; }
check "Stop Timer paints the window black again" wait_for 3 black
sleep 1.2
check "and it stays black" black

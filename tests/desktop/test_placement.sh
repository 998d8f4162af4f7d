#!/usr/bin/env bash
# The window's place is its outer frame's corner, both when it is put there at start-up and
# when it is saved at exit: a saved place comes back to the pixel however often Horaloom starts,
# and a centred window is centred with its frame.
source "$(dirname "$0")/common.sh"

# Starts Horaloom in DIR, waits for its window, notes the frame's corner and size in
# frame=(X Y WIDTH HEIGHT), and quits with Yes at once.
start_and_quit() { # start_and_quit DIR
    local pid window box="" x y width height extents left right top bottom
    start_horaloom "$1"
    pid=$started_pid
    window=""
    wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]' || return 1
    # The frame is known once the window manager has set its extents.
    wait_for 5 eval 'xprop -id "$window" _NET_FRAME_EXTENTS | grep -q "= "' || return 1
    read -r x y width height < <(xwininfo -id "$window" |
        awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
             /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r left right top bottom <<<"$extents"
    frame=("$((x - left))" "$((y - top))" "$((width + left + right))" "$((height + top + bottom))")
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+q
    wait_for 5 eval 'box=$(find_window "$pid" "^Exit Horaloom$"); [[ -n $box ]]' || return 1
    xdotool windowactivate --sync "$box" key Return
    wait "$pid"
}

# The worked example: saved at 2880, 1995 twips, started and quit at once, the same 55 bytes.
example=' 1 \r\n 0 \r\n 1 \r\n 2880 \r\n 1995 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n'
dir=$(settings_dir "$example")
cp "$dir/Horaloom.ini" "$workdir/example.ini"
start_and_quit "$dir"
check "the frame's corner stands at the saved place (192, 133 px; got ${frame[*]:0:2})" \
    test "${frame[*]:0:2}" = "192 133"
check "started and quit at once, the file comes back byte for byte" \
    cmp -s "$dir/Horaloom.ini" "$workdir/example.ini"

# Ten start/quit cycles from a place off the grid of whole pixels do not move it.
dir=$(settings_dir ' 0 \r\n 0 \r\n 1 \r\n 4503 \r\n 2001 \r\n\r\n0\r\n')
places=()
for ((i = 0; i < 10; i++)); do
    start_and_quit "$dir"
    places+=("${frame[0]},${frame[1]}")
done
check "ten starts put the frame at one place (${places[*]})" \
    test "$(printf '%s\n' "${places[@]}" | sort -u | wc -l)" -eq 1
check "and the file keeps it" test "$(sed -n 4,5p "$dir/Horaloom.ini" | tr -d ' \r\n')" = "45001995"

# Not saved: the frame is centred on the screen, as (screen - window) / 2 in twips.
dir=$(settings_dir)
start_and_quit "$dir"
read -r x y width height <<<"${frame[*]}"
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
check "the frame is centred to within a pixel ($x, $y for ${width}x$height)" \
    awk -v x="$x" -v y="$y" -v w="$width" -v h="$height" -v sw="$screen_w" -v sh="$screen_h" \
        'BEGIN { dx = x - (sw - w) / 2; dy = y - (sh - h) / 2
                 exit !(dx <= 1 && dx >= -1 && dy <= 1 && dy >= -1) }'

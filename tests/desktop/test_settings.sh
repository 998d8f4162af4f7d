#!/usr/bin/env bash
# The menus from the keyboard, Quit answered No and Yes, and the settings file it writes; the
# window's place, its outer frame's corner both when it is put there and when it is saved.
source "$(dirname "$0")/common.sh"

shown_windows() { { xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true; } | wc -l; } # none: 0
more_windows_than() { (($(shown_windows) > $1)); }
windows_back_to() { (($(shown_windows) == $1)); }
# Opens a menu with these keys and waits until it is on the screen, then presses the entry.
menu() { # menu "OPENING-KEYS" ENTRY-KEYS...
    local base
    base=$(shown_windows)
    # shellcheck disable=SC2086 # the opening keys, a word each
    keys "$window" $1
    wait_for 3 more_windows_than "$base"
    xdotool key "${@:2}"
    wait_for 3 windows_back_to "$base" || true # an entry may open a window of its own
}
question() { window_of "$pid" "^Exit Horaloom$"; }
no_question() { ! question && ! gone "$pid"; }

dir=$(settings_dir)
start_horaloom "$dir"
main=$window
menu alt+s p # Save Position on Exit, Repeat Countdown, Display Clock in Title Bar
menu alt+s r
menu alt+s d
menu "F10 Right Right" Return # F10 opens the menu bar (Alt+H is Hide's); Help, Program
check "Help, Program opens the Help window" wait_for 5 window_of "$pid" "^Horaloom Version 1.00 Help$"
menu "F10 Right Right" Down Return
check "Help, About opens the About window" wait_for 5 window_of "$pid" "^About$"
about=$found
keys "$about" alt+o
check "Ok hides it" wait_for 5 hidden "$about"
menu "F10 Right Right" Down Return
check "and it opens again as the same window" wait_for 5 viewable "$about"

keys "$main" alt+q
check "Quit asks" wait_for 5 question
keys "$found" Escape
check "No keeps Horaloom running" wait_for 5 no_question
quit_yes
check "Quit, Yes ends Horaloom" wait_for 10 gone "$pid"
status=0
wait "$pid" || status=$?
check "with status 0 (got $status)" test "$status" -eq 0
mapfile -t lines < <(tr -d '\r' <"$dir/Horaloom.ini")
check "alarm, repeat, position and clock as set (${lines[*]})" \
    test "${lines[0]}|${lines[1]}|${lines[2]}|${lines[6]}" = " 0 | 1 | 1 |1"

framed() { xprop -id "$1" _NET_FRAME_EXTENTS | grep "= " >/dev/null; } # the window manager has said
# Starts Horaloom in DIR, notes its frame's corner and size in frame=(X Y WIDTH HEIGHT), quits.
start_and_quit() { # start_and_quit DIR
    local x y width height left right top bottom
    start_horaloom "$1"
    wait_for 5 framed "$window"
    read -r x y width height < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4}
        /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
    read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    frame=("$((x - left))" "$((y - top))" "$((width + left + right))" "$((height + top + bottom))")
    quit_yes
    wait "$pid"
}
# The worked example: saved at 2880, 1995 twips, started and quit at once, the same 55 bytes.
dir=$(settings_dir ' 1 \r\n 0 \r\n 1 \r\n 2880 \r\n 1995 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n')
cp "$dir/Horaloom.ini" "$workdir/example.ini"
start_and_quit "$dir"
check "the frame's corner stands at the saved place (192, 133; got ${frame[*]:0:2})" \
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
# Not saved: the frame is centred, as (screen - window) / 2 in twips.
start_and_quit "$(settings_dir)"
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
centred() {
    awk -v x="${frame[0]}" -v y="${frame[1]}" -v w="${frame[2]}" -v h="${frame[3]}" -v sw="$screen_w" \
        -v sh="$screen_h" 'BEGIN { dx = x - (sw - w) / 2; dy = y - (sh - h) / 2
                                   exit !(dx * dx <= 1 && dy * dy <= 1) }'
}
check "the frame is centred to within a pixel (${frame[*]})" centred

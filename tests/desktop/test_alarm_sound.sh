#!/usr/bin/env bash
# The alarm is heard for as long as it runs: a beep every half second for 20 s, twice in one
# run; a beep for each refused key; a wave file in full, tail included. Recorded from the
# session's null sink. Without a sound server the alarm still flashes and stops.
source "$(dirname "$0")/common.sh"
# shellcheck source=soundcheck.sh
source "$(dirname "$0")/soundcheck.sh"
start_recording

dir=$(settings_dir)
start_horaloom "$dir"
pid=$started_pid
window=""
wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
at_zero() { [[ $(window_title "$window") == "00:00:00   Horaloom" ]]; }

# Twenty seconds of the beep alarm, twice: one beep every 500 ms, 40 in all.
for run in first second; do
    from=$(mark) # before the countdown: the first beep comes with zero
    start_countdown "$window" 000001 || echo "the $run countdown did not start" >&2
    wait_for 4 at_zero || echo "the $run countdown did not reach zero" >&2
    sleep 21
    # The 20 s from the first beep on.
    heard=$(heard_between "$from" "$(mark)" | awk 'NR == 1 { first = $1 } $1 < first + 20000')
    beeps=$(full_beeps <<<"$heard")
    awk 'NR > 1 { d = $1 - last; sum += d; if (d > max) max = d } { last = $1 }
        END { if (NR > 1) printf "beeps %d apart on average, %d at most (ms)\n", sum / (NR - 1), max }' <<<"$heard"
    check "the $run beep alarm beeps all through 20 s ($beeps full beeps, 38 wanted)" \
        test "$beeps" -ge 38
    check "and nothing else is heard" test "$(grep -c . <<<"$heard")" -eq "$beeps"
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+o
    sleep 0.5
done

# Ten letters typed into a digit box: ten refused keys, ten beeps (each 300 ms after the last:
# xdotool waits half its delay after a press and half after the release).
xdotool windowactivate --sync "$window"
sleep 0.2
click_right_button "$window" # Count Down: the boxes open, the focus in the first
sleep 0.5
from=$(mark)
xdotool type --delay 600 qwzxvbnmkj
sleep 0.6
beeps=$(heard_between "$from" "$(mark)" | full_beeps)
check "ten refused keys give ten beeps ($beeps)" test "$beeps" -eq 10
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true

# A wave file is heard to its last sample.
sox -n -r 22050 -b 16 -c 1 "$workdir/low.wav" synth 2 sine 330 vol 0.5
dir=$(settings_dir " 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n$workdir/low.wav\r\n0\r\n")
start_horaloom "$dir"
pid=$started_pid
window=""
wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
from=$(mark)
start_countdown "$window" 000001 || echo "the countdown did not start" >&2
sleep 4
read -r _ length pitch _ < <(heard_between "$from" "$(mark)")
check "the wave file plays in full, 2000 ms at 330 Hz (${length:-0} ms at ${pitch:-0} Hz)" \
    awk -v l="${length:-0}" -v f="${pitch:-0}" 'BEGIN { exit !(l >= 1970 && l <= 2030 && f > 323 && f < 337) }'
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true

# Without any sound server nothing blocks: the alarm still flashes and stops at once.
dir=$(settings_dir)
PULSE_SERVER=unix:$workdir/no-such-server start_horaloom "$dir"
pid=$started_pid
window=""
wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
check "the countdown starts without a sound server" start_countdown "$window" 000001
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
check "without a sound server the alarm flashes" \
    wait_for 5 eval '[[ $(region_mean "$window" 170 $((height - 6)) 5 5) != 0 ]]'
xdotool windowactivate --sync "$window" key --clearmodifiers alt+o
check "and Stop Timer ends it at once" \
    wait_for 2 eval '[[ $(region_mean "$window" 170 $((height - 6)) 5 5) == 0 ]]'

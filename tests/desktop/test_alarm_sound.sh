#!/usr/bin/env bash
# The alarm is heard: the beep, a chosen wave file, and the default sound for a file that
# cannot be played, recorded from the session's null sink.
source "$(dirname "$0")/common.sh"

if ! pactl info >/dev/null 2>&1; then
    echo "SKIP: no sound server in this session"
    exit 77
fi
rate=22050

# Records the sink while a countdown of one second ends; prints "rms frequency".
alarm_heard() { # alarm_heard SETTINGS SECONDS
    local dir raw="$workdir/rec.$RANDOM.raw" window="" recorder pid
    dir=$(settings_dir "$1")
    parec -d horaloom_null.monitor --latency-msec=20 --format=s16le --rate=$rate --channels=1 >"$raw" &
    recorder=$!
    start_horaloom "$dir"
    pid=$started_pid
    wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
    start_countdown "$window" 000001 || echo "the countdown did not start" >&2
    sleep "$2"
    kill -TERM "$pid"
    wait "$pid" 2>/dev/null || true
    kill -TERM "$recorder"
    wait "$recorder" 2>/dev/null || true
    sox -t raw -r $rate -e signed -b 16 -c 1 "$raw" -n stat 2>&1 |
        awk '/RMS     amplitude/ {rms = $3} /Rough   frequency/ {f = $3} END {print rms, f}'
}

read -r rms freq < <(alarm_heard ' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n' 3)
check "the beep alarm is heard (rms $rms, ~$freq Hz)" \
    awk -v r="$rms" -v f="$freq" 'BEGIN { exit !(r > 0.02 && f > 700 && f < 1100) }'

sox -n -r 22050 -b 16 -c 1 "$workdir/low.wav" synth 2 sine 330 vol 0.5
read -r rms freq < <(alarm_heard " 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n$workdir/low.wav\r\n0\r\n" 3)
check "the wave file is played (rms $rms, ~$freq Hz)" \
    awk -v r="$rms" -v f="$freq" 'BEGIN { exit !(r > 0.05 && f > 250 && f < 420) }'

echo "not a wave file" >"$workdir/broken.wav"
read -r rms freq < <(alarm_heard " 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n$workdir/broken.wav\r\n0\r\n" 3)
check "an unplayable file gives the default sound (rms $rms, ~$freq Hz)" \
    awk -v r="$rms" -v f="$freq" 'BEGIN { exit !(r > 0.005 && f > 700 && f < 1100) }'

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

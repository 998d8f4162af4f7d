#!/usr/bin/env bash
# The alarm as it is heard over minutes, recorded from the session's null sink: a beep every half
# second for 20 s, twice in one run (a sound that goes quiet after a while shows in the second);
# a beep for each refused key; a wave file in full; a file cut short ending in the full default
# beep; Quit ending Horaloom while the sound server stalls mid-sound; and without a sound
# server, an alarm that still flashes and stops.
source "$(dirname "$0")/common.sh"
# shellcheck source=sound.sh
source "$(dirname "$0")/sound.sh"
start_recording

start_horaloom "$(settings_dir)"
at_zero() { titled "$window" "^00:00:00   Horaloom$"; }
counts_to_zero() { start_countdown "$window" 000001 && wait_for 4 at_zero; }
for run in first second; do
    from=$(mark) # the first beep comes with zero
    check "the $run countdown reaches zero" counts_to_zero
    recorded "$from" 23
    heard=$(heard_between "$from" "$(mark)" | awk 'NR == 1 { first = $1 } $1 < first + 20000')
    beeps=$(full_beeps <<<"$heard")
    check "the $run beep alarm beeps all through 20 s ($beeps full beeps, 38 wanted)" test "$beeps" -ge 38
    check "and nothing else is heard" test "$(grep -c . <<<"$heard")" -eq "$beeps"
    keys "$window" alt+o
    check "Stop Timer ends it" wait_for 3 black "$window"
    recorded "$(mark)" 0.5 # the last beep heard out
done

keys "$window" alt+d # Count Down: the focus in the first box
from=$(mark)
xdotool type --delay 600 qwzxvbnmkj
recorded "$(mark)" 0.6
beeps=$(heard_between "$from" "$(mark)" | full_beeps)
check "ten refused keys give ten beeps ($beeps)" test "$beeps" -eq 10
end_with TERM "$pid"

# alarm_of WAVE-FILE SECONDS: a wave alarm, recorded for that long from the countdown on; sets
# heard.
alarm_of() {
    start_horaloom "$(settings_dir " 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n$1\r\n0\r\n")"
    from=$(mark)
    start_countdown "$window" 000001 || echo "the countdown did not start" >&2
    recorded "$from" "$2"
    heard=$(heard_between "$from" "$(mark)")
}
sox -n -r 22050 -b 16 -c 1 "$workdir/low.wav" synth 2 sine 330 vol 0.5
alarm_of "$workdir/low.wav" 4.5
read -r _ length pitch _ <<<"$heard"
in_full() { within "$length" 2000 30 && within "$pitch" 330 7; }
check "a wave file plays in full, 2000 ms at 330 Hz ($length ms at $pitch Hz)" in_full
end_with TERM "$pid"
unplayable_waves "$workdir"
alarm_of "$workdir/data-cut-in-half.wav" 3
read -r _ length _ tail <<<"$heard"
ends_in_beep() { ((${length%.*} >= 390 && ${length%.*} <= 500)) && within "$tail" 880 18; }
check "a file cut short ends in the full default beep ($length ms, ending at $tail Hz)" ends_in_beep
end_with TERM "$pid"

# A server that stops answering in the middle of a sound holds the sound thread in its write:
# Quit, Yes must not wait for it.
if [[ -n ${HORALOOM_SESSION_PULSE_PID:-} ]]; then
    sox -n -r 22050 -c 1 -b 16 "$workdir/long.wav" synth 10 sine 440 vol 0.5
    alarm_of "$workdir/long.wav" 2.5
    kill -STOP "$HORALOOM_SESSION_PULSE_PID"
    quit_yes
    check "a server stalled mid-sound: Quit, Yes still ends Horaloom" wait_for 10 gone "$pid"
    kill -CONT "$HORALOOM_SESSION_PULSE_PID"
fi

start_horaloom "$(settings_dir)" PULSE_SERVER="unix:$workdir/no-such-server"
check "without a sound server the countdown runs" start_countdown "$window" 000001
check "and the alarm flashes" wait_for 5 flashing "$window"
keys "$window" alt+o
check "and Stop Timer ends it" wait_for 2 black "$window"

#!/usr/bin/env bash
# A wave alarm with a file that cannot be played as it is gives the full default beep (after
# what a file cut short holds), and Horaloom still ends within 2 s of Quit, Yes. Each file gets
# a run of its own.
source "$(dirname "$0")/common.sh"
# shellcheck source=soundcheck.sh
source "$(dirname "$0")/soundcheck.sh"
# shellcheck source=soundfiles.sh
source "$(dirname "$0")/soundfiles.sh"
mkdir "$workdir/waves"
unplayable_waves "$workdir/waves"
odd_chunk_wave "$workdir/waves/odd-chunk.wav"
start_recording

# alarm_then_quit FILE: sets heard (the sounds until 1.5 s into the alarm) and quit_ms.
alarm_then_quit() {
    local dir pid window="" box="" from started
    dir=$(settings_dir " 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n$1\r\n0\r\n")
    start_horaloom "$dir"
    pid=$started_pid
    wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
    from=$(mark) # before the countdown: the sound comes with zero
    start_countdown "$window" 000001 || echo "the countdown did not start" >&2
    wait_for 4 eval '[[ $(window_title "$window") == "00:00:00   Horaloom" ]]' ||
        echo "the countdown did not reach zero" >&2
    sleep 1.5
    heard=$(heard_between "$from" "$(mark)")
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+q
    wait_for 5 eval 'box=$(find_window "$pid" "^Exit Horaloom$"); [[ -n $box ]]' ||
        echo "Quit did not ask" >&2
    started=$EPOCHREALTIME
    xdotool windowactivate --sync "$box" key Return
    wait_for 10 eval '! kill -0 "$pid" 2>/dev/null' || true
    quit_ms=$(awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%d", (b - a) * 1000 }')
    if kill -0 "$pid" 2>/dev/null; then
        quit_ms=never
        kill -KILL "$pid"
    fi
    wait "$pid" 2>/dev/null || true
}

for i in "${!unplayable_paths[@]}"; do
    path=${unplayable_paths[i]}
    name=${path##*/}
    alarm_then_quit "$path"
    read -r _ length _ tail _ < <(tail -n 1 <<<"$heard")
    want=$((${unplayable_before[i]} + 170))
    check "$name: the alarm ends in the full default beep (${length:-0} ms, ending at ${tail:-0} Hz; $want ms wanted)" \
        awk -v l="${length:-0}" -v t="${tail:-0}" -v w="$want" \
        'BEGIN { exit !(l >= w - 30 && l <= w + 80 && t >= 862 && t <= 898) }'
    check "$name: Horaloom ends within 2 s of Quit, Yes (${quit_ms} ms)" \
        test "$quit_ms" != never -a "${quit_ms/never/99999}" -le 2000
done

alarm_then_quit "$workdir/waves/odd-chunk.wav"
read -r _ length pitch _ <<<"$heard"
check "a file with an odd-sized chunk before its data plays (${length:-0} ms at ${pitch:-0} Hz)" \
    awk -v l="${length:-0}" -v f="${pitch:-0}" 'BEGIN { exit !(l >= 470 && l <= 530 && f > 431 && f < 449) }'
check "and Horaloom ends within 2 s of Quit, Yes (${quit_ms} ms)" test "${quit_ms/never/99999}" -le 2000

# A sound server that stops answering in the middle of a sound: the sound thread is stuck in
# the server's write call, and Quit, Yes must not wait for it.
if [[ -n ${HORALOOM_SESSION_PULSE_PID:-} ]]; then
    sox -n -r 22050 -c 1 -b 16 "$workdir/long.wav" synth 10 sine 440 vol 0.5
    stall_server() { sleep 1.2 && kill -STOP "$HORALOOM_SESSION_PULSE_PID"; }
    stall_server &
    staller=$!
    alarm_then_quit "$workdir/long.wav"
    wait "$staller" || true
    kill -CONT "$HORALOOM_SESSION_PULSE_PID"
    check "a server stalled mid-sound: Horaloom ends within 2 s of Quit, Yes (${quit_ms} ms)" \
        test "${quit_ms/never/99999}" -le 2000
fi

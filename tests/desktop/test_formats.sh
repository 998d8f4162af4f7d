#!/usr/bin/env bash
# Every wave encoding the Windows sound call plays, made with sox and played through the real
# sound layer on the session's null sink: each is heard for its full length at its own pitch.
# Damaged files, a directory, a FIFO and files that are no wave files give the full default beep
# (a file cut short: what it holds, then the beep). PLAY_SOUNDS is horaloom_play_sounds.
source "$(dirname "$0")/common.sh"
# shellcheck source=sound.sh
source "$(dirname "$0")/sound.sh"
: "${PLAY_SOUNDS:?}"

sounds=() expected=() # expected: "NAME LENGTH_MS PITCH_HZ TAIL_HZ"
sine() { # sine NAME PITCH SOX-OUTPUT-OPTIONS...: half a second of a pitch in an encoding
    sox -n "${@:3}" "$workdir/$1.wav" synth 0.5 sine "$2" vol 0.5
    sounds+=("$workdir/$1.wav") expected+=("$1 500 $2 $2")
}
sine pcm8-11k-mono 440 -r 11025 -c 1 -e unsigned -b 8 -t wav
sine pcm16-44k-stereo 523 -r 44100 -c 2 -b 16 -t wav
sine pcm24-48k-mono 660 -r 48000 -c 1 -b 24 -t wavpcm
sine pcm32-96k-stereo 1000 -r 96000 -c 2 -b 32 -t wavpcm
sine ext16-5.1-48k 587 -r 48000 -c 6 -b 16 -t wav
sine ext24-stereo-88k 740 -r 88200 -c 2 -b 24 -t wav
sine ext32-mono-32k 392 -r 32000 -c 1 -b 32 -t wav
sine ext24-5.1-44k 880 -r 44100 -c 6 -b 24 -t wav
sine float32-22k-stereo 494 -r 22050 -c 2 -e floating-point -b 32 -t wav
sine float64-16k-mono 349 -r 16000 -c 1 -e floating-point -b 64 -t wav
sine ima-adpcm-22k-mono 622 -r 22050 -c 1 -e ima-adpcm -t wav
sine ms-adpcm-44k-stereo 830 -r 44100 -c 2 -e ms-adpcm -t wav
sine gsm-8k-mono 440 -r 8000 -c 1 -e gsm-full-rate -t wav
sine mulaw-8k-stereo 300 -r 8000 -c 2 -e mu-law -t wav
sine alaw-16k-mono 1200 -r 16000 -c 1 -e a-law -t wav
sine pcm16-8k-mono 415 -r 8000 -c 1 -b 16 -t wav
sine pcm16-96k-mono 1319 -r 96000 -c 1 -b 16 -t wav
unplayable_waves "$workdir"
for i in "${!unplayable_paths[@]}"; do
    before=${unplayable_before[i]}
    sounds+=("${unplayable_paths[i]}")
    expected+=("${unplayable_paths[i]##*/} $((before + 170)) $((before > 0 ? 0 : 880)) 880")
done
sounds+=("$workdir/odd-chunk.wav") expected+=("odd-chunk.wav 500 440 440")

start_recording
from=$(mark)
bells=$(timeout 120 "$PLAY_SOUNDS" 1 "${sounds[@]}")
recorded "$(mark)" 0.5
mapfile -t heard < <(heard_between "$from" "$(mark)" 150)
check "no sound fell back to the bell" test -z "$bells"
check "one sound heard for each of the ${#sounds[@]} played (heard ${#heard[@]})" \
    test "${#heard[@]}" -eq "${#sounds[@]}"
# A file cut short: what it holds, then the beep; a gap between the two may stretch it a little.
length_ok() { within "$got_ms" "$ms" 30 || ((hz == 0 && ${got_ms%.*} > ms && ${got_ms%.*} < ms + 80)); }
for i in "${!expected[@]}"; do
    read -r name ms hz tail <<<"${expected[i]}"
    read -r _ got_ms got_hz got_tail <<<"${heard[i]:-0 0 0 0}"
    check "$name: ${got_ms} ms (want $ms)" length_ok
    ((hz == 0)) || check "$name: ${got_hz} Hz (want $hz)" within "$got_hz" "$hz" "$((hz / 50))"
    check "$name: ends at ${got_tail} Hz (want $tail)" within "$got_tail" "$tail" "$((tail / 50))"
done

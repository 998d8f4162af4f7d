#!/usr/bin/env bash
# Every wave encoding the Windows sound call plays, made here with sox, played through the real
# sound layer on the session's null sink: each is heard for its full length at its own pitch.
# Damaged files, a directory, a FIFO and files that are no wave files give the full default
# beep instead (a file cut short: what is there, then the beep).
#
#   test_formats.sh PLAY_SOUNDS SOUND_SEGMENTS     (inside scripts/desktop-session)
set -euo pipefail
play=$1 segments=$2
source "$(dirname "$0")/../../check.sh"
workdir=$(mktemp -d)
recorder=""
finish() {
    local status=$?
    [[ -z $recorder ]] || kill -TERM "$recorder" 2>/dev/null || true
    rm -rf -- "$workdir"
    report_checks "$status"
}
trap finish EXIT

if ! pactl info >/dev/null 2>&1; then
    echo "SKIP: no sound server in this session"
    exit 77
fi

readonly length=0.5 slot=1.0 rate=48000
sounds=() expected=() # expected: "NAME LENGTH_MS PITCH_HZ TAIL_HZ"

# A sine of known pitch in a given encoding: add_sine NAME PITCH SOX-OUTPUT-OPTIONS...
add_sine() {
    local name=$1 pitch=$2
    shift 2
    sox -n "$@" "$workdir/$name.wav" synth "$length" sine "$pitch" vol 0.5
    sounds+=("$workdir/$name.wav")
    expected+=("$name 500 $pitch $pitch")
}
add_sine pcm8-11k-mono 440 -r 11025 -c 1 -e unsigned -b 8 -t wav
add_sine pcm16-44k-stereo 523 -r 44100 -c 2 -b 16 -t wav
add_sine pcm24-48k-mono 660 -r 48000 -c 1 -b 24 -t wavpcm
add_sine pcm32-96k-stereo 1000 -r 96000 -c 2 -b 32 -t wavpcm
add_sine ext16-5.1-48k 587 -r 48000 -c 6 -b 16 -t wav
add_sine ext24-stereo-88k 740 -r 88200 -c 2 -b 24 -t wav
add_sine ext32-mono-32k 392 -r 32000 -c 1 -b 32 -t wav
add_sine ext24-5.1-44k 880 -r 44100 -c 6 -b 24 -t wav
add_sine float32-22k-stereo 494 -r 22050 -c 2 -e floating-point -b 32 -t wav
add_sine float64-16k-mono 349 -r 16000 -c 1 -e floating-point -b 64 -t wav
add_sine ima-adpcm-22k-mono 622 -r 22050 -c 1 -e ima-adpcm -t wav
add_sine ms-adpcm-44k-stereo 830 -r 44100 -c 2 -e ms-adpcm -t wav
add_sine gsm-8k-mono 440 -r 8000 -c 1 -e gsm-full-rate -t wav
add_sine mulaw-8k-stereo 300 -r 8000 -c 2 -e mu-law -t wav
add_sine alaw-16k-mono 1200 -r 16000 -c 1 -e a-law -t wav
add_sine pcm16-8k-mono 415 -r 8000 -c 1 -b 16 -t wav
add_sine pcm16-96k-mono 1319 -r 96000 -c 1 -b 16 -t wav

# The damaged and the unplayable: the default beep, after what a file cut short holds.
# shellcheck source=../../desktop/soundfiles.sh
source "$(dirname "$0")/../../desktop/soundfiles.sh"
unplayable_waves "$workdir"
for i in "${!unplayable_paths[@]}"; do
    sounds+=("${unplayable_paths[i]}")
    before=${unplayable_before[i]}
    if ((before > 0)); then
        expected+=("${unplayable_paths[i]##*/} $((before + 170)) 0 880")
    else
        expected+=("${unplayable_paths[i]##*/} 170 880 880")
    fi
done
odd_chunk_wave "$workdir/odd-chunk.wav"
sounds+=("$workdir/odd-chunk.wav")
expected+=("odd-chunk.wav 500 440 440")

# --- play and record ------------------------------------------------------------------------
raw=$workdir/rec.raw
parec -d horaloom_null.monitor --latency-msec=20 --format=s16le --rate=$rate --channels=1 >"$raw" &
recorder=$!
# The null sink renders two seconds ahead until a low-latency client has been served once.
sleep 2.5
started=$SECONDS
bells=$(timeout 120 "$play" "$slot" "${sounds[@]}")
echo "played ${#sounds[@]} sounds in $((SECONDS - started)) s"
sleep 0.5
kill -TERM "$recorder"
wait "$recorder" 2>/dev/null || true
recorder=""
check "no sound fell back to the bell" test -z "$bells"

mapfile -t heard < <("$segments" "$rate" 150 <"$raw")
printf "heard: %s\n" "${heard[@]}"
check "one sound heard for each of the ${#sounds[@]} played (heard ${#heard[@]})" \
    test "${#heard[@]}" -eq "${#sounds[@]}"
within() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }
for i in "${!expected[@]}"; do
    read -r name want_ms want_hz want_tail <<<"${expected[i]}"
    read -r _ got_ms got_hz got_tail <<<"${heard[i]:-0 0 0 0}"
    what="$name: ${got_ms} ms at ${got_hz} Hz, ending at ${got_tail} Hz (want ${want_ms} ms"
    if ((want_hz > 0)); then
        what+=" at $want_hz Hz)"
        check "$what" eval 'within "$got_ms" "$want_ms" 30 &&
            within "$got_hz" "$want_hz" "$(awk -v f="$want_hz" "BEGIN { print f * 0.02 }")"'
    else
        # What the cut file held, then the beep: a gap between the two may stretch it a little.
        what+=" or a little more, ending in the beep)"
        check "$what" eval 'within "$got_ms" "$want_ms" 30 || { awk -v g="$got_ms" -v w="$want_ms" "BEGIN { exit !(g > w && g < w + 80) }"; }'
    fi
    check "$name ends at $want_tail Hz (${got_tail} Hz)" \
        within "$got_tail" "$want_tail" "$(awk -v f="$want_tail" 'BEGIN { print f * 0.02 }')"
done

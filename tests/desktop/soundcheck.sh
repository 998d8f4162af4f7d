# shellcheck shell=bash
# Listening to the session's null sink for the sound tests: one recording for the whole test,
# cut into windows by the bytes recorded so far. SEGMENTS is the segment finder.
: "${SEGMENTS:?set SEGMENTS to the horaloom_sound_segments binary}"

readonly sound_rate=24000 # bytes a second: twice this (signed 16-bit mono)
recording=$workdir/sink.raw

if ! pactl info >/dev/null 2>&1; then
    echo "SKIP: no sound server in this session"
    exit 77
fi

# Starts the recorder; the null sink serves a new low-latency client properly only after up to
# two seconds, so it runs from the start.
start_recording() {
    parec -d horaloom_null.monitor --latency-msec=20 --format=s16le --rate=$sound_rate \
        --channels=1 >"$recording" &
    pids+=("$!")
    sleep 2.2
}

# The position in the recording now, as a byte offset.
mark() { stat -c %s "$recording"; }

# The sounds heard between two marks: "start_ms length_ms hz tail_hz" a line.
heard_between() { # heard_between FROM TO [GAP_MS]
    tail -c +$(($1 + 1)) "$recording" | head -c $(($2 - $1)) | "$SEGMENTS" $sound_rate "${3:-40}"
}

# How many full default beeps (880 Hz, 180 ms, of which about 170 above the threshold) a list
# of sounds holds.
full_beeps() {
    awk '$2 >= 150 && $2 <= 200 && $3 >= 862 && $3 <= 898 { n++ } END { print n + 0 }'
}

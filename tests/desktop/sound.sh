# shellcheck shell=bash disable=SC2034 # the variables are for the scripts that source this
# Listening to the session's null sink: one recording for the whole test, measured between
# marks (byte offsets); and wave files damaged the ways users meet. SEGMENTS finds the sounds.
: "${SEGMENTS:?set SEGMENTS to the horaloom_sound_segments binary}"
readonly sound_rate=24000 # samples a second, of two bytes
recording=$workdir/sink.raw

if ! pactl info >/dev/null 2>&1; then
    echo "SKIP: no sound server in this session"
    exit 77
fi

mark() { stat -c %s "$recording" 2>/dev/null || echo 0; }
holds_bytes() { (($(mark) >= $1)); }
# Waits until the recording runs SECONDS past MARK: the sink's clock, not the test's, says when
# that much sound time has passed.
recorded() { # recorded MARK SECONDS
    wait_for $((${2%.*} + 30)) holds_bytes "$(awk -v m="$1" -v s="$2" -v r=$sound_rate \
        'BEGIN { printf "%d", m + s * r * 2 }')"
}
# The null sink serves a new low-latency client properly only after about two seconds, so the
# recorder starts first and runs to the end.
start_recording() {
    parec -d horaloom_null.monitor --latency-msec=20 --format=s16le --rate=$sound_rate \
        --channels=1 >"$recording" &
    pids+=("$!")
    recorded 0 2.2
}
# The sounds between two marks: "start_ms length_ms hz tail_hz" a line.
heard_between() { # heard_between FROM TO [GAP_MS]
    # One reader for the bytes: head would end early and fail a tail before it under pipefail.
    dd if="$recording" iflag=skip_bytes,count_bytes skip="$1" count=$(($2 - $1)) status=none |
        "$SEGMENTS" $sound_rate "${3:-40}"
}
# How many full default beeps (880 Hz, 180 ms, of which about 170 above the threshold) there are.
full_beeps() { awk '$2 >= 150 && $2 <= 200 && $3 >= 862 && $3 <= 898 { n++ } END { print n + 0 }'; }
# within A B TOLERANCE
within() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; exit !(d <= t && -d <= t) }'; }

# shellcheck disable=SC2059 # the format is the bytes, as \x escapes
le32() { printf "$(printf %08x "$1" | sed -E 's/(..)(..)(..)(..)/\\x\4\\x\3\\x\2\\x\1/')"; } # its 4 bytes
set_le32() { le32 "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; } # FILE AT VALUE

# unplayable_waves DIR: files that cannot be played as they are, in unplayable_paths, and in
# unplayable_before the ms of 440 Hz a file cut short holds before the default beep.
unplayable_waves() {
    local dir=$1 base=$1/base.wav size
    unplayable_paths=() unplayable_before=()
    add() { unplayable_paths+=("$dir/$1") unplayable_before+=("${2:-0}"); }
    sized() { cp "$base" "$dir/$1" && set_le32 "$dir/$1" 4 "$2" && set_le32 "$dir/$1" 40 "$3" && add "$1" 500; }
    sox -n -r 22050 -c 1 -b 16 -t wavpcm "$base" synth 0.5 sine 440 vol 0.5
    size=$(stat -c %s "$base")
    head -c $((44 + (size - 44) / 2)) "$base" >"$dir/data-cut-in-half.wav"
    add data-cut-in-half.wav 250
    sized data-size-7FFFFFC0.wav $((0x7FFFFFE4)) $((0x7FFFFFC0)) # the RIFF size, the data's
    sized sizes-FFFFFFFF.wav $((0xFFFFFFFF)) $((0xFFFFFFFF))
    head -c 30 "$base" >"$dir/truncated-header.wav" && add truncated-header.wav
    : >"$dir/zero-bytes.wav" && add zero-bytes.wav
    sox -n -r 22050 -c 1 -t flac "$dir/flac-renamed.wav" synth 0.5 sine 440 vol 0.5 && add flac-renamed.wav
    echo "not a wave file" >"$dir/text.wav" && add text.wav
    mkdir "$dir/directory.wav" && add directory.wav
    mkfifo "$dir/fifo.wav" && add fifo.wav
    add missing.wav
    # Valid, and plays: an odd-sized LIST chunk and its pad byte before the data.
    {
        head -c 36 "$base"
        printf 'LIST'
        le32 3
        printf 'abc\0'
        tail -c +37 "$base"
    } >"$dir/odd-chunk.wav"
    set_le32 "$dir/odd-chunk.wav" 4 $((size + 12 - 8))
}

# shellcheck shell=bash
# Wave files that cannot be played as they are, made with sox and dd at test time: the damage
# users meet (a download cut short, a header written by a program that never finished), and
# things that are no wave file at all. Sourced by the format and the alarm tests.
#
#   unplayable_waves DIR   fills these arrays, one entry a file:
#     unplayable_paths     the file
#     unplayable_before    ms of 440 Hz heard before the default beep (what a file cut short
#                          holds); 0 when the beep comes alone

le32() { # the 32-bit little-endian bytes of a number
    local v=$1
    printf "\\x$(printf %02x $((v & 255)))\\x$(printf %02x $((v >> 8 & 255)))"
    printf "\\x$(printf %02x $((v >> 16 & 255)))\\x$(printf %02x $((v >> 24 & 255)))"
}

# set_le32 FILE OFFSET VALUE
set_le32() { le32 "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }

unplayable_waves() {
    local dir=$1 base=$1/base.wav size
    unplayable_paths=() unplayable_before=()
    add() { unplayable_paths+=("$1"); unplayable_before+=("${2:-0}"); }
    # Half a second of 440 Hz with its data at byte 44.
    sox -n -r 22050 -c 1 -b 16 -t wavpcm "$base" synth 0.5 sine 440 vol 0.5
    size=$(stat -c %s "$base")
    head -c $((44 + (size - 44) / 2)) "$base" >"$dir/data-cut-in-half.wav"
    add "$dir/data-cut-in-half.wav" 250
    cp "$base" "$dir/data-size-7FFFFFC0.wav"
    set_le32 "$dir/data-size-7FFFFFC0.wav" 4 $((0x7FFFFFE4))
    set_le32 "$dir/data-size-7FFFFFC0.wav" 40 $((0x7FFFFFC0))
    add "$dir/data-size-7FFFFFC0.wav" 500
    cp "$base" "$dir/sizes-FFFFFFFF.wav"
    set_le32 "$dir/sizes-FFFFFFFF.wav" 4 $((0xFFFFFFFF))
    set_le32 "$dir/sizes-FFFFFFFF.wav" 40 $((0xFFFFFFFF))
    add "$dir/sizes-FFFFFFFF.wav" 500
    head -c 30 "$base" >"$dir/truncated-header.wav"
    add "$dir/truncated-header.wav"
    : >"$dir/zero-bytes.wav"
    add "$dir/zero-bytes.wav"
    sox -n -r 22050 -c 1 -t flac "$dir/flac.flac" synth 0.5 sine 440 vol 0.5
    mv "$dir/flac.flac" "$dir/flac-renamed.wav"
    add "$dir/flac-renamed.wav"
    echo "not a wave file" >"$dir/text.wav"
    add "$dir/text.wav"
    mkdir "$dir/directory.wav"
    add "$dir/directory.wav"
    mkfifo "$dir/fifo.wav"
    add "$dir/fifo.wav"
    add "$dir/missing.wav"
}

# odd_chunk_wave FILE: half a second of 440 Hz with an odd-sized LIST chunk and its pad byte
# before the data. A valid file: it plays.
odd_chunk_wave() {
    local base=$1.base size
    sox -n -r 22050 -c 1 -b 16 -t wavpcm "$base" synth 0.5 sine 440 vol 0.5
    size=$(stat -c %s "$base")
    {
        head -c 36 "$base"
        printf 'LIST'
        le32 3
        printf 'abc\0'
        tail -c +37 "$base"
    } >"$1"
    set_le32 "$1" 4 $((size + 12 - 8))
    rm -f -- "$base"
}

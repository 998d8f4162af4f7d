#!/usr/bin/env bash
# The measuring half of scripts/bench: runs inside scripts/desktop-session, measures Horaloom and
# the minimal Qt window one after the other (each alone on the desktop), and writes one markdown
# table to standard output and to BENCH_RESULTS.
#
# Environment (scripts/bench sets it):
#   BENCH_HORALOOM BENCH_MINIMAL BENCH_WAIT_MAPPED BENCH_TITLE_DELAY BENCH_SWITCHES   the programs
#   BENCH_ROUNDTRIPS       the round-trip counter, or empty (BENCH_ROUNDTRIPS_WHY says why)
#   BENCH_SETTINGS         Horaloom.ini to start Horaloom with
#   BENCH_RUNS BENCH_IDLE BENCH_COUNT BENCH_FLASH BENCH_LONG   runs and seconds (BENCH_LONG 0: off)
#   BENCH_SOUND BENCH_SOUND_MODULE_DIR   the sound latency program and where the module lies
#   BENCH_RESULTS          where the table goes besides standard output
#   BENCH_LABEL            the run's name in the heading
set -euo pipefail
export LC_ALL=C

: "${BENCH_HORALOOM:?}" "${BENCH_MINIMAL:?}" "${BENCH_WAIT_MAPPED:?}" "${BENCH_TITLE_DELAY:?}"
: "${BENCH_SETTINGS:?}" "${BENCH_RESULTS:?}"
runs=${BENCH_RUNS:-10}
idle_seconds=${BENCH_IDLE:-30}
count_seconds=${BENCH_COUNT:-30}
flash_seconds=${BENCH_FLASH:-10}
long_seconds=${BENCH_LONG:-0}
readonly settle_seconds=5   # memory is read this long after the start
readonly other_title="Letter - Editor"

say() { printf 'bench: %s\n' "$*" >&2; }

# --- processes ------------------------------------------------------------------------------
pids=()
workdir=$(mktemp -d)

stop_process() { # TERM, KILL after 5 s; reaped when it is our child
    local pid=$1 i
    kill -TERM "$pid" 2>/dev/null || return 0
    for ((i = 0; i < 100; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        # A child that has ended stays a zombie until it is waited for.
        [[ $(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null) == Z ]] && break
        sleep 0.05
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

cleanup() {
    local status=$? pid
    trap - EXIT INT TERM
    set +e
    for pid in "${pids[@]}"; do
        stop_process "$pid"
    done
    rm -rf -- "$workdir"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

started_pid=""
start_in() { # start_in DIR LOG COMMAND...: sets started_pid
    local dir=$1 log=$2
    shift 2
    (cd "$dir" && exec "$@") >"$log" 2>&1 &
    started_pid=$!
    pids+=("$started_pid")
}

# A directory of its own for every Horaloom run, holding the settings file.
horaloom_dir() {
    local dir
    dir=$(mktemp -d -p "$workdir")
    cp -- "$BENCH_SETTINGS" "$dir/Horaloom.ini"
    echo "$dir"
}

# Prints the window id once the process's window is viewable; fails after 20 s.
window_of() {
    local line
    line=$(timeout 30 "$BENCH_WAIT_MAPPED" --timeout 20 --pid "$1") || return 1
    echo "${line#* }"
}

wait_for() { # wait_for SECONDS COMMAND...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

activate() { timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1; }
press() { timeout 10 xdotool key --clearmodifiers "$@" >/dev/null 2>&1; }

title_of() {
    xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'
}

# title_is WINDOW PATTERN: the window's _NET_WM_NAME matches the glob pattern.
# shellcheck disable=SC2053 # the pattern is meant as one
title_is() { [[ $(title_of "$1") == $2 ]]; }

# --- numbers --------------------------------------------------------------------------------
now() { echo "$EPOCHREALTIME"; }

# Sleeps until settle_seconds have passed since the given time.
settle_since() {
    sleep "$(awk -v s="$settle_seconds" -v t0="$1" -v t1="$(now)" 'BEGIN { d = s - (t1 - t0); print (d > 0 ? d : 0) }')"
}

# What a process costs, summed over its threads: nanoseconds on a CPU and the times a thread was
# put on a CPU, from /proc/PID/task/*/schedstat; and the times a thread went to sleep and was
# woken, from the voluntary context switches in /proc/PID/task/*/status (schedstat's count
# also takes in preemptions, which another busy program on the machine adds).
usage_sample() {
    local pid=$1 ns=0 slices=0 sleeps=0 run wait count task key value
    [[ -d /proc/$pid ]] || return 1
    for task in /proc/"$pid"/task/*; do
        if read -r run wait count <"$task/schedstat" 2>/dev/null; then
            ns=$((ns + run))
            slices=$((slices + count))
        fi
        while read -r key value; do
            [[ $key == voluntary_ctxt_switches: ]] && sleeps=$((sleeps + value))
        done <"$task/status" 2>/dev/null
    done
    : "$wait"
    echo "$ns $slices $sleeps"
}

# usage_over PID SECONDS: prints "<% of one core> <put on a CPU a second> <woken a second>", or
# "n/a n/a n/a" when the process did not live through it.
usage_over() { usage_measure "$@" 2>/dev/null || echo "n/a n/a n/a"; }
usage_measure() {
    local pid=$1 seconds=$2 ns0 n0 w0 ns1 n1 w1 t0 t1
    read -r ns0 n0 w0 < <(usage_sample "$pid") || return 1
    t0=$(now)
    sleep "$seconds"
    read -r ns1 n1 w1 < <(usage_sample "$pid") || return 1
    t1=$(now)
    awk -v a="$ns0" -v b="$ns1" -v c="$n0" -v d="$n1" -v e="$w0" -v f="$w1" -v t0="$t0" \
        -v t1="$t1" 'BEGIN {
        s = t1 - t0
        printf "%.3f %.1f %.1f\n", (b - a) / 1e9 / s * 100, (d - c) / s, (f - e) / s }'
}

kib() { awk -v k="$1:" '$1 == k {print $2; exit}' "$2" 2>/dev/null || true; }
rss_kib() { kib VmRSS "/proc/$1/status"; }
pss_kib() { kib Pss "/proc/$1/smaps_rollup"; }
mib() { [[ -n $1 ]] && awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }' || echo n/a; }

median() { sort -n | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "n/a"; exit }
    if (NR % 2) printf "%.1f\n", v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
percentile99() { sort -n | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "n/a"; exit }
    i = int(0.99 * NR); if (i < 0.99 * NR) i++; printf "%.1f\n", v[i] }'; }

# --- results --------------------------------------------------------------------------------
difference() { # difference A B: A - B, or n/a
    if [[ $1 == *n/a* || $2 == *n/a* ]]; then
        echo n/a
    else
        awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a - b }'
    fi
}

declare -A H M # Horaloom's and the minimal window's figures, by row key
notes=()
note() { notes+=("$*"); }

# === 1. start-up =============================================================================
startup_run() { # startup_run NAME DIR PROGRAM: prints the milliseconds, or nothing on failure
    # wait_mapped stops the program and reaps it before it returns, so Horaloom's lock is free
    # for the next run.
    local line
    if line=$(cd "$2" && timeout 40 "$BENCH_WAIT_MAPPED" --timeout 20 -- "$3" \
        2>>"$workdir/startup-$1.log"); then
        echo "${line%% *}"
    fi
}

say "start-up: $runs runs each, after one warm-up run each"
startup_dir=$(horaloom_dir)
h_times=""
m_times=""
# Taken in turns, so that whatever else the machine does falls on both alike.
for ((i = 0; i <= runs; i++)); do
    h=$(startup_run horaloom "$startup_dir" "$BENCH_HORALOOM")
    m=$(startup_run minimal "$workdir" "$BENCH_MINIMAL")
    if ((i > 0)); then
        h_times+=${h:+$h$'\n'}
        m_times+=${m:+$m$'\n'}
    fi
done
h_n=$(grep -c . <<<"$h_times" || true)
m_n=$(grep -c . <<<"$m_times" || true)
H[startup]=$(median <<<"$h_times")
M[startup]=$(median <<<"$m_times")
if ((h_n < runs || m_n < runs)); then
    note "Start-up runs that failed: Horaloom $((runs - h_n)), minimal window $((runs - m_n))" \
        "($(cat "$workdir"/startup-*.log 2>/dev/null | sort -u | tr '\n' ' '))"
fi
note "Start-up runs (ms), Horaloom: $(tr '\n' ' ' <<<"$h_times")"
note "Start-up runs (ms), minimal window: $(tr '\n' ' ' <<<"$m_times")"

# === 6. round trips ==========================================================================
if [[ -n ${BENCH_ROUNDTRIPS:-} ]]; then
    say "round trips per title-bar call"
    if line=$(timeout 60 "$BENCH_ROUNDTRIPS" 1000 2>"$workdir/roundtrips.log"); then
        figure() { sed -n "s/.*\b$1=\([0-9.]*\).*/\1/p" <<<"$line"; }
        H[roundtrips]=$(figure unchanged)
        H[roundtrips_switched]=$(figure switched)
        note "Title-bar calls, 1000 each: ${H[roundtrips]} round trips per call with the title" \
            "unchanged, $(figure changing) with a new time text on every call; $(figure us) µs per" \
            "call. Requests / replies per call: $(figure unchanged_requests) / $(figure unchanged_replies)" \
            "unchanged, $(figure switched_requests) / $(figure switched_replies) after a foreground switch" \
            "(100 switches)."
    else
        H[roundtrips]="n/a"
        H[roundtrips_switched]="n/a"
        note "Round trips: the counter failed: $(tr '\n' ' ' <"$workdir/roundtrips.log")"
    fi
else
    H[roundtrips]="n/a"
    H[roundtrips_switched]="n/a"
    note "Round trips: ${BENCH_ROUNDTRIPS_WHY:-the counter was not built}"
fi

# === 2.-5. Horaloom: memory, idle, counting ==================================================
say "Horaloom: memory after ${settle_seconds} s, idle CPU over ${idle_seconds} s"
dir=$(horaloom_dir)
start_in "$dir" "$workdir/horaloom.log" "$BENCH_HORALOOM"
horaloom=$started_pid
started_at=$(now)
hwin=$(window_of "$horaloom") || {
    say "Horaloom's window did not appear"
    exit 1
}
settle_since "$started_at"
H[rss]=$(mib "$(rss_kib "$horaloom")")
H[pss]=$(mib "$(pss_kib "$horaloom")")
read -r H[idle] H[idle_wakeups] H[idle_woken] < <(usage_over "$horaloom" "$idle_seconds")

say "Horaloom: counting up for ${count_seconds} s with another window in front"
start_in "$workdir" "$workdir/titles.log" "$BENCH_TITLE_DELAY" --title "$other_title" \
    --watch "$hwin"
helper=$started_pid
wait_for 10 grep -q '^window ' "$workdir/titles.log" || {
    say "the stand-in window did not appear"
    exit 1
}
other=$(awk '/^window / {print $2; exit}' "$workdir/titles.log")
activate "$hwin"
press alt+u
sleep 0.3
press alt+a
# The first step writes the time into Horaloom's own caption: proof that the count runs.
if ! wait_for 5 title_is "$hwin" '00:00:0*Horaloom'; then
    say "Horaloom did not start counting (its title: $(title_of "$hwin"))"
    exit 1
fi
say "Horaloom: counting for ${count_seconds} s with its own window in front"
sleep 1
read -r H[front] H[front_wakeups] H[front_woken] < <(usage_over "$horaloom" "$count_seconds")
activate "$other"
decorated() { grep -q "^[0-9]* [0-9.]* $1 [0-9][0-9]:[0-9][0-9]:[0-9][0-9]   " "$workdir/titles.log"; }
watched=$other
if ! wait_for 4 decorated "$other"; then
    # No desktop backend for other programs' titles: Horaloom only decorates its own caption,
    # so the title delay is measured there.
    note "Horaloom did not decorate the stand-in window within 4 s; the counting CPU and the" \
        "title delay were measured with Horaloom's own window in front."
    activate "$hwin"
    watched=$hwin
fi
H[rss_count0]=$(rss_kib "$horaloom")
count_start=$(now)
read -r H[count] H[count_wakeups] H[count_woken] < <(usage_over "$horaloom" "$count_seconds")
count_end=$(now)
H[rss_count]=$(mib "$(rss_kib "$horaloom")")

delays=$(awk -v w="$watched" -v a="$count_start" -v b="$count_end" '
    $3 == w && $4 ~ /^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]$/ && $1 + $2 / 1000 >= a && $1 + $2 / 1000 <= b { print $2 }' \
    "$workdir/titles.log")
samples=$(grep -c . <<<"$delays" || true)
H[delay_median]=$(median <<<"$delays")
H[delay_p99]=$(percentile99 <<<"$delays")
last_title=$(awk -v w="$watched" '$3 == w' "$workdir/titles.log" | tail -n 1 | cut -d' ' -f4-)
note "Title writes seen on $( [[ $watched == "$other" ]] && echo "the stand-in window" || echo "Horaloom's own window"):" \
    "$samples in $(awk -v a="$count_start" -v b="$count_end" 'BEGIN { printf "%.1f", b - a }') s;" \
    "the last one: \"$last_title\"; ms into the second, sorted: $(sort -n <<<"$delays" | tr '\n' ' ')"

if ((long_seconds > 0)); then
    say "Horaloom: counting on for ${long_seconds} s (--long)"
    growth_samples="$(mib "${H[rss_count0]}")"
    for ((elapsed = 0; elapsed < long_seconds; elapsed += 60)); do
        step=$((long_seconds - elapsed < 60 ? long_seconds - elapsed : 60))
        sleep "$step"
        kill -0 "$horaloom" 2>/dev/null || break
        growth_samples+=" $(mib "$(rss_kib "$horaloom")")"
    done
    rss_end=$(rss_kib "$horaloom")
    H[rss_long]="$(mib "$rss_end") ($(awk -v a="${H[rss_count0]}" -v b="$rss_end" 'BEGIN { printf "%+.2f", (b - a) / 1024 }'))"
    note "RSS (MiB) from the start of counting, every minute of the long run: $growth_samples"
fi
H[rss_count0]=$(mib "${H[rss_count0]}")

say "Horaloom: counting for ${count_seconds} s hidden in the tray"
activate "$hwin"
press alt+h
sleep 1
read -r H[hidden] H[hidden_wakeups] H[hidden_woken] < <(usage_over "$horaloom" "$count_seconds")

# Another X client switches between three windows; each switch to the moment the window shows
# the running time, as that client sees it.
if [[ -n ${BENCH_SWITCHES:-} ]]; then
    say "Horaloom: 60 switches between three other windows while counting"
    if line=$(timeout 120 "$BENCH_SWITCHES" 60 2>"$workdir/switches.log"); then
        delays=$(sed -n 's/^delays: //p' <<<"$line" | tr ' ' '\n')
        H[switch_median]=$(median <<<"$delays")
        H[switch_p99]=$(percentile99 <<<"$delays")
        note "Switch to decorated title (ms), sorted: $(tr '\n' ' ' <<<"$delays")"
    else
        H[switch_median]=n/a H[switch_p99]=n/a
        note "The switching run failed: $(tr '\n' ' ' <"$workdir/switches.log") $line"
    fi
else
    H[switch_median]=n/a H[switch_p99]=n/a
fi
stop_process "$helper"
stop_process "$horaloom"

# === 7. the alarm flashing ===================================================================
say "Horaloom: a 2 s countdown, then ${flash_seconds} s of the alarm"
dir=$(horaloom_dir)
start_in "$dir" "$workdir/horaloom-alarm.log" "$BENCH_HORALOOM"
horaloom=$started_pid
if hwin=$(window_of "$horaloom"); then
    activate "$hwin"
    press alt+d
    sleep 0.3
    timeout 10 xdotool type --delay 60 000002 >/dev/null 2>&1
    sleep 0.2
    press alt+a
    # The countdown's last step writes 00:00:00 into the caption.
    if wait_for 6 title_is "$hwin" '00:00:00*'; then
        sleep 0.5
        read -r H[flash] H[flash_wakeups] H[flash_woken] < <(usage_over "$horaloom" "$flash_seconds")
    else
        H[flash]="n/a"
        note "The countdown did not reach 00:00:00 (title: \"$(title_of "$hwin")\")."
    fi
else
    H[flash]="n/a"
    note "Horaloom's window did not appear for the alarm run."
fi
stop_process "$horaloom"

# === 8. sound ===============================================================================
sound_runs=${BENCH_SOUND_RUNS:-10}
if [[ -n ${BENCH_SOUND:-} ]] && pactl info >/dev/null 2>&1; then
    say "sound: ${sound_runs} beeps and ${sound_runs} wave files to the first sample heard"
    sox -n -r 44100 -c 2 -b 16 "$workdir/short.wav" synth 0.3 sine 440 vol 0.5
    if timeout 120 "$BENCH_SOUND" --module-dir "$BENCH_SOUND_MODULE_DIR" \
        --monitor horaloom_null.monitor --wave "$workdir/short.wav" --runs "$sound_runs" \
        >"$workdir/sound.txt" 2>"$workdir/sound.log"; then
        values() { sed -n "s/^$1 //p" "$workdir/sound.txt"; }
        H[beep_ms]=$(values beep_ms | tr ' ' '\n' | median)
        H[wave_ms]=$(values wave_ms | tr ' ' '\n' | median)
        H[call_ms]=$(awk -v a="$(values first_call_us)" -v b="$(values call_us_max)" \
            'BEGIN { printf "%.2f", (a > b ? a : b) / 1000 }')
        note "Sound requests to the first sample in the sink's mix (ms), beeps: $(values beep_ms);" \
            "wave files: $(values wave_ms); the very first sound, which loads the sound module on" \
            "its own thread: $(values first_sound_ms) ms. The longest a request held its caller:" \
            "$(values first_call_us) µs for the first (it starts the loader), $(values call_us_max) µs after."
    else
        H[beep_ms]=n/a H[wave_ms]=n/a H[call_ms]=n/a
        note "The sound latency run failed: $(tr '\n' ' ' <"$workdir/sound.log")"
    fi
    # The null sink plays what is mixed this much later.
    sink_latency=$(pactl list sinks | awk '/Name: horaloom_null/ { s = 1 } s && /Latency:/ && !done {
        printf "%.1f", $2 / 1000; done = 1 }')
    note "The null sink's latency (mixed to played) after the latency runs: ${sink_latency:-n/a} ms."

    # Starts Horaloom in DIR, lets it settle, reads rss0 and opens the Count Down boxes; false
    # when its window does not appear.
    settled_in_countdown() { # settled_in_countdown DIR LOG
        start_in "$1" "$2" "$BENCH_HORALOOM"
        horaloom=$started_pid
        started_at=$(now)
        hwin=$(window_of "$horaloom") || return 1
        settle_since "$started_at"
        rss0=$(rss_kib "$horaloom")
        activate "$hwin"
        press alt+d
        sleep 0.3
    }

    say "sound: memory added by the first sound (a refused key)"
    if settled_in_countdown "$(horaloom_dir)" "$workdir/horaloom-sound.log"; then
        timeout 10 xdotool type x >/dev/null 2>&1
        sleep 2
        H[sound_rss]=$(awk -v a="$rss0" -v b="$(rss_kib "$horaloom")" 'BEGIN { printf "%.1f", (b - a) / 1024 }')
    else
        H[sound_rss]=n/a
    fi
    stop_process "$horaloom"

    say "sound: memory while a 200 MB wave file plays"
    sox -n -r 44100 -c 2 -b 16 "$workdir/big.wav" synth 1190 sine 440 vol 0.3
    big_mb=$(awk -v b="$(stat -c %s "$workdir/big.wav")" 'BEGIN { printf "%.0f", b / 1e6 }')
    dir=$(horaloom_dir)
    printf ' 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n%s\r\n0\r\n' "$workdir/big.wav" >"$dir/Horaloom.ini"
    if settled_in_countdown "$dir" "$workdir/horaloom-big.log"; then
        timeout 10 xdotool type --delay 60 000002 >/dev/null 2>&1
        sleep 0.2
        press alt+a
        peak=$rss0
        for ((i = 0; i < 16; i++)); do # 8 s: the alarm starts in 1-2 s and plays on
            sleep 0.5
            rss=$(rss_kib "$horaloom")
            ((rss > peak)) && peak=$rss
        done
        H[big_rss]=$(awk -v a="$rss0" -v b="$peak" 'BEGIN { printf "%.1f", (b - a) / 1024 }')
        note "The large wave file: ${big_mb} MB, 44.1 kHz 16-bit stereo; resident memory sampled every 0.5 s for 8 s from Start Timer, the peak against the idle figure (which includes loading the sound module)."
    else
        H[big_rss]=n/a
    fi
    stop_process "$horaloom"
    rm -f -- "$workdir/big.wav"
else
    H[beep_ms]=n/a H[wave_ms]=n/a H[call_ms]=n/a H[sound_rss]=n/a H[big_rss]=n/a
    note "Sound was not measured: ${BENCH_SOUND:+no sound server in the session}${BENCH_SOUND:-the sound program was not built}."
fi

# Why the sound module is loaded at the first sound rather than linked: the minimal window's
# start-up memory with and without libsndfile and libpulse-simple loaded at start.
sound_libs=""
for lib in libsndfile.so.1 libpulse-simple.so.0; do
    path=$(ldconfig -p | awk -v l="$lib" '$1 == l && !found { print $NF; found = 1 }')
    sound_libs+=${path:+$path }
done
if [[ -n $sound_libs ]]; then
    say "minimal window: start-up memory with and without the sound libraries"
    rss_plain="" rss_linked="" pss_plain="" pss_linked=""
    for ((i = 0; i < 3; i++)); do
        for mode in plain linked; do
            if [[ $mode == linked ]]; then
                start_in "$workdir" "$workdir/minimal-$mode.log" env LD_PRELOAD="$sound_libs" "$BENCH_MINIMAL"
            else
                start_in "$workdir" "$workdir/minimal-$mode.log" "$BENCH_MINIMAL"
            fi
            pid=$started_pid
            started_at=$(now)
            if window_of "$pid" >/dev/null; then
                settle_since "$started_at"
                if [[ $mode == linked ]]; then
                    rss_linked+="$(rss_kib "$pid") " pss_linked+="$(pss_kib "$pid") "
                else
                    rss_plain+="$(rss_kib "$pid") " pss_plain+="$(pss_kib "$pid") "
                fi
            fi
            stop_process "$pid"
        done
    done
    mean() { tr ' ' '\n' | awk 'NF { s += $1; n++ } END { if (n) printf "%.1f", s / n / 1024; else print "n/a" }'; }
    H[libs_rss]=$(difference "$(mean <<<"$rss_linked")" "$(mean <<<"$rss_plain")")
    H[libs_pss]=$(difference "$(mean <<<"$pss_linked")" "$(mean <<<"$pss_plain")")
else
    H[libs_rss]=n/a H[libs_pss]=n/a
fi

# === 2.-4. the minimal window ================================================================
say "minimal window: memory, idle CPU, CPU with another window in front"
start_in "$workdir" "$workdir/minimal.log" "$BENCH_MINIMAL"
minimal=$started_pid
started_at=$(now)
window_of "$minimal" >/dev/null || {
    say "the minimal window did not appear"
    exit 1
}
settle_since "$started_at"
M[rss]=$(mib "$(rss_kib "$minimal")")
M[pss]=$(mib "$(pss_kib "$minimal")")
read -r M[idle] M[idle_wakeups] M[idle_woken] < <(usage_over "$minimal" "$idle_seconds")
: >"$workdir/titles-minimal.log"
start_in "$workdir" "$workdir/titles-minimal.log" "$BENCH_TITLE_DELAY" --title "$other_title"
helper=$started_pid
if wait_for 10 grep -q '^window ' "$workdir/titles-minimal.log"; then
    activate "$(awk '/^window / {print $2; exit}' "$workdir/titles-minimal.log")"
    read -r M[count] M[count_wakeups] M[count_woken] < <(usage_over "$minimal" "$count_seconds")
    M[rss_count]=$(mib "$(rss_kib "$minimal")")
else
    M[count]="n/a" M[count_wakeups]="n/a" M[count_woken]="n/a"
    M[rss_count]="n/a"
fi
stop_process "$helper"
stop_process "$minimal"

# === the table ===============================================================================
verdict() { # verdict CONDITION-AWK MESSAGE-IF-MISSED
    if [[ $1 == *n/a* ]]; then
        echo "not measured"
    elif awk "BEGIN { exit !($1) }"; then
        echo "met"
    else
        echo "**missed**$2"
    fi
}
startup_gap=$(difference "${H[startup]}" "${M[startup]}")
rss_gap=$(difference "${H[rss]}" "${M[rss]}")

{
    echo "## Horaloom benchmark: ${BENCH_LABEL:-default run}"
    echo
    echo "$(date -u '+%Y-%m-%d %H:%M UTC'); $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo);" \
        "Xvfb 1280x800x24 with openbox, trayer and a PulseAudio null sink; each program alone on the desktop."
    echo
    echo "| measure | Horaloom | minimal Qt window | target |"
    echo "|---|---|---|---|"
    echo "| 1. start-up to the first viewable window, median of $runs runs (ms) | ${H[startup]} (n=$h_n) | ${M[startup]} (n=$m_n) |" \
        "within 30 ms of the minimal window: $(verdict "${startup_gap} <= 30" ": ${startup_gap} ms behind, 30 allowed") |"
    echo "| 2. resident memory after ${settle_seconds} s, VmRSS (MiB) | ${H[rss]} | ${M[rss]} |" \
        "under 35 MB, within 6 MB of the minimal window: $(verdict "${H[rss]} * 1.048576 < 35 && ${rss_gap} * 1.048576 <= 6" ": ${rss_gap} MiB above the minimal window") |"
    echo "| 2. proportional memory after ${settle_seconds} s, PSS (MiB) | ${H[pss]} | ${M[pss]} | (reported) |"
    echo "| 3. idle over ${idle_seconds} s: % of one core / on a CPU / woken, a second | ${H[idle]} / ${H[idle_wakeups]} / ${H[idle_woken]} | ${M[idle]} / ${M[idle_wakeups]} / ${M[idle_woken]} |" \
        "0.05 % and 3 a second at most: $(verdict "${H[idle]} <= 0.05 && ${H[idle_wakeups]} <= 3" ": ${H[idle]} %, ${H[idle_wakeups]} a second") |"
    echo "| 4. counting over ${count_seconds} s, Horaloom in front: % / on a CPU / woken, a second | ${H[front]} / ${H[front_wakeups]} / ${H[front_woken]} | – |" \
        "0.07 % and 4 a second at most: $(verdict "${H[front]} <= 0.07 && ${H[front_wakeups]} <= 4" ": ${H[front]} %, ${H[front_wakeups]} a second") |"
    echo "| 4. counting over ${count_seconds} s, another window in front: % / on a CPU / woken, a second | ${H[count]} / ${H[count_wakeups]} / ${H[count_woken]} | ${M[count]} / ${M[count_wakeups]} / ${M[count_woken]} (nothing to count) |" \
        "0.07 % and 4 a second at most: $(verdict "${H[count]} <= 0.07 && ${H[count_wakeups]} <= 4" ": ${H[count]} %, ${H[count_wakeups]} a second") |"
    echo "| 4. counting over ${count_seconds} s, hidden in the tray: % / on a CPU / woken, a second | ${H[hidden]} / ${H[hidden_wakeups]} / ${H[hidden_woken]} | – | (reported) |"
    echo "| 4. VmRSS after counting ${count_seconds} s (MiB) | ${H[rss_count]} | ${M[rss_count]} | (reported) |"
    if ((long_seconds > 0)); then
        echo "| 4. VmRSS after counting $((long_seconds / 60)) min more (MiB, growth since counting began) | ${H[rss_long]} | – | (reported) |"
    else
        echo "| 4. VmRSS growth over a 10 min count | not run (--long) | – | (reported) |"
    fi
    echo "| 5. title write after the wall-clock second changes, median / p99 (ms into the second) | ${H[delay_median]} / ${H[delay_p99]} (n=$samples) | – |" \
        "median under 10 ms: $(verdict "${H[delay_median]} < 10" ": median ${H[delay_median]} ms") |"
    echo "| 5. foreground switch (another X client activates a window) to its decorated title seen by that client, median / p99 (ms) | ${H[switch_median]} / ${H[switch_p99]} | – |" \
        "median 5 ms or less: $(verdict "${H[switch_median]} <= 5" ": median ${H[switch_median]} ms") |"
    echo "| 6. X round trips per title-bar call, unchanged / after a foreground switch | ${H[roundtrips]} / ${H[roundtrips_switched]} | – | (reported) |"
    echo "| 7. the alarm flashing over ${flash_seconds} s: % of one core / on a CPU / woken, a second | ${H[flash]} / ${H[flash_wakeups]} / ${H[flash_woken]} | – | (reported) |"
    echo "| 8. sound request to the first sample in the sink's mix, median of $sound_runs (ms): beep / wave file | ${H[beep_ms]} / ${H[wave_ms]} | – |" \
        "40 ms or less to the first sample heard (the sink's latency of ${sink_latency:-n/a} ms added): $(verdict "${H[beep_ms]} + ${sink_latency:-n/a} <= 40 && ${H[wave_ms]} + ${sink_latency:-n/a} <= 40" ": beep ${H[beep_ms]}, wave ${H[wave_ms]} ms") |"
    echo "| 8. longest a sound request holds the UI thread (ms) | ${H[call_ms]} | – |" \
        "5 ms or less: $(verdict "${H[call_ms]} <= 5" ": ${H[call_ms]} ms") |"
    echo "| 8. resident memory added by the first sound, VmRSS (MiB) | ${H[sound_rss]} | – |" \
        "4 MB or less: $(verdict "${H[sound_rss]} * 1.048576 <= 4" ": ${H[sound_rss]} MiB") |"
    echo "| 8. resident memory added while a ${big_mb:-200} MB wave file plays, VmRSS (MiB) | ${H[big_rss]} | – |" \
        "8 MB or less: $(verdict "${H[big_rss]} * 1.048576 <= 8" ": ${H[big_rss]} MiB") |"
    echo "| 8. start-up memory the sound libraries would add if linked, VmRSS / PSS (MiB) | – | ${H[libs_rss]} / ${H[libs_pss]} | (reported: why the sound module is loaded at the first sound) |"
    echo
    echo "Notes:"
    echo
    for line in "${notes[@]}"; do
        echo "- $line"
    done
    echo "- CPU and wake-ups summed over every thread of the process: nanoseconds on a CPU and the" \
        "times a thread was put on one from /proc/PID/task/*/schedstat (the targets' wake-ups), and" \
        "the times a thread slept and was woken from the voluntary context switches in" \
        "/proc/PID/task/*/status, which preemptions by other programs do not inflate. The minimal" \
        "window refreshes a clock from a 1000 ms timer."
    echo "- Memory in MiB (1 MiB = 1.049 MB; the targets are checked in MB). Start-up runs from fork to" \
        "the window being viewable inside its openbox frame, as another X client sees it."
} >"$BENCH_RESULTS"
cat "$BENCH_RESULTS"

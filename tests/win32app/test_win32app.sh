#!/usr/bin/env bash
# Horaloom.exe as a user meets it, under wine in the private desktop: built with mingw, started
# from a folder holding its settings, driven with xdotool's keys and clicks, and read back by
# the probe (probe.cpp, a small Windows program) and by the session's sound sink.
#
#   scripts/desktop-session tests/win32app/test_win32app.sh
#
# Environment: SEGMENTS, the horaloom_sound_segments program; WIN32APP_BUILD_DIR, where the
# Windows build goes (default: a temporary folder); HORALOOM_SCREENSHOTS, a folder to put
# screenshots of the main window into. Exits 77 (skipped) without mingw or wine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../check.sh disable=SC1091
source "$root/tests/check.sh"

if ! command -v x86_64-w64-mingw32-g++ >/dev/null || ! command -v wine >/dev/null ||
    ! command -v wineserver >/dev/null; then
    echo "SKIP: needs g++-mingw-w64-x86-64, wine and wine64"
    exit 77
fi
if [[ -z ${DISPLAY:-} ]]; then
    echo "no DISPLAY: run me inside scripts/desktop-session" >&2
    exit 1
fi

workdir=$(mktemp -d "${TMPDIR:-/tmp}/horaloom-win32app.XXXXXX")
pids=()
wine_started=0
cleanup() {
    local status=$?
    trap - EXIT
    set +e
    for pid in "${pids[@]}"; do
        kill -TERM "$pid" 2>/dev/null
    done
    if ((wine_started)); then
        # This prefix's wineserver and every wine process under it, nobody else's.
        wineserver -k >/dev/null 2>&1
        timeout 10 wineserver -w >/dev/null 2>&1
    fi
    wait 2>/dev/null
    rm -rf -- "$workdir"
    report_checks "$status" || exit 1 # set +e above: the trap must say so itself
}
trap cleanup EXIT
# shellcheck source=../desktop/sound.sh disable=SC1091
source "$root/tests/desktop/sound.sh"

# --- the build -------------------------------------------------------------------------------
build=${WIN32APP_BUILD_DIR:-$workdir/build}
"$root/scripts/build-windows" "$build" | tail -n 1
exe=$build/src/win32app/Horaloom.exe
size=$(stat -c %s "$exe")
check "the stripped exe is at most 300 KB ($size bytes)" test "$size" -le 307200
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p' | tr '[:upper:]' '[:lower:]' |
    sort | tr '\n' ' ')
check "it needs system DLLs only ($imports)" \
    test -z "$(tr ' ' '\n' <<<"$imports" | grep -vxE '(user32|gdi32|comctl32|comdlg32|shell32|winmm|kernel32|msvcrt)\.dll|')"
x86_64-w64-mingw32-g++ -std=c++20 -Os -s -static -DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0601 \
    "$here/probe.cpp" -o "$workdir/probe.exe" -luser32

# --- wine --------------------------------------------------------------------------------------
mkdir -m 0700 "$workdir/home"
export HOME=$workdir/home WINEPREFIX=$workdir/prefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installer dialogs, no menu entries or file associations written anywhere.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The null sink serves a new low-latency client properly only after two seconds: the recorder
# starts while the prefix is made.
parec -d horaloom_null.monitor --latency-msec=20 --format=s16le --rate="$sound_rate" \
    --channels=1 >"$recording" &
pids+=("$!")
wine_started=1
started=$SECONDS
timeout --kill-after=5 90 wine wineboot --init >"$workdir/wineboot.log" 2>&1
echo "wine prefix made in $((SECONDS - started)) s"
test_started=$SECONDS

probe() { wine "$workdir/probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
field() { sed -n "s/^$1 //p" <<<"$2"; }
# wait_for SECONDS COMMAND...: polls the command until it succeeds.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}
form1_shows() { probe "${@:2}" form1 | grep -qx "visible $1"; } # VISIBLE [--desktop NAME]
digits_are() { probe form1 | grep -qx "digits $1"; }
# The X window whose whole name is this, newest first.
xwindow() {
    local w
    for w in $(xdotool search --name "$1" 2>/dev/null | tac); do
        [[ $(xdotool getwindowname "$w") != "$1" ]] || { echo "$w" && return 0; }
    done
    return 1
}
alive() { [[ $(ps -o stat= -p "$1" 2>/dev/null) == [^Z]* ]]; }
ended() { ! alive "$1"; }
# press_in PID KEY: the key, in the window of that wine process (a message box), until it
# ends; killed when it does not.
press_in() {
    local w tries=0
    while alive "$1" && ((tries++ < 5)); do
        w=$(xdotool search --pid "$1" --name . 2>/dev/null | tail -n 1)
        [[ -z $w ]] || activate "$w"
        xdotool key "$2"
        sleep 1
    done
    ! alive "$1" || kill -KILL "$1"
}
activate() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowactivate "$1"; }
pixel() { # pixel X Y: the screen's colour there, as #RRGGBB
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n 1
}

acp=$(field acp "$(probe form1)") || true
# Horaloom's folder has a letter beyond ASCII too: its path goes through the code page.
run=$workdir/Stoppuhr-ö
mkdir "$run"
# The alarm: a 660 Hz tone in a file whose name has a letter beyond ASCII, named in the settings
# by the bytes of the ANSI code page, as Windows keeps them.
wave=$run/Glöckchen.wav
sox -q -n -r 22050 -c 1 -b 16 "$wave" synth 3 sine 660 vol 0.5
wave_bytes=$(printf 'Z:%s' "${wave//\//\\}" | iconv -f UTF-8 -t "CP${acp:-1252}")
settings() { # settings REPEAT CLOCK: the file as Horaloom writes it, window at (1500, 1200)
    printf ' 1 \r\n %s \r\n 1 \r\n 1500 \r\n 1200 \r\n%s\r\n%s\r\n' "$1" "$wave_bytes" "$2"
}
settings 0 0 >"$run/Horaloom.ini"
cp "$exe" "$run/Horaloom.exe"
start_horaloom() {
    (cd "$run" && exec wine Horaloom.exe) >/dev/null 2>&1 &
    horaloom=$!
}

# --- start-up --------------------------------------------------------------------------------
start_horaloom
check "Horaloom's window comes up" wait_for 40 form1_shows 1
state=$(probe form1)
check "its caption is Horaloom ($(field caption "$state"))" test "$(field caption "$state")" = Horaloom
check "its client area is 177x161 at 96 dpi ($(field client "$state"))" \
    test "$(field client "$state")" = "177 161"
check "it stands where the settings put it, 1500 and 1200 twips ($(field frame "$state"))" \
    test "$(field frame "$state")" = "100 80"
check "it shows 00:00:00 ($(field digits "$state"))" test "$(field digits "$state")" = 00:00:00
read -r ox oy <<<"$(field origin "$state")"
form=$(xwindow Horaloom)
if [[ -n ${HORALOOM_SCREENSHOTS:-} ]]; then
    activate "$form"
    sleep 0.5
    import -frame -window "$form" "$HORALOOM_SCREENSHOTS/windows-idle.png"
fi

# --- a countdown typed with Alt+D and digits, to the alarm ----------------------------------------
activate "$form"
xdotool key alt+d
xdotool type --delay 150 00
before=$(mark)
for _ in 1 2 3; do # no minutes tens digit: refused with the beep, each time
    xdotool type 7
    sleep 0.7
done
after=$(mark)
xdotool type --delay 150 0003
check "a digit a box does not take is refused with the beep, every time" \
    test "$(heard_between "$before" "$after" | full_beeps)" -eq 3
check "Alt+D and six digits set 00:00:03" digits_are 00:00:03
xdotool key alt+a
start=$(mark)
check "the digits stop at 00:00:00" wait_for 8 digits_are 00:00:00
flashes=$(pixel $((ox + 4)) $((oy + 100)))
sleep 0.55
flashes+=" $(pixel $((ox + 4)) $((oy + 100)))"
check "the window flashes in palette colours ($flashes)" grep -qv '^#000000 #000000$' <<<"$flashes"
xdotool key alt+o
sleep 0.6
check "Stop Timer paints it black again" test "$(pixel $((ox + 4)) $((oy + 100)))" = "#000000"
# A refused digit while the alarm still sounds: its beep must not cut the wave file short.
xdotool key alt+d
xdotool type --delay 150 007
recorded "$start" 7
xdotool key alt+r
heard=$(heard_between "$start" "$(mark)")
printf 'heard after Start: %s\n' "$heard"
# The tone from its first start to its last end: a drop-out in the recording may split it.
alarm=$(awk '$3 >= 640 && $3 <= 680 { if (!n++) s = $1; e = $1 + $2 } END { printf "%d %d", s, e - s }' <<<"$heard")
read -r alarm_ms alarm_length <<<"$alarm"
check "the countdown reaches zero on the wall clock: the wave file sounds 2-3.6 s after Start" \
    test "$alarm_ms" -ge 1900 -a "$alarm_ms" -le 3700
check "the wave file by its Latin-1 name plays in full, a beep meanwhile yielding ($alarm_length ms)" \
    test "$alarm_length" -ge 2900

# --- the running time in another program's titles ----------------------------------------------
log=$workdir/titles.log
(cd "$workdir" && exec wine "$workdir/probe.exe" titles "$log") >/dev/null 2>&1 &
pids+=("$!")
first="Übung – 日本"
second="Notes 𝄞 clef $(printf 'x%.0s' {1..600})"
wait_for 20 grep -q ready "$log"
wait_for 10 xwindow "$second"
window_a=$(xwindow "$first")
window_b=$(xwindow "$second")
activate "$form"
xdotool key alt+u
xdotool key alt+a
activate "$window_a"
time_re='[0-9]{2}:[0-9]{2}:[0-9]{2}   '
lines() { wc -l <"$log"; }
# after LINE PATTERN: the first log line past LINE that matches, "ms event window title".
after() { tail -n +$(($1 + 1)) "$log" | grep -m 1 -E "$2"; }
ms() { cut -d' ' -f1 <<<"$1"; }
# delay PATTERN CAUSE: ms from the log's first CAUSE line past $seen to the first PATTERN line.
delay() {
    wait_for 3 after "$seen" "$1" &&
        echo $(($(ms "$(after "$seen" "$1")") - $(ms "$(after "$seen" "$2")")))
}
check "the window in front carries the running time" \
    wait_for 4 after 0 "^[0-9]+ title A $time_re$first\$"
# Each delay is measured right after a tick, so that a writer that waited for the next tick
# would be about a second late.
seen=$(lines)
wait_for 3 after "$seen" "^[0-9]+ title A $time_re"
seen=$(lines)
xdotool key r
took=$(delay "^[0-9]+ title A ${time_re}Round 1\$" ' retitled A') || took=""
check "a window its program retitles is decorated at once (${took:-never} ms)" test "${took:-9999}" -le 400
seen=$(lines)
wait_for 3 after "$seen" "^[0-9]+ title A $time_re"
seen=$(lines)
activate "$window_b"
took=$(delay "^[0-9]+ title B $time_re$second\$" ' active B') || took=""
check "the new window in front is decorated at once (${took:-never} ms)" test "${took:-9999}" -le 400
check "the window left gets its own title back, exactly" \
    wait_for 1 after "$seen" "^[0-9]+ title A Round 1\$"
seen=$(lines)
activate "$form"
check "Horaloom in front: the other window's title is exactly its own again" \
    wait_for 3 after "$seen" "^[0-9]+ title B $second\$"
# The window in front stops answering for 8 s: Horaloom's clock must go on meanwhile.
activate "$window_b"
xdotool key h
sleep 1.2
clock=$(field digits "$(probe form1)")
sleep 2
clock+=" $(field digits "$(probe form1)")"
check "a program that hangs does not stop Horaloom's clock ($clock)" test "${clock% *}" != "${clock#* }"
wait_for 10 grep -q awake "$log"

# --- a killed Horaloom's decoration, undone at the next start -------------------------------------
seen=$(lines)
activate "$window_a"
wait_for 3 after "$seen" "^[0-9]+ title A ${time_re}Round 1\$"
wait_for 3 after "$seen" "^[0-9]+ title A ${time_re}Round 1\$"
kill -KILL "$horaloom" # as a crash would end it: no clean-up of its own
{ wait "$horaloom" || true; } 2>/dev/null
seen=$(lines)
sleep 1.2
check "after a kill, the decoration stays (nothing restores it)" \
    test -z "$(after "$seen" '^[0-9]+ title A Round 1$' || true)"

# --- settings it refuses -------------------------------------------------------------------
refused() { # refused DIR REASON: Horaloom started there says why, and ends when told
    local pid status=0
    (cd "$1" && exec wine "$exe") >/dev/null 2>"$workdir/reason.txt" &
    pid=$!
    wait_for 20 probe box Horaloom || true
    probe box Horaloom >"$workdir/box.txt"
    press_in "$pid" Return
    wait "$pid" || status=$?
    grep -qx "Horaloom must be started from its directory" "$workdir/box.txt" && ((status == 1)) &&
        grep -q "$2" "$workdir/reason.txt"
}
mkdir "$workdir/short" "$workdir/fifo"
settings 0 0 | head -n 6 >"$workdir/short/Horaloom.ini"
mkfifo "$workdir/fifo/Horaloom.ini"
check "a settings file of six lines: 'must be started from its directory', status 1" \
    refused "$workdir/short" "line 7"
check "a FIFO in the settings file's place: the same, not read" \
    refused "$workdir/fifo" "not a regular file"

start_horaloom
check "the next start gives the killed run's decoration back, exactly" \
    wait_for 30 after "$seen" "^[0-9]+ title A Round 1\$"
wait_for 20 form1_shows 1

# --- one copy only, and a second start brings the hidden first one forward ---------------------
activate "$(xwindow Horaloom)"
xdotool key alt+h
wait_for 10 form1_shows 0 || true
(cd "$run" && exec wine "$exe") >/dev/null 2>&1 &
second_copy=$!
wait_for 20 probe box Horaloom || true
check "a second copy says 'Horaloom is already running.'" \
    grep -qx "Horaloom is already running." <<<"$(probe box Horaloom)"
press_in "$second_copy" Return
status=0
wait "$second_copy" || status=$?
check "and ends with status 1 ($status)" test "$status" -eq 1
check "the first copy goes on, its hidden window shown again" wait_for 10 form1_shows 1

# --- the menus, then Quit, Yes: the settings file, byte for byte --------------------------------
form=$(xwindow Horaloom)
activate "$form"
xdotool key alt+s r
xdotool key alt+s d
xdotool key alt+q
wait_for 10 probe box "Exit Horaloom" || true
check "Quit asks 'Are you sure you want to quit?'" \
    grep -qx "Are you sure you want to quit?" <<<"$(probe box 'Exit Horaloom')"
xdotool key y
wait_for 10 ended "$horaloom" || kill -KILL "$horaloom" # a box left open: no end
status=0
wait "$horaloom" || status=$?
check "Yes ends Horaloom with status 0 ($status)" test "$status" -eq 0
check "Horaloom.ini holds the two toggles and the rest unchanged, byte for byte" \
    cmp "$run/Horaloom.ini" <(settings 1 1)

# --- the tray, on wine's own desktop -------------------------------------------------------------
(cd "$run" && exec wine explorer /desktop=shell,900x600 Horaloom.exe) >/dev/null 2>&1 &
check "on wine's own desktop Horaloom starts" wait_for 40 form1_shows 1 --desktop shell
desktop=$(xwindow "shell - Wine desktop")
activate "$desktop"
xdotool key alt+h
check "Alt+H hides it (to the tray)" wait_for 5 form1_shows 0 --desktop shell
read -r _ bar_top bar_right bar_bottom <<<"$(field bar "$(probe --desktop shell form1)")"
# The one icon sits at the right-hand end of the task bar.
xdotool mousemove --window "$desktop" $((bar_right - 12)) $(((bar_top + bar_bottom) / 2)) click 1
check "a left click on the tray icon brings it back" wait_for 5 form1_shows 1 --desktop shell
# The click left the task bar in front: a click on the window's background makes it active.
read -r dx dy <<<"$(field origin "$(probe --desktop shell form1)")"
xdotool mousemove --window "$desktop" $((dx + 4)) $((dy + 100)) click 1
xdotool key alt+h
check "Alt+H hides it again" wait_for 5 form1_shows 0 --desktop shell
xdotool mousemove --window "$desktop" $((bar_right - 12)) $(((bar_top + bar_bottom) / 2)) click 3
check "so does a right click" wait_for 5 form1_shows 1 --desktop shell

echo "tested under wine in $((SECONDS - test_started)) s"

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

for tool in x86_64-w64-mingw32-g++ wine wineserver; do
    command -v "$tool" >/dev/null || { echo "SKIP: needs g++-mingw-w64-x86-64, wine, wine64" && exit 77; }
done
: "${DISPLAY:?run me inside scripts/desktop-session}"

workdir=$(mktemp -d "${TMPDIR:-/tmp}/horaloom-win32app.XXXXXX")
pids=()
wine_started=0
cleanup() {
    local status=$?
    trap - EXIT
    set +e
    kill -TERM "${pids[@]}" 2>/dev/null
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
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p')
check "it needs system DLLs only (${imports//$'\n'/ })" test -z "$(grep -viE \
    '^(user32|gdi32|comctl32|comdlg32|shell32|winmm|kernel32|msvcrt)\.dll$' <<<"$imports")"
x86_64-w64-mingw32-g++ -std=c++20 -Os -s -static -DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0601 \
    "$here/probe.cpp" -o "$workdir/probe.exe" -luser32

# --- wine --------------------------------------------------------------------------------------
mkdir -m 0700 "$workdir/home"
export HOME=$workdir/home WINEPREFIX=$workdir/prefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installer dialogs, no menu entries or file associations written anywhere.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
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
    until "${@:2}" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}
start_recording
shows() { probe "${@:3}" form1 | grep -qx "$1 $2"; }  # shows FIELD VALUE [--desktop NAME]
box_says() { probe box "$1" | grep -qx "$2"; }        # box_says TITLE TEXT
xwindow() { xdotool search --name "^$1\$" 2>/dev/null | tail -n 1 | grep .; } # newest first
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
background() { # the colour under Horaloom's digits, as #RRGGBB
    import -window root -crop "1x1+$((ox + 4))+$((oy + 100))" -depth 8 txt:- |
        grep -o '#[0-9A-F]\{6\}' | head -n 1
}

# Horaloom's folder has a letter beyond ASCII too: its path goes through the code page.
run=$workdir/Stoppuhr-ö
mkdir "$run"
# The alarm: a 660 Hz tone in a file whose name has a letter beyond ASCII, named in the settings
# by the bytes of the ANSI code page (wine's here is 1252), as Windows keeps them.
wave=$run/Glöckchen.wav
sox -q -n -r 22050 -c 1 -b 16 "$wave" synth 3 sine 660 vol 0.5
wave_bytes=$(printf 'Z:%s' "${wave//\//\\}" | iconv -f UTF-8 -t CP1252)
settings() { # settings REPEAT CLOCK: the file as Horaloom writes it, window at (1500, 1200)
    printf ' 1 \r\n %s \r\n 1 \r\n 1500 \r\n 1200 \r\n%s\r\n%s\r\n' "$1" "$wave_bytes" "$2"
}
settings 0 0 >"$run/Horaloom.ini"
cp "$exe" "$run/Horaloom.exe"
start_horaloom() { (cd "$run" && exec wine Horaloom.exe) >/dev/null 2>&1 & horaloom=$!; }

# --- start-up --------------------------------------------------------------------------------
start_horaloom
check "Horaloom's window comes up" wait_for 40 shows visible 1
state=$(probe form1)
# At 96 dpi; where the settings put it, 1500 and 1200 twips.
for line in "caption Horaloom" "client 177 161" "frame 100 80" "digits 00:00:00"; do
    check "its $line ($(grep "^${line%% *} " <<<"$state"))" grep -qx "$line" <<<"$state"
done
read -r ox oy <<<"$(field origin "$state")"
form=$(xwindow Horaloom)
[[ -z ${HORALOOM_SCREENSHOTS:-} ]] || { activate "$form" && sleep 0.5 &&
    import -frame -window "$form" "$HORALOOM_SCREENSHOTS/windows-idle.png"; }

# --- a countdown typed with Alt+D and digits, to the alarm ----------------------------------------
activate "$form"
xdotool key alt+d type --delay 150 00
before=$(mark)
for _ in 1 2 3; do # no minutes tens digit: refused with the beep, each time
    xdotool type 7
    sleep 0.7
done
after=$(mark)
xdotool type --delay 150 0003
check "a digit a box does not take is refused with the beep, every time" \
    test "$(heard_between "$before" "$after" | full_beeps)" -eq 3
xdotool key alt+a
start=$(mark)
check "the digits stop at 00:00:00" wait_for 8 shows digits 00:00:00
flashes="$(background) $(sleep 0.55 && background)"
check "the window flashes in palette colours ($flashes)" grep -qv '^#000000 #000000$' <<<"$flashes"
xdotool key alt+o
sleep 0.6
check "Stop Timer paints it black again" test "$(background)" = "#000000"
# A refused digit while the alarm still sounds: its beep must not cut the wave file short.
xdotool key alt+d type --delay 150 007
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
(cd "$workdir" && exec wine "$workdir/probe.exe" titles "$log") >/dev/null 2>&1 & pids+=("$!")
first="Übung – 日本"
second="Notes 𝄞 clef $(printf 'x%.0s' {1..600})"
wait_for 20 grep -q ready "$log"
wait_for 10 xwindow "$second"
window_a=$(xwindow "$first")
window_b=$(xwindow "$second")
activate "$form"
xdotool key alt+u alt+a
activate "$window_a"
time_re='[0-9]{2}:[0-9]{2}:[0-9]{2}   '
lines() { wc -l <"$log"; }
# after LINE PATTERN: the first log line past LINE that matches, "ms event window title".
after() { tail -n +$(($1 + 1)) "$log" | grep -m 1 -E "$2"; }
# at_once PATTERN CAUSE: past $seen, the first PATTERN line comes at most 400 ms after the first
# CAUSE line.
at_once() {
    local shown cause
    wait_for 3 after "$seen" "$1" && shown=$(after "$seen" "$1") && cause=$(after "$seen" "$2") ||
        return 1
    echo "  $((${shown%% *} - ${cause%% *})) ms" && ((${shown%% *} - ${cause%% *} <= 400))
}
# Sets seen just past the next tick's title on A.
next_tick() { seen=$(lines) && wait_for 3 after "$seen" "^[0-9]+ title A $time_re" && seen=$(lines); }
check "the window in front carries the running time" \
    wait_for 4 after 0 "^[0-9]+ title A $time_re$first\$"
# Each delay is measured right after a tick, so that a writer that waited for the next tick
# would be about a second late.
next_tick
xdotool key r
check "a window its program retitles is decorated at once" at_once "^[0-9]+ title A ${time_re}Round 1\$" ' retitled A'
next_tick
activate "$window_b"
check "the new window in front is decorated at once" at_once "^[0-9]+ title B $time_re$second\$" ' active B'
check "the window left gets its own title back, exactly" \
    wait_for 1 after "$seen" "^[0-9]+ title A Round 1\$"
seen=$(lines)
activate "$form"
check "Horaloom in front: the other window's title is exactly its own again" \
    wait_for 3 after "$seen" "^[0-9]+ title B $second\$"
# The window in front stops answering for 8 s: Horaloom's clock must go on meanwhile.
activate "$window_b"
xdotool key h
clock="$(sleep 1.2 && field digits "$(probe form1)") $(sleep 2 && field digits "$(probe form1)")"
check "a program that hangs does not stop Horaloom's clock ($clock)" test "${clock% *}" != "${clock#* }"
wait_for 10 grep -q awake "$log"

# --- a killed Horaloom's decoration, undone at the next start -------------------------------------
activate "$window_a"
next_tick # A's own title is Round 1 by now
kill -KILL "$horaloom" # as a crash would end it: no clean-up of its own
{ wait "$horaloom" || true; } 2>/dev/null
seen=$(lines)

# --- settings it refuses -------------------------------------------------------------------
# run_box DIR: Horaloom.exe started in DIR shows a message box; Return answers it. Sets status
# to how it ended, box to the box's texts; its standard error goes to reason.txt.
run_box() {
    local pid
    (cd "$1" && exec wine "$exe") >/dev/null 2>"$workdir/reason.txt" &
    pid=$!
    wait_for 20 probe box Horaloom || true
    box=$(probe box Horaloom) || true
    press_in "$pid" Return
    status=0
    wait "$pid" || status=$?
}
said() { grep -qx "$1" <<<"$box" && ((status == 1)); } # said TEXT: and ended with status 1
mkdir "$workdir/fifo" && mkfifo "$workdir/fifo/Horaloom.ini"
run_box "$workdir/fifo"
check "a FIFO in the settings file's place: 'must be started from its directory', status 1" \
    said "Horaloom must be started from its directory"
check "and, not read, the reason on standard error" grep -q "not a regular file" "$workdir/reason.txt"

start_horaloom
check "the next start gives the killed run's decoration back, exactly" \
    wait_for 30 after "$seen" "^[0-9]+ title A Round 1\$"
wait_for 20 shows visible 1

# --- one copy only, and a second start brings the hidden first one forward ---------------------
activate "$(xwindow Horaloom)"
xdotool key alt+h
wait_for 10 shows visible 0 || true
run_box "$run"
check "a second copy says 'Horaloom is already running.', status 1 ($status)" \
    said "Horaloom is already running."
check "the first copy goes on, its hidden window shown again" wait_for 10 shows visible 1

# --- the menus, then Quit, Yes: the settings file, byte for byte --------------------------------
activate "$(xwindow Horaloom)"
xdotool key alt+s r
xdotool key alt+s d
xdotool key alt+q
check "Quit asks 'Are you sure you want to quit?'" \
    wait_for 10 box_says "Exit Horaloom" "Are you sure you want to quit?"
xdotool key y
wait_for 10 ended "$horaloom" || kill -KILL "$horaloom" # a box left open: no end
status=0
wait "$horaloom" || status=$?
check "Yes ends Horaloom with status 0 ($status)" test "$status" -eq 0
check "Horaloom.ini holds the two toggles and the rest unchanged, byte for byte" \
    cmp "$run/Horaloom.ini" <(settings 1 1)

# --- the tray, on wine's own desktop -------------------------------------------------------------
(cd "$run" && exec wine explorer /desktop=shell,900x600 Horaloom.exe) >/dev/null 2>&1 &
check "on wine's own desktop Horaloom starts" wait_for 40 shows visible 1 --desktop shell
desktop=$(xwindow "shell - Wine desktop")
# to_tray_and_back BUTTON: Alt+H hides it, and that button on the tray icon, the one icon at the
# right-hand end of the task bar, brings it back.
to_tray_and_back() {
    local top right bottom
    xdotool key alt+h && wait_for 5 shows visible 0 --desktop shell || return 1
    read -r _ top right bottom <<<"$(field bar "$(probe --desktop shell form1)")"
    xdotool mousemove --window "$desktop" $((right - 12)) $(((top + bottom) / 2)) click "$1"
    wait_for 5 shows visible 1 --desktop shell
}
activate "$desktop"
check "Alt+H hides it to the tray, a left click on the icon brings it back" to_tray_and_back 1
# The click left the task bar in front: a click on the window's background makes it active.
read -r dx dy <<<"$(field origin "$(probe --desktop shell form1)")"
xdotool mousemove --window "$desktop" $((dx + 4)) $((dy + 100)) click 1
check "so does a right click" to_tray_and_back 3

echo "tested under wine in $((SECONDS - test_started)) s"

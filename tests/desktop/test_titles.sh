#!/usr/bin/env bash
# The running time in another program's title, given back exactly; the clock format; Horaloom's
# own caption after Reset; SIGTERM and SIGKILL while another window is decorated.
source "$(dirname "$0")/common.sh"

title_of() { xdotool getwindowname "$1" 2>/dev/null; }
raw_names() { xprop -id "$1" WM_NAME _NET_WM_NAME 2>/dev/null; }

xmessage -title "Letter - Editor" "A letter" &
pids+=("$!")
letter=""
wait_for 10 eval 'letter=$(xdotool search --onlyvisible --name "^Letter - Editor$" | head -n 1); [[ -n $letter ]]'
before=$(raw_names "$letter")

dir=$(settings_dir)
start_horaloom "$dir"
pid=$started_pid
window=""
wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
count_up() { start_count_up "$window"; }
count_up
xdotool windowactivate --sync "$letter"
check "the running time stands in front of the other window's title" \
    wait_for 4 eval '[[ $(title_of "$letter") =~ ^00:00:0[0-9]"   Letter - Editor"$ ]]'
check "and it goes on counting" \
    wait_for 3 eval '[[ $(title_of "$letter") =~ ^00:00:0[2-9]"   Letter - Editor"$ ]]'

# Thirty switches between three other windows at random moments, while counting.
status=0
follow=$("$TITLE_FOLLOW" 30) || status=$?
check "each window taking the foreground carries the time within 50 ms, and each one left has its own title back (${follow##*$'\n'})" \
    test "$status" -eq 0

xdotool windowactivate --sync "$window"
check "switching away gives the title back exactly, encoding and properties alike" \
    wait_for 3 eval '[[ $(raw_names "$letter") == "$before" ]]'
check "Horaloom's own caption carries the time while it is in front" \
    wait_for 3 eval '[[ $(window_title "$window") =~ ^00:00:[0-9][0-9]"   Horaloom"$ ]]'
xdotool key --clearmodifiers alt+r
check "after Reset the caption on the X server is Horaloom" \
    wait_for 3 eval '[[ $(window_title "$window") == Horaloom && $(raw_names "$window") != *00:* ]]'

# The time of day between the running time and the title: three blanks before, four after.
xdotool key --clearmodifiers alt+s
sleep 0.3
xdotool key d
sleep 0.3
count_up
xdotool windowactivate --sync "$letter"
check "Display Clock puts the time of day between them" \
    wait_for 4 eval '[[ $(title_of "$letter") =~ ^00:00:0[0-9]"   "[0-9][^\ ]*(\ [AP]M)?"    Letter - Editor"$ ]]'

# SIGTERM while the other window is decorated: its title comes back.
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true
check "SIGTERM gives the decorated window its title back" test "$(raw_names "$letter")" = "$before"

# end_while_decorating SIGNAL WINDOW: a fresh Horaloom counts with WINDOW in front and gets the
# signal; sets decorated (whether the time stood in the title) and ended_status.
end_while_decorating() {
    target=$2
    start_horaloom "$dir"
    pid=$started_pid
    wait_for 20 eval 'window=$(find_window "$pid" "^Horaloom$"); [[ -n $window ]]'
    count_up
    xdotool windowactivate --sync "$target"
    decorated=no
    wait_for 4 eval '[[ $(title_of "$target") =~ ^00:00:0 ]]' && decorated=yes
    kill -"$1" "$pid"
    ended_status=0
    wait "$pid" 2>/dev/null || ended_status=$?
}

# Every other signal that would end the process ends Horaloom the same way.
for signal in USR1 QUIT; do
    end_while_decorating "$signal" "$letter"
    check "SIG$signal gives the decorated window its title back, and ends with 0 (got $ended_status)" \
        test "$decorated" = yes -a "$(raw_names "$letter")" = "$before" -a "$ended_status" -eq 0
done

# SIGKILL leaves the decoration; the next start takes it away.
kill_while_decorating() { end_while_decorating KILL "$1"; }
kill_while_decorating "$letter"
check "after SIGKILL the title still carries the time" eval '[[ $(title_of "$letter") =~ ^00:00:0 ]]'
start_horaloom "$dir"
check "the next start gives the window its title back" \
    wait_for 10 eval '[[ $(raw_names "$letter") == "$before" ]]'

# Retitled by its program between the kill and the next start, a window keeps the new title:
# xmessage titles through WM_NAME only, a chat program through both properties.
kill -TERM "$started_pid"
wait "$started_pid" 2>/dev/null || true
kill_while_decorating "$letter"
xprop -id "$letter" -f WM_NAME 8s -set WM_NAME "Other"
start_horaloom "$dir"
check "a WM_NAME retitle survives the next start, and our _NET_WM_NAME goes" \
    wait_for 10 eval '[[ $(raw_names "$letter") == "$(printf '"'"'WM_NAME(STRING) = "Other"\n_NET_WM_NAME:  not found.'"'"')" ]]'

xmessage -title "Inbox - Chat" "Chat" &
pids+=("$!")
chat=""
wait_for 10 eval 'chat=$(xdotool search --onlyvisible --name "^Inbox - Chat$" | head -n 1); [[ -n $chat ]]'
set_both() { # set_both WINDOW TITLE: as a program that titles through both properties
    xprop -id "$1" -f _NET_WM_NAME 8u -set _NET_WM_NAME "$2"
    xprop -id "$1" -f WM_NAME 8u -set WM_NAME "$2"
}
set_both "$chat" "Inbox - Chat"
kill -TERM "$started_pid"
wait "$started_pid" 2>/dev/null || true
kill_while_decorating "$chat"
set_both "$chat" "(1) Inbox - Chat"
after=$(raw_names "$chat")
start_horaloom "$dir"
# The note goes last, once the start has dealt with the window.
wait_for 10 eval '[[ $(xprop -id "$chat" _HORALOOM_OWN_TITLE) == *"not found"* ]]'
check "a retitle through both properties survives the next start" \
    test "$(raw_names "$chat")" = "$after"

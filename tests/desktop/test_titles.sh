#!/usr/bin/env bash
# The running time in other programs' titles, given back exactly: while counting, when another
# window takes the foreground, with the time of day, and when Horaloom ends by a signal; after a
# kill, the next start gives titles back, but not over a title the program set since.
source "$(dirname "$0")/common.sh"

# Starts an xmessage titled TITLE (WM_NAME only, as Xt programs title); sets its window in xmsg.
xmessage_titled() {
    xmessage -title "$1" "$1" &
    pids+=("$!")
    wait_for 10 shown "^$1$" && xmsg=$found
}
xmessage_titled "Letter - Editor"
letter=$xmsg
before=$(raw_title "$letter")
dir=$(settings_dir)
start_horaloom "$dir"
main=$window
decorated() { titled "$letter" "^00:00:0[0-9]   ([^ ]+( [AP]M)?    )?Letter - Editor$"; }
given_back() { [[ $(raw_title "$1") == "$2" ]]; } # given_back WINDOW RAW-TITLE
start_count_up "$main"
xdotool windowactivate --sync "$letter"
check "the running time stands in front of the other window's title" wait_for 4 decorated
check "and goes on counting" wait_for 3 titled "$letter" "^00:00:0[2-9]   Letter - Editor$"

# Thirty switches among three other windows, at random moments while counting.
status=0
follow=$("$TITLE_FOLLOW" 30) || status=$?
check "each window taking the foreground carries the time before the next tick, and each one left has its own title back (${follow##*$'\n'})" \
    test "$status" -eq 0
xdotool windowactivate --sync "$main"
check "switching away gives the title back exactly, encoding and properties alike" \
    wait_for 3 given_back "$letter" "$before"
check "Horaloom's own caption carries the time while it is in front" \
    wait_for 3 titled "$main" "^00:00:[0-9][0-9]   Horaloom$"
xdotool key --clearmodifiers alt+r
plain_caption() { titled "$main" "^Horaloom$" && [[ $(raw_title "$main") != *00:* ]]; }
check "after Reset the caption on the X server is Horaloom" wait_for 3 plain_caption
keys "$main" alt+s d # Display Clock in Title Bar
start_count_up "$main"
xdotool windowactivate --sync "$letter"
check "with the clock, the time of day stands between them" wait_for 4 titled "$letter" \
    "^00:00:0[0-9]   [0-9][^ ]*( [AP]M)?    Letter - Editor$"

# Every signal that would end the process ends Horaloom with the title given back.
for signal in TERM USR1 QUIT; do
    [[ $signal == TERM ]] || { start_horaloom "$dir" && start_count_up "$window"; }
    xdotool windowactivate --sync "$letter"
    wait_for 4 decorated || echo "the title was not decorated before SIG$signal" >&2
    end_with "$signal" "$pid"
    check "SIG$signal ends Horaloom with 0 (got $ended_status)" test "$ended_status" -eq 0
    # The X server may serve a new client before it has read all an ended one sent it.
    check "and gives the title back ($(raw_title "$letter" | tr '\n' ' '))" \
        wait_for 5 given_back "$letter" "$before"
done

# killed_while_decorating WINDOW REGEX: a fresh Horaloom counts with WINDOW in front, is killed.
killed_while_decorating() {
    start_horaloom "$dir"
    start_count_up "$window"
    xdotool windowactivate --sync "$1"
    wait_for 4 titled "$1" "^00:00:0[0-9]   $2$" || echo "not decorated before the kill" >&2
    end_with KILL "$pid"
}
killed_while_decorating "$letter" "Letter - Editor"
check "after SIGKILL the title still carries the time" decorated
start_horaloom "$dir"
check "the next start gives the window its title back" wait_for 10 given_back "$letter" "$before"
end_with TERM "$pid"
# Retitled by its program between the kill and the next start, a window keeps the new title:
# xmessage titles through WM_NAME only, a chat program through both properties.
killed_while_decorating "$letter" "Letter - Editor"
xprop -id "$letter" -f WM_NAME 8s -set WM_NAME "Other"
start_horaloom "$dir"
check "a WM_NAME retitle survives the next start, and our _NET_WM_NAME goes" wait_for 10 \
    given_back "$letter" "$(printf 'WM_NAME(STRING) = "Other"\n_NET_WM_NAME:  not found.')"
end_with TERM "$pid"
xmessage_titled "Inbox - Chat"
chat=$xmsg
set_both() { # set_both WINDOW TITLE: as a program that titles through both properties
    xprop -id "$1" -f _NET_WM_NAME 8u -set _NET_WM_NAME "$2"
    xprop -id "$1" -f WM_NAME 8u -set WM_NAME "$2"
}
set_both "$chat" "Inbox - Chat"
killed_while_decorating "$chat" "Inbox - Chat"
set_both "$chat" "(1) Inbox - Chat"
after=$(raw_title "$chat")
start_horaloom "$dir"
# The note goes last, once the start has dealt with the window.
unnoted_and_kept() { xprop -id "$chat" _HORALOOM_OWN_TITLE | grep "not found" >/dev/null && given_back "$chat" "$after"; }
check "a retitle through both properties survives the next start" \
    wait_for 10 unnoted_and_kept

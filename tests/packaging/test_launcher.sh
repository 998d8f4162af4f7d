#!/usr/bin/env bash
# horaloom-launcher from a staged install, with horaloom replaced by a stub that reports where,
# how and as which process it runs: the launcher gives Horaloom a settings directory of its own
# under XDG_CONFIG_HOME, seeds it with the shipped default once, brings settings over from the
# old data directory, and moves a file Horaloom cannot read aside rather than lock the user out.
# No display: what a desktop user would see in a box goes to standard error too. Its command
# line is tested beside horaloom's, in test_install.sh.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
stage "$workdir/root"
launcher=$workdir/root/usr/bin/horaloom-launcher
# shellcheck disable=SC2016 # the stub's own expansions
printf '#!/bin/sh\necho "cwd=$(pwd -P) args=$* pid=$$"\nexit "${STUB_EXIT:-0}"\n' >"${launcher%-launcher}"
export HOME=$workdir/home
unset XDG_CONFIG_HOME XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
config=$HOME/.config/horaloom old=$HOME/.local/share/horaloom
mine=$' 1 \r\n 1 \r\n 1 \r\n 2880 \r\n 1995 \r\n/home/me/bell.wav\r\n1\r\n'

run() { # run [VAR=VALUE...] COMMAND [ARGS...]: its output in out, its errors in err, its status
    status=0
    out=$(timeout 20 env "$@" 2>"$workdir/err") || status=$?
}
runs_in() { [[ $status == 0 && $out == "cwd=$(cd "$1" && pwd -P) "* ]]; }
says() { grep -q -- "$1" "$workdir/err"; }
fresh() { rm -rf -- "$HOME" && mkdir -p "$HOME" "$@"; }
seeded() { cmp -s "$default_settings" "$config/Horaloom.ini"; }
private() { [[ $(stat -c %a "$config") == 700 ]]; }
quiet_and_unchanged() { [[ ! -s $workdir/err && $out == *" args=-style Fusion pid="* ]]; }
old_gone() { holds "$mine" "$config/Horaloom.ini" && [[ ! -e $old ]] && says "moved the settings from"; }

fresh
run "$launcher" -style Fusion
check "the first start runs horaloom in ~/.config/horaloom" runs_in "$config"
check "seeded with the default" seeded
check "in a directory of the user's own" private
check "passing Qt's options on, saying nothing" quiet_and_unchanged
printf '%s' "$mine" >"$config/Horaloom.ini"
run "$launcher"
check "the next start leaves the user's settings alone" holds "$mine" "$config/Horaloom.ini"
run XDG_CONFIG_HOME="$workdir/xdg" "$launcher"
check "XDG_CONFIG_HOME is honoured" runs_in "$workdir/xdg/horaloom"
fresh
run XDG_CONFIG_HOME=relative "$launcher"
check "a relative XDG_CONFIG_HOME is ignored" runs_in "$config"
fresh "$old"
printf '%s' "$mine" >"$old/Horaloom.ini"
run "$launcher"
check "settings in the old data directory move over, said once" old_gone
fresh "$old" "$config"
printf '%s' "$mine" >"$old/Horaloom.ini"
cp "$default_settings" "$config/Horaloom.ini"
run "$launcher"
check "settings in the new place win over the old" holds "$mine" "$old/Horaloom.ini"
run STUB_EXIT=3 "$launcher"
check "horaloom takes over the launcher's status" test "$status" -eq 3
ln -s "$launcher" "$workdir/elsewhere"
fresh
run "$workdir/elsewhere"
check "started through a link elsewhere it finds its installed tree" runs_in "$config"

# What Horaloom cannot read is moved aside under a dated name, as it was, and the default takes
# its place. Each kind of bad entry is made by a command run in the settings directory.
fingerprint() { find "$1" -printf '%P %y %s\n' | sort && find "$1" -type f -exec cat {} + | md5sum; }
moved_aside() {
    aside=$(find "$config" -maxdepth 1 -name 'Horaloom.ini.unreadable-[0-9]*-[0-9]*')
    [[ -n $aside && $(wc -l <<<"$aside") == 1 && $(fingerprint "$aside") == "$before" ]] && seeded &&
        runs_in "$config" && (($(grep -c 'moved it aside to .*unreadable.* default settings' "$workdir/err") == 1))
}
malformed() { printf ' 0 \r\n x \r\n' >Horaloom.ini; }
empty() { touch Horaloom.ini; }
fifo() { mkfifo Horaloom.ini; }
too_large() { head -c 2000000 /dev/zero >Horaloom.ini; }
directory() { mkdir Horaloom.ini && echo kept >Horaloom.ini/note; }
for make in malformed empty fifo too_large directory; do
    fresh "$config"
    (cd "$config" && "$make")
    before=$(fingerprint "$config/Horaloom.ini")
    run "$launcher"
    check "$make: the entry is moved aside, as it was, said so once, and horaloom starts there" moved_aside
done
check "the last reason names the file" says "$config/Horaloom.ini: it is a directory"

# Where the directory cannot be made, or there is no default to start with, nothing starts.
blocked() { [[ $status == 1 && -z $out && $(cat "$config") == "my own file" ]] && says "$config: it is not a directory"; }
fresh "$HOME/.config"
echo "my own file" >"$config"
run "$launcher"
check "a file in place of the settings directory: status 1, named, untouched, nothing started" blocked
unseeded() { [[ $status == 1 && -z $out ]] && says 'default settings file is missing' && holds $'broken\r\n' "$config/Horaloom.ini"; }
rm -- "$workdir/root/usr/share/horaloom/Horaloom.ini"
fresh "$config"
printf 'broken\r\n' >"$config/Horaloom.ini"
run "$launcher"
check "without the shipped default nothing starts, and nothing is moved aside" unseeded

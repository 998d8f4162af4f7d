#!/usr/bin/env bash
# horaloom-launcher, run from a staged install with horaloom replaced by a stub that reports
# where and how it was started: it gives Horaloom a settings directory of its own under
# XDG_CONFIG_HOME, seeds it with the shipped default once, brings settings over from the old
# data directory, and moves a file Horaloom cannot read aside instead of leaving the user locked
# out. No display here: what a desktop user would see in a box goes to standard error too.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"

root=$workdir/root
stage "$root"
bin=$root/usr/bin
launcher=$bin/horaloom-launcher
cat >"$bin/horaloom" <<'STUB'
#!/bin/sh
# Stands in for Horaloom: says where it runs, with which arguments and process id.
echo "cwd=$(pwd -P)"
echo "args=$*"
echo "pid=$$"
exit "${STUB_EXIT:-0}"
STUB
chmod +x "$bin/horaloom"

# Every start below sees this home and no XDG variables unless a check sets one: nothing
# reaches the real user's files, and no box can wait for a click.
export HOME=$workdir/home
unset XDG_CONFIG_HOME XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -p "$HOME"
config=$HOME/.config/horaloom
old_data=$HOME/.local/share/horaloom

# run [VAR=VALUE...] COMMAND [ARGS...]: starts it; its output in $out, its stderr in err.
run() {
    local status=0
    out=$(timeout 20 env "$@" 2>"$workdir/err") || status=$?
    return "$status"
}
field() { sed -n "s/^$1=//p" <<<"$out"; }
runs_in() { test "$(field cwd)" = "$(cd "$1" && pwd -P)"; }
fresh_home() { rm -rf -- "$HOME/.config" "$HOME/.local"; }
user_settings() { printf ' 1 \r\n 1 \r\n 1 \r\n 2880 \r\n 1995 \r\n/home/me/bell.wav\r\n1\r\n'; }
says() { grep -q -- "$1" "$workdir/err" || { cat "$workdir/err"; return 1; }; }

check "the first start succeeds" run "$launcher" -style Fusion --reverse
check "horaloom runs in ~/.config/horaloom" runs_in "$config"
check "the default settings are copied byte for byte" cmp -- "$default_settings" "$config/Horaloom.ini"
check "the copy is the only file left in the directory" test "$(ls -A "$config")" = Horaloom.ini
check "the copy is writable by its owner" test "$(stat -c %A "$config/Horaloom.ini" | cut -c3)" = w
check "the directory it made is the user's alone" test "$(stat -c %a "$config")" = 700
check "Qt's options reach horaloom unchanged" test "$(field args)" = "-style Fusion --reverse"
check "nothing is said on a start with nothing to do" test ! -s "$workdir/err"

user_settings >"$config/Horaloom.ini"
cp "$config/Horaloom.ini" "$workdir/modified.ini"
check "the second start succeeds" run "$launcher"
check "the second start leaves the user's settings alone" cmp -- "$workdir/modified.ini" "$config/Horaloom.ini"
check "the second start runs in the same directory" runs_in "$config"

xdg=$workdir/xdg-config
check "a start with XDG_CONFIG_HOME set succeeds" run XDG_CONFIG_HOME="$xdg" "$launcher"
check "XDG_CONFIG_HOME is honoured" runs_in "$xdg/horaloom"
check "the default is copied there" cmp -- "$default_settings" "$xdg/horaloom/Horaloom.ini"

fresh_home
start_in() { (cd "$1" && shift && run "$@"); }
check "a start with a relative XDG_CONFIG_HOME succeeds" \
    start_in "$workdir" XDG_CONFIG_HOME=relative "$launcher"
check "a relative XDG_CONFIG_HOME is ignored" test -f "$config/Horaloom.ini"
check "nothing is created under the relative path" test ! -e "$workdir/relative"
fresh_home
check "a start with an empty XDG_CONFIG_HOME succeeds" run XDG_CONFIG_HOME= "$launcher"
check "an empty XDG_CONFIG_HOME means ~/.config" runs_in "$config"

# Settings from the old data directory move to the new place, once.
fresh_home
mkdir -p "$old_data"
user_settings >"$old_data/Horaloom.ini"
check "a start with settings in the old place succeeds" run "$launcher"
check "the old settings are moved to the new place" cmp -- "$workdir/modified.ini" "$config/Horaloom.ini"
check "nothing is left in the old place" test ! -e "$old_data"
check "the move is reported" says "moved the settings from $old_data/Horaloom.ini"
fresh_home
mkdir -p "$workdir/xdg-data/horaloom" "$config"
user_settings >"$workdir/xdg-data/horaloom/Horaloom.ini"
check "a start with XDG_DATA_HOME set succeeds" run XDG_DATA_HOME="$workdir/xdg-data" "$launcher"
check "the old place under XDG_DATA_HOME is found" cmp -- "$workdir/modified.ini" "$config/Horaloom.ini"
fresh_home
mkdir -p "$old_data" "$config"
user_settings >"$old_data/Horaloom.ini"
cp "$default_settings" "$config/Horaloom.ini"
run "$launcher" || true
check "settings in the new place win over the old" cmp -- "$default_settings" "$config/Horaloom.ini"
check "then the old settings stay untouched" cmp -- "$workdir/modified.ini" "$old_data/Horaloom.ini"

# The launcher replaces itself with horaloom: the same process, and horaloom's exit status.
"$launcher" >"$workdir/exec.out" 2>&1 &
launcher_pid=$!
wait "$launcher_pid" || true
check "horaloom runs in the launcher's own process" grep -qx "pid=$launcher_pid" "$workdir/exec.out"
status=0
run STUB_EXIT=3 "$launcher" || status=$?
check "horaloom's exit status is the launcher's" test "$status" -eq 3

# Started through PATH or through a symbolic link elsewhere, it still finds its installed tree.
fresh_home
check "a start through PATH succeeds" run PATH="$bin:$PATH" horaloom-launcher
check "through PATH it runs the horaloom beside it" runs_in "$config"
mkdir -p "$workdir/elsewhere"
ln -s "$launcher" "$workdir/elsewhere/horaloom-launcher"
fresh_home
check "a start through a symbolic link succeeds" run "$workdir/elsewhere/horaloom-launcher"
check "through a symbolic link it runs the horaloom of the installed tree" runs_in "$config"
check "through a symbolic link it finds the shipped default" \
    cmp -- "$default_settings" "$config/Horaloom.ini"

# A symbolic link where the settings belong is the user's arrangement, dangling or not.
fresh_home
mkdir -p "$config"
ln -s "$workdir/nowhere.ini" "$config/Horaloom.ini"
check "a start with a dangling settings link still starts horaloom" run "$launcher"
check "a dangling settings link is neither replaced nor moved" \
    test -L "$config/Horaloom.ini" -a ! -e "$workdir/nowhere.ini" -a "$(ls -A "$config")" = Horaloom.ini

# What Horaloom cannot read is moved aside under a dated name, byte for byte, and Horaloom starts
# with the default. Each kind of bad entry, made by a command run in the settings directory.
# What an entry is: its tree of names, kinds and sizes, and the bytes of its files.
fingerprint() {
    find "$1" -printf '%P %y %s\n' | sort
    find "$1" -type f -exec cat {} + | md5sum
}
recovers() { # recovers DESCRIPTION MAKE-COMMAND...
    local what=$1 before aside
    shift
    fresh_home
    mkdir -p "$config"
    (cd "$config" && "$@")
    before=$(fingerprint "$config/Horaloom.ini")
    check "$what: horaloom starts" run "$launcher"
    check "$what: horaloom runs in the settings directory" runs_in "$config"
    aside=$(find "$config" -maxdepth 1 -name 'Horaloom.ini.unreadable-[0-9]*-[0-9]*')
    check "$what: it is moved aside to one dated name" test -n "$aside" -a "$(wc -l <<<"$aside")" -eq 1
    check "$what: what was moved aside is unchanged" test "$before" = "$(fingerprint "$aside")"
    check "$what: the default takes its place" cmp -- "$default_settings" "$config/Horaloom.ini"
    check "$what: one line says what happened" \
        test "$(grep -c 'moved it aside to .*unreadable.* default settings' "$workdir/err")" -eq 1
}
recovers "a malformed file" eval "printf ' 0 \r\n x \r\n' >Horaloom.ini"
check "the reason names the file and the line" says "$config/Horaloom.ini, line 2: 'x *' is not a number"
recovers "an empty file" touch Horaloom.ini
recovers "a file too large to be settings" \
    eval 'head -c 2000000 /dev/zero | tr "\0" " " >Horaloom.ini'
recovers "a FIFO" mkfifo Horaloom.ini
recovers "a directory" eval 'mkdir Horaloom.ini && echo kept >Horaloom.ini/note'

# Where the settings directory cannot be made, the launcher says so and starts nothing.
cannot_make() { # cannot_make DESCRIPTION PATH-TO-BLOCK
    fresh_home
    mkdir -p "$(dirname "$2")"
    echo "my own file" >"$2"
    local status=0
    run "$launcher" || status=$?
    check "$1: the launcher fails with status 1 (got $status)" test "$status" -eq 1
    check "$1: it names what is in the way" says "$2: it is not a directory"
    check "$1: horaloom is not started" test -z "$out"
    check "$1: the file in the way is untouched" test "$(cat "$2")" = "my own file"
}
cannot_make "a file in place of the settings directory" "$config"
cannot_make "a file in place of ~/.config" "$HOME/.config"

# Without the shipped default it says so and starts nothing, leaving no file behind.
fresh_home
mv -- "$root/usr/share/horaloom/Horaloom.ini" "$workdir/default.ini"
status=0
run "$launcher" || status=$?
check "without the shipped default the launcher fails" test "$status" -eq 1
check "it says the default settings are missing" says 'default settings file is missing'
check "horaloom is not started" test -z "$out"
check "no settings file is left behind" test -z "$(ls -A "$config")"
printf 'broken\r\n' >"$config/Horaloom.ini"
run "$launcher" || true
check "nor is an unreadable file moved aside when there is no default to replace it" \
    test "$(ls -A "$config")" = Horaloom.ini -a "$(cat "$config/Horaloom.ini")" = $'broken\r'
mv -- "$workdir/default.ini" "$root/usr/share/horaloom/Horaloom.ini"

# The launcher answers --help and --version itself and refuses what is not an option of Qt's,
# before it touches any file.
fresh_home
check "--help succeeds" run "$launcher" --help
check "--help says what the launcher does" grep -q 'XDG_CONFIG_HOME' <<<"$out"
check "--version succeeds" run "$launcher" --version
check "--version prints the version" test "$out" = "Horaloom 1.00"
status=0
run "$launcher" --frobnicate || status=$?
check "an unknown option ends the launcher with status 2 (got $status)" test "$status" -eq 2
check "one line names the unknown option" \
    test "$(wc -l <"$workdir/err")" -eq 1 -a "$(grep -c -- "--frobnicate" "$workdir/err")" -eq 1
check "horaloom is not started and nothing is made" test -z "$out" -a ! -e "$HOME/.config"

#!/usr/bin/env bash
# horaloom-launcher, run from a staged install with horaloom replaced by a stub that reports
# where and how it was started: it gives Horaloom a settings directory of its own, seeds it
# with the shipped default once, and never touches the user's file after that.
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

# Every start below sees this home and no XDG_DATA_HOME unless a check sets one: nothing
# reaches the real user's files.
export HOME=$workdir/home
unset XDG_DATA_HOME
mkdir -p "$HOME"
data=$HOME/.local/share/horaloom

# run [VAR=VALUE...] COMMAND [ARGS...]: starts it; its output in $out, its stderr in err.
run() {
    local status=0
    out=$(env "$@" 2>"$workdir/err") || status=$?
    return "$status"
}
field() { sed -n "s/^$1=//p" <<<"$out"; }
runs_in() { test "$(field cwd)" = "$(cd "$1" && pwd -P)"; }
fresh_home() { rm -rf -- "$HOME/.local"; }

check "the first start succeeds" run "$launcher" --first "two words"
check "horaloom runs in ~/.local/share/horaloom" runs_in "$data"
check "the default settings are copied byte for byte" cmp -- "$default_settings" "$data/Horaloom.ini"
check "the copy is the only file left in the directory" test "$(ls -A "$data")" = Horaloom.ini
check "the copy is writable by its owner" test "$(stat -c %A "$data/Horaloom.ini" | cut -c3)" = w
check "the arguments reach horaloom unchanged" test "$(field args)" = "--first two words"

printf ' 1 \r\n 1 \r\n 1 \r\n 2880 \r\n 1995 \r\n/home/me/bell.wav\r\n1\r\n' >"$data/Horaloom.ini"
cp "$data/Horaloom.ini" "$workdir/modified.ini"
check "the second start succeeds" run "$launcher"
check "the second start leaves the user's settings alone" cmp -- "$workdir/modified.ini" "$data/Horaloom.ini"
check "the second start runs in the same directory" runs_in "$data"

xdg=$workdir/xdg-data
check "a start with XDG_DATA_HOME set succeeds" run XDG_DATA_HOME="$xdg" "$launcher"
check "XDG_DATA_HOME is honoured" runs_in "$xdg/horaloom"
check "the default is copied there" cmp -- "$default_settings" "$xdg/horaloom/Horaloom.ini"

fresh_home
start_in() { (cd "$1" && shift && run "$@"); }
check "a start with a relative XDG_DATA_HOME succeeds" \
    start_in "$workdir" XDG_DATA_HOME=relative "$launcher"
check "a relative XDG_DATA_HOME is ignored" test -f "$data/Horaloom.ini"
check "nothing is created under the relative path" test ! -e "$workdir/relative"

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
check "through PATH it runs the horaloom beside it" runs_in "$data"
mkdir -p "$workdir/elsewhere"
ln -s "$launcher" "$workdir/elsewhere/horaloom-launcher"
fresh_home
check "a start through a symbolic link succeeds" run "$workdir/elsewhere/horaloom-launcher"
check "through a symbolic link it runs the horaloom of the installed tree" runs_in "$data"
check "through a symbolic link it finds the shipped default" \
    cmp -- "$default_settings" "$data/Horaloom.ini"

# A dangling symbolic link where the settings belong is the user's business: left as it is.
fresh_home
mkdir -p "$data"
ln -s "$workdir/nowhere.ini" "$data/Horaloom.ini"
run "$launcher" || true
check "a dangling settings link is not replaced" test -L "$data/Horaloom.ini" -a ! -e "$workdir/nowhere.ini"

# Without the shipped default it says so and starts nothing, leaving no file behind.
fresh_home
rm -- "$root/usr/share/horaloom/Horaloom.ini"
status=0
run "$launcher" || status=$?
check "without the shipped default the launcher fails" test "$status" -ne 0
check "it says the default settings are missing" grep -q 'default settings file .* is missing' "$workdir/err"
check "horaloom is not started" test -z "$out"
check "no settings file is left behind" test -z "$(ls -A "$data")"

if command -v shellcheck >/dev/null; then
    check "shellcheck finds nothing in the launcher" shellcheck --shell=sh "$launcher"
else
    echo "skipped: shellcheck is not installed, the launcher is not linted"
fi

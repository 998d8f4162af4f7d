#!/usr/bin/env bash
# The settings file under faults: a read-only directory, a full disk, and the writer killed at
# every system call of the write. Afterwards the file is always the old one or the new one, byte
# for byte, never a mixture; a failed write says so.
#   fault_write.sh SETTINGS_WRITER
set -euo pipefail
writer=$1
work=$(mktemp -d)
# shellcheck source-path=SCRIPTDIR source=../../check.sh
source "$(dirname "$0")/../../check.sh"
trap 'status=$?; rm -rf -- "$work"; report_checks "$status"' EXIT
old=$' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n'
new=$' 1 \r\n 1 \r\n 1 \r\n 2880 \r\n-1995 \r\n/sounds/bell.wav\r\n1\r\n'
fails() { ! "$@" "$new" 2>/dev/null; }

# A directory the writer may not write to, beside a file it may: root ignores the permission,
# so root runs the writer as nobody.
mkdir -m 0555 "$work/ro"
printf '%s' "$old" >"$work/ro/Horaloom.ini"
chmod 0666 "$work/ro/Horaloom.ini"
chmod 0711 "$work"
as_other=()
((EUID != 0)) || as_other=(setpriv --reuid=65534 --regid=65534 --clear-groups)
check "a read-only directory is a failure" fails "${as_other[@]}" "$writer" "$work/ro/Horaloom.ini"
check "and the old file is intact" holds "$old" "$work/ro/Horaloom.ini"

# A small private tmpfs, filled up, in a mount namespace of our own.
if unshare -m true 2>/dev/null; then
    mkdir "$work/full"
    # shellcheck disable=SC2016 # the inner shell expands them
    unshare -m bash -c 'mount -t tmpfs -o size=16k tmpfs "$1" && printf "%s" "$2" >"$1/Horaloom.ini" &&
        { dd if=/dev/zero of="$1/filler" bs=1k count=64 2>/dev/null || true; } &&
        { "$3" "$1/Horaloom.ini" "$4" 2>/dev/null; echo $? >"$1/../status"; } &&
        cp "$1/Horaloom.ini" "$1/../after" && ls "$1" >"$1/../listing"' \
        _ "$work/full" "$old" "$writer" "$new$(printf 'w%.0s' {1..3000})"
    check "a full disk is a failure" test "$(cat "$work/status")" -eq 1
    check "and the old file is intact" holds "$old" "$work/after"
    check "and no temporary file is left behind" test "$(sort "$work/listing" | tr '\n' ' ')" = "Horaloom.ini filler "
else
    echo "skip: no mount namespaces here"
fi

# The writer under strace, which fails some of its system calls. LeakSanitizer cannot work under
# ptrace and would end it with a fatal error of its own, so it is off there.
traced=(env "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" strace -f -qq -o /dev/null)

# The new file cannot take the old one's place.
status=0
printf '%s' "$old" >"$work/Horaloom.ini"
"${traced[@]}" -e trace=rename,renameat,renameat2 -e inject=rename,renameat,renameat2:error=EIO \
    "$writer" "$work/Horaloom.ini" "$new" 2>/dev/null || status=$?
renamed_fails() { ((status == 1)) && holds "$old" "$work/Horaloom.ini"; }
check "a rename that fails is a failure (got $status), the old file intact" renamed_fails

# Killed at each system call of the write in turn, until a run gets through.
calls=openat,creat,write,pwrite64,fsync,fdatasync,ftruncate,close,rename,renameat,renameat2,link,unlink
broken=0
for ((n = 1; n <= 200; n++)); do
    printf '%s' "$old" >"$work/Horaloom.ini"
    rm -f "$work"/Horaloom.ini.*
    status=0
    # An inner shell takes the "Killed" notice, so the log stays readable.
    bash -c '"$@"; exit $?' _ "${traced[@]}" -e trace=$calls \
        -e inject=$calls:signal=KILL:when=$n "$writer" "$work/Horaloom.ini" "$new" \
        2>/dev/null || status=$?
    holds "$old" "$work/Horaloom.ini" || holds "$new" "$work/Horaloom.ini" || broken=$((broken + 1))
    ((status != 0)) || break
done
check "killed at each of $((n - 1)) system calls, the file was always whole ($broken broken)" \
    test "$broken" -eq 0
check "the uninterrupted run writes the new file" holds "$new" "$work/Horaloom.ini"

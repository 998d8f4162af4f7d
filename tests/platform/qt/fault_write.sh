#!/usr/bin/env bash
# The settings file under faults: a read-only directory, a full disk, and the writer killed at
# every system call of the write. Afterwards the file is always either the old one or the new
# one, byte for byte, never a truncated mixture.
#   fault_write.sh SETTINGS_WRITER
set -euo pipefail
writer=$1
work=$(mktemp -d)
source "$(dirname "$0")/../../check.sh"
finish() {
    local status=$?
    chattr -i "$work/ro" 2>/dev/null || true
    rm -rf -- "$work"
    report_checks "$status"
}
trap finish EXIT
old=$' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n'
new=$' 1 \r\n 1 \r\n 1 \r\n 2880 \r\n-1995 \r\n/sounds/bell.wav\r\n1\r\n'
is_old() { [[ $(cat "$1"; echo x) == "${old}x" ]]; }
is_new() { [[ $(cat "$1"; echo x) == "${new}x" ]]; }

# Read-only directory: an immutable directory refuses even root.
mkdir "$work/ro"
printf '%s' "$old" >"$work/ro/Horaloom.ini"
if chattr +i "$work/ro" 2>/dev/null; then
    status=0
    "$writer" "$work/ro/Horaloom.ini" /sounds/bell.wav 2>"$work/err" || status=$?
    check "a read-only directory is reported as a failure ($(cat "$work/err"))" test "$status" -eq 1
    check "and the old file is intact" is_old "$work/ro/Horaloom.ini"
    chattr -i "$work/ro"
else
    echo "skip: this file system has no immutable attribute"
fi

# Full disk: a small private tmpfs, filled up, in a mount namespace of our own.
if unshare -m true 2>/dev/null; then
    long=/sounds/$(printf 'w%.0s' {1..3000}).wav
    mkdir "$work/full"
    status=0
    unshare -m bash -c '
        set -e
        mount -t tmpfs -o size=16k tmpfs "$1"
        printf "%s" "$2" >"$1/Horaloom.ini"
        dd if=/dev/zero of="$1/filler" bs=1k count=64 2>/dev/null || true
        status=0
        "$3" "$1/Horaloom.ini" "$4" 2>"$1/../fullerr" || status=$?
        cp "$1/Horaloom.ini" "$1/../after"
        ls "$1" >"$1/../listing"
        exit $status
    ' _ "$work/full" "$old" "$writer" "$long" 2>/dev/null || status=$?
    check "a full disk is reported as a failure ($(cat "$work/fullerr" 2>/dev/null))" test "$status" -eq 1
    check "and the old file is intact" is_old "$work/after"
    check "and no temporary file is left behind ($(tr '\n' ' ' <"$work/listing"))" \
        test "$(grep -vc -e '^Horaloom.ini$' -e '^filler$' "$work/listing")" -eq 0
else
    echo "skip: no mount namespaces here"
fi

# Killed at each system call of the write, one after the other, until a run gets through.
if command -v strace >/dev/null; then
    calls=openat,creat,write,pwrite64,fsync,fdatasync,ftruncate,close,rename,renameat,renameat2,link,unlink
    n=1
    completed=0
    bad=0
    while ((n <= 200)); do
        printf '%s' "$old" >"$work/Horaloom.ini"
        rm -f "$work"/Horaloom.ini.* 2>/dev/null || true
        status=0
        # An inner shell takes the "Killed" notice, so the log stays readable.
        bash -c '"$@"; exit $?' _ strace -f -qq -o /dev/null -e trace=$calls \
            -e inject=$calls:signal=KILL:when=$n \
            "$writer" "$work/Horaloom.ini" /sounds/bell.wav 2>/dev/null || status=$?
        if ! is_old "$work/Horaloom.ini" && ! is_new "$work/Horaloom.ini"; then
            echo "after a kill at call $n the file is neither old nor new:"
            od -c "$work/Horaloom.ini" | head -5
            bad=$((bad + 1))
        fi
        if ((status == 0)); then
            completed=1
            break
        fi
        n=$((n + 1))
    done
    check "killed at each of $((n - 1)) system calls, the file was always whole ($bad broken)" test "$bad" -eq 0
    check "the uninterrupted run writes the new file" eval '((completed)) && is_new "$work/Horaloom.ini"'
else
    echo "skip: strace is not installed"
fi


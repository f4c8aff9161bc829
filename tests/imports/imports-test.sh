#!/bin/sh
# imports-test.sh OBJDUMP PROGRAM PROBE: the program passes the import check;
# the probe, which imports GetTickCount64, fails it, and is told why.
set -eu
check=$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-imports.sh
sh "$check" "$1" "$2"
if out=$(sh "$check" "$1" "$3" 2>&1); then
    echo "imports-test: the check passed a program that imports GetTickCount64" >&2
    exit 1
fi
printf '%s\n' "$out" | grep -q 'kernel32.dll GetTickCount64: not among what Windows XP SP3' || {
    printf '%s\n' "$out" >&2
    echo "imports-test: the check refused the probe without naming GetTickCount64" >&2
    exit 1
}
echo "the probe importing GetTickCount64 is refused"

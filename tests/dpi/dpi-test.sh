#!/bin/sh
# dpi-test.sh ARCH PREFIX PROGRAM: runs the scaled-display test program in
# a prefix of its own, never the other tests': however this test ends
# (failed, interrupted, killed), the prefix the others use stays at 96 dpi.
# The EveryDpi cases run with the prefix at 96, the At144 cases at 144 and
# the At120 cases at 120. Wine reads the dpi (LogPixels) when a program
# starts, and the virtual desktop's size when its server starts the
# desktop: the desktop holds the game at the largest dpi the sweep sets.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
program=$3
# sh's dot takes no arguments: wine-env.sh reads them from $1 and $2.
. "$root/scripts/wine-env.sh"
wine_prefix_ready

reg() { "$WINELOADER" reg "$@" >/dev/null 2>&1; }
reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Trevalo /d 2048x1600 /f
"$WINESERVER" -k 2>/dev/null || true
status=0
for dpi in 96 144 120; do
    reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
    filter="At$dpi.*"
    [ "$dpi" = 96 ] && filter='EveryDpi.*'
    TREVALO_TEST_DPI=$dpi "$WINELOADER" "$program" --gtest_filter="$filter" || status=1
done
"$WINESERVER" -k 2>/dev/null || true
exit $status

#!/bin/sh
# dpi-test.sh ARCH PREFIX PROGRAM: runs the scaled-display test program in
# the tests' prefix, its At144 cases at 144 dpi and its At120 cases at 120.
# Wine reads the dpi (LogPixels) when a program starts, and the virtual
# desktop's size when its server starts the desktop: the server is started
# again with a desktop that holds the game at 144 dpi, and the dpi and the
# desktop are put back afterwards, however the run ends.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
program=$3
# sh's dot takes no arguments: wine-env.sh reads them from $1 and $2.
. "$root/scripts/wine-env.sh"
wine_prefix_ready

display='HKCU\Control Panel\Desktop'
desktops='HKCU\Software\Wine\Explorer\Desktops'
reg() { "$WINELOADER" reg "$@" >/dev/null 2>&1; }
# query KEY VALUE: the value's data, or nothing.
query() { "$WINELOADER" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { print $3 }'; }
saved_dpi=$(query "$display" LogPixels)
saved_desktop=$(query "$desktops" Trevalo)
put_back_dpi() {
    if [ -n "$saved_dpi" ]; then
        reg add "$display" /v LogPixels /t REG_DWORD /d "$((saved_dpi))" /f
    else
        reg delete "$display" /v LogPixels /f || true
    fi
}
# Every later test needs the dpi put back: once a run left 120 in a new
# prefix, and the end-to-end test failed on the scaled game. A dpi that
# does not come back fails this test, by name.
restore() {
    code=$?
    put_back_dpi
    [ "$(query "$display" LogPixels)" = "$saved_dpi" ] || put_back_dpi
    if [ "$(query "$display" LogPixels)" != "$saved_dpi" ]; then
        echo "dpi-test: LogPixels is $(query "$display" LogPixels), not put back to '${saved_dpi:-none}'" >&2
        code=1
    fi
    reg add "$desktops" /v Trevalo /d "${saved_desktop:-1024x768}" /f
    "$WINESERVER" -k 2>/dev/null || true
    exit $code
}
trap restore EXIT

reg add "$desktops" /v Trevalo /d 1280x1024 /f
"$WINESERVER" -k 2>/dev/null || true
status=0
for dpi in 144 120; do
    reg add "$display" /v LogPixels /t REG_DWORD /d "$dpi" /f
    TREVALO_TEST_DPI=$dpi "$WINELOADER" "$program" --gtest_filter="At$dpi.*" || status=1
done
exit $status

#!/usr/bin/env bash
# Installs what is missing, builds, and starts Trevalo under Wine on your
# display (DISPLAY must name it), as a window of its own that your window
# manager moves, minimises and closes like any other program's.
#
# The game runs in a Wine prefix of its own, build/play/ARCH, made on first
# use, or in TREVALO_PLAY_PREFIX when that is set (the play command's test
# sets it, so that it never touches yours). It is never the tests' prefix:
# that one turns on Wine's virtual desktop, which a player does not want.
# The program is built in build/ARCH, the tree the tests use, without
# reconfiguring it, so the next test run does not rebuild.
#
# The game's size follows the desktop's scale. Wine tells the game the
# prefix's dpi, and nothing else scales it: the prefix's dpi is set to
# TREVALO_DPI when that is set (TREVALO_DPI=144 scripts/play.sh), or else to
# the desktop's Xft.dpi, as GNOME, KDE and Xfce set it for a scaled desktop,
# or else to 96. A change takes effect at the next start.
set -euo pipefail
TREVALO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$TREVALO_ROOT/scripts/setup.sh"

if [ -z "${DISPLAY:-}" ]; then
    echo "play.sh: DISPLAY is not set; run it from a desktop session (or DISPLAY=:0 scripts/play.sh)" >&2
    exit 2
fi
trevalo_setup
trevalo_build_targets "$TREVALO_ARCH" program >/dev/null
prefix=${TREVALO_PLAY_PREFIX:-$TREVALO_ROOT/build/play/$TREVALO_ARCH}
[[ $prefix = /* ]] || prefix=$PWD/$prefix # Wine takes only a full path
. "$TREVALO_ROOT/scripts/wine-env.sh" "$TREVALO_ARCH" "$prefix"
wine_prefix_ready own-windows

# The desktop's Xft.dpi from the X resources on the root window, rounded.
desktop_dpi() {
    local resources
    resources=$(xprop -root RESOURCE_MANAGER 2>/dev/null) || return 0
    printf '%s\n' "$resources" | sed -n 's/.*Xft\.dpi:\\t\([0-9][0-9.]*\).*/\1/p' |
        awk 'NR == 1 { printf "%d\n", $1 + 0.5 }'
}
dpi=${TREVALO_DPI:-$(desktop_dpi)}
dpi=${dpi:-96}
case $dpi in
'' | *[!0-9]*)
    echo "play.sh: TREVALO_DPI must be a whole number of dots per inch, such as 144" >&2
    exit 2
    ;;
esac
if [ "$dpi" -lt 48 ] || [ "$dpi" -gt 480 ]; then
    echo "play.sh: a dpi of $dpi is beyond 48 to 480" >&2
    exit 2
fi
# Wine reads it when the game starts; the prefix remembers the last one set.
if [ "$(cat "$WINEPREFIX/.trevalo-dpi" 2>/dev/null)" != "$dpi" ]; then
    "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1
    echo "$dpi" >"$WINEPREFIX/.trevalo-dpi"
fi
exec "$WINELOADER" "$TREVALO_ROOT/build/$TREVALO_ARCH/Trevalo.exe"

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
set -euo pipefail
TREVALO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$TREVALO_ROOT/scripts/setup.sh"

if [ -z "${DISPLAY:-}" ]; then
    echo "play.sh: DISPLAY is not set; run it from a desktop session (or DISPLAY=:0 scripts/play.sh)" >&2
    exit 2
fi
trevalo_setup
trevalo_build_targets "$TREVALO_ARCH" Trevalo >/dev/null
prefix=${TREVALO_PLAY_PREFIX:-$TREVALO_ROOT/build/play/$TREVALO_ARCH}
[[ $prefix = /* ]] || prefix=$PWD/$prefix # Wine takes only a full path
. "$TREVALO_ROOT/scripts/wine-env.sh" "$TREVALO_ARCH" "$prefix"
wine_prefix_ready own-windows
exec "$WINELOADER" "$TREVALO_ROOT/build/$TREVALO_ARCH/Trevalo.exe"

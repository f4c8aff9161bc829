#!/usr/bin/env bash
# Installs what is missing, builds, and starts Trevalo under Wine on your
# display (DISPLAY must name it).
set -euo pipefail
TREVALO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$TREVALO_ROOT/scripts/setup.sh"

if [ -z "${DISPLAY:-}" ]; then
    echo "play.sh: DISPLAY is not set; run it from a desktop session (or DISPLAY=:0 scripts/play.sh)" >&2
    exit 2
fi
trevalo_setup
trevalo_build "$TREVALO_ARCH" OFF >/dev/null
. "$TREVALO_ROOT/scripts/wine-env.sh" "$TREVALO_ARCH" "$TREVALO_ROOT/build/$TREVALO_ARCH/wineprefix"
wine_prefix_ready
exec "$WINELOADER" "$TREVALO_ROOT/build/$TREVALO_ARCH/Trevalo.exe"

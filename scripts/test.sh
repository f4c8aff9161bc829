#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine on a
# private Xvfb display. Exits non-zero if anything fails.
set -euo pipefail
TREVALO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$TREVALO_ROOT/scripts/setup.sh"
. "$TREVALO_ROOT/scripts/display.sh"

trevalo_setup
# The 32-bit program, the one that ships, is always built. Where no 32-bit
# code runs, the tests run on the x86-64 build, beside an x86-64 program
# built the way the 32-bit one is.
if [ "$TREVALO_ARCH" = i686 ]; then
    trevalo_build i686 ON
else
    trevalo_build i686 OFF
    echo "This kernel runs no 32-bit code: the tests run on the x86-64 build."
    trevalo_build "$TREVALO_ARCH" ON
fi
trevalo_build_clang

trap trevalo_stop_display EXIT
trevalo_start_display "$TREVALO_ARCH" "$TREVALO_ROOT/build/$TREVALO_ARCH/wineprefix"
ctest --test-dir "$TREVALO_ROOT/build/$TREVALO_ARCH" --output-on-failure

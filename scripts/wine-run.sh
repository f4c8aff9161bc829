#!/bin/sh
# CTest's emulator: wine-run.sh ARCH PREFIX PROGRAM [ARGS...] runs a Windows
# test program under Wine in the build tree's own prefix.
set -e
. "$(dirname "$0")/wine-env.sh" "$1" "$2"
shift 2
if [ -z "${DISPLAY:-}" ]; then
    echo "wine-run: DISPLAY is not set; run the tests with scripts/test.sh, which starts Xvfb" >&2
    exit 2
fi
wine_prefix_ready
exec "$WINELOADER" "$@"

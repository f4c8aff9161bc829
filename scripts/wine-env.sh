# Sourced with two arguments, ARCH (i686 or x86_64) and PREFIX: points Wine at
# the loader and server of that architecture and at a private prefix, quietly
# and without the Mono and Gecko install prompts.
case "$1" in
i686)
    WINELOADER=/usr/lib/wine/wine
    WINESERVER=/usr/lib/wine/wineserver32
    WINEARCH=win32
    ;;
x86_64)
    WINELOADER=/usr/lib/wine/wine64
    WINESERVER=/usr/lib/wine/wineserver64
    WINEARCH=win64
    ;;
*)
    echo "wine-env: unknown architecture '$1'" >&2
    exit 2
    ;;
esac
WINEPREFIX=$2
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER WINESERVER WINEARCH WINEPREFIX WINEDEBUG WINEDLLOVERRIDES

# Creates the prefix on first use. The registry reaches the disk only when
# the server exits, so wait for it; the next program starts a fresh server
# that sees the display.
wine_prefix_ready() {
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
            "$WINESERVER" -w
        fi
    ) 9>"$WINEPREFIX.lock"
}

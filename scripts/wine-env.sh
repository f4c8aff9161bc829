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

# Creates the prefix on first use. The tests' prefix (wine_prefix_ready)
# runs every program inside a Wine virtual desktop, which draws Windows' own
# captions and keeps keyboard focus and activation reliable without a window
# manager. The play command's prefix (wine_prefix_ready own-windows) has none,
# so each window is an X window of its own that the desktop's window manager
# moves, minimises and closes. Both get Wine's own fonts (Marlett for the
# caption buttons, Tahoma) in the prefix's Fonts folder, where this Wine looks
# for them; Arial comes from fonts-liberation through fontconfig. Each kind
# has its own mark, so neither command takes the other's prefix for its own.
# The registry reaches the disk only when the server exits, so wait for it;
# the next program starts a fresh server that sees the display.
wine_prefix_ready() {
    local mark=.trevalo-ready other=.trevalo-play-ready kind="the play command's"
    [ "${1:-}" = own-windows ] && mark=.trevalo-play-ready other=.trevalo-ready kind="the tests'"
    [ -f "$WINEPREFIX/$mark" ] && return 0
    if [ -f "$WINEPREFIX/$other" ]; then
        echo "wine-env: $WINEPREFIX is $kind prefix; use another one" >&2
        return 1
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/$mark" ]; then
            "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
            if [ "$mark" = .trevalo-ready ]; then
                "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Trevalo /d 1024x768 /f >/dev/null 2>&1
                "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Trevalo /f >/dev/null 2>&1
            fi
            cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
            "$WINESERVER" -w
            touch "$WINEPREFIX/$mark"
        fi
    ) 9>"$WINEPREFIX.lock"
}

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

# Creates the prefix on first use. Every program then runs inside a Wine
# virtual desktop, which draws Windows' own captions and keeps keyboard
# focus and activation reliable without a window manager; Wine's own fonts
# (Marlett for the caption buttons, Tahoma) go into the prefix's Fonts
# folder, where this Wine looks for them. The registry reaches the disk only
# when the server exits, so wait for it; the next program starts a fresh
# server that sees the display.
wine_prefix_ready() {
    [ -f "$WINEPREFIX/.trevalo-ready" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.trevalo-ready" ]; then
            "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
            "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Trevalo /d 1024x768 /f >/dev/null 2>&1
            "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Trevalo /f >/dev/null 2>&1
            cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
            "$WINESERVER" -w
            touch "$WINEPREFIX/.trevalo-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
}

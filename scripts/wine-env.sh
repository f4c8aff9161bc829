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
# focus and activation reliable without a window manager. The registry
# reaches the disk only when the server exits, so wait for it; the next
# program starts a fresh server that sees the display.
wine_prefix_ready() {
    [ -f "$WINEPREFIX/user.reg" ] && grep -q '"Desktop"="Trevalo"' "$WINEPREFIX/user.reg" && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if ! grep -q '"Desktop"="Trevalo"' "$WINEPREFIX/user.reg" 2>/dev/null; then
            "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
            "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Trevalo /d 1024x768 /f >/dev/null 2>&1
            "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Trevalo /f >/dev/null 2>&1
            "$WINESERVER" -w
        fi
    ) 9>"$WINEPREFIX.lock"
}

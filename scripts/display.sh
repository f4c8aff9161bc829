# Sourced: trevalo_start_display starts a private Xvfb display and a Wine
# server that knows it; trevalo_stop_display ends both.

trevalo_start_display() {
    local arch=$1 prefix=$2 n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    TREVALO_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    export DISPLAY=":$n"
    # A server started earlier without this display would hand every window
    # the null driver: stop it before the first test starts a new one.
    (
        . "$TREVALO_ROOT/scripts/wine-env.sh" "$arch" "$prefix"
        "$WINESERVER" -k 2>/dev/null || true
        wine_prefix_ready
    )
    TREVALO_DISPLAY_ARCH=$arch
    TREVALO_DISPLAY_PREFIX=$prefix
}

trevalo_stop_display() {
    if [ -n "${TREVALO_DISPLAY_PREFIX:-}" ]; then
        (
            . "$TREVALO_ROOT/scripts/wine-env.sh" "$TREVALO_DISPLAY_ARCH" "$TREVALO_DISPLAY_PREFIX"
            "$WINESERVER" -k 2>/dev/null || true
        )
    fi
    [ -n "${TREVALO_XVFB_PID:-}" ] && kill "$TREVALO_XVFB_PID" 2>/dev/null || true
}

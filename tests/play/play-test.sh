#!/bin/sh
# play-test.sh ARCH: starts the play command as a player would, on a private
# Xvfb display under a window manager (openbox) and in a private play prefix,
# and checks that the game is an X window of its own at the game's own size,
# framed by the window manager, with no Wine desktop around it; that the
# command left the build tree's configuration alone; and that closing the
# game with Chiudi and Yes ends the command with 0.
set -eu
arch=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/$arch"
work=$(mktemp -d "$build/play-test.XXXXXX")
xvfb='' wm='' play=''

fail() {
    echo "play-test: $*" >&2
    [ -f "$work/play.log" ] && sed 's/^/play.sh: /' "$work/play.log" >&2
    exit 1
}

cleanup() {
    [ -n "$play" ] && kill "$play" 2>/dev/null
    if [ -d "$work/prefix" ]; then
        # sh's dot takes no arguments: wine-env.sh reads them from $1 and $2.
        (set -- "$arch" "$work/prefix" && . "$root/scripts/wine-env.sh" && "$WINESERVER" -k 2>/dev/null) || true
    fi
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# poll TENTHS COMMAND...: runs COMMAND every tenth of a second until it
# succeeds; fails after TENTHS tries.
poll() {
    n=$1
    shift
    until "$@"; do
        n=$((n - 1))
        [ "$n" -gt 0 ] || return 1
        sleep 0.1
    done
}

# A display of its own: Xvfb picks a free number and writes it once it
# accepts connections, so no other test's or person's display is touched.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
poll 100 test -s "$work/display" || fail "Xvfb did not start"
DISPLAY=:$(cat "$work/display")
export DISPLAY

# A window manager from the distribution, as on a player's desktop; it is
# ready once it has announced itself on the root window.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
poll 200 wm_ready || fail "openbox did not start"

cp "$build/CMakeCache.txt" "$work/cache-before"
TREVALO_ARCH=$arch TREVALO_PLAY_PREFIX="$work/prefix" "$root/scripts/play.sh" >"$work/play.log" 2>&1 &
play=$!

# The first start makes the prefix (wineboot), which takes a while.
game_window() { game=$(xdotool search --onlyvisible --name '^Tarn Trevalo ' 2>/dev/null | head -n 1) && [ -n "$game" ]; }
poll 3000 game_window || fail "no window titled 'Tarn Trevalo ...' appeared"
echo "game window $game: $(xdotool getwindowname "$game")"

cmp -s "$build/CMakeCache.txt" "$work/cache-before" || fail "the play command changed the build's configuration"
[ -f "$work/prefix/.trevalo-play-ready" ] || fail "the play prefix was not made"
[ -f "$work/prefix/drive_c/windows/Fonts/marlett.ttf" ] || fail "Wine's fonts are not in the play prefix"

# Inside Wine's virtual desktop the game would be a child of a window
# titled "Trevalo - Wine desktop"; on its own, the window manager frames it.
if xdotool search --name 'Wine desktop' >/dev/null 2>&1; then
    fail "a Wine desktop window exists"
fi
framed() { xprop -id "$game" _NET_FRAME_EXTENTS | grep -q '='; }
poll 100 framed || fail "the window manager does not frame the game's window"

# The game's window is 646 x 528 with Windows' borders and caption: a client
# area of 640 x 480 under a menu bar. Under a window manager Wine leaves the
# caption and borders to it, so the X window is the client area and the menu
# bar: exactly 640 wide, and 480 plus the menu bar high (499 here; the menu
# bar follows the menu font, so allow any height up to 528, the Windows
# window's own). Inside a virtual desktop it would be 646 wide, Wine drawing
# the borders itself, in a desktop of 1024 x 768.
eval "$(xdotool getwindowgeometry --shell "$game")"
echo "game window size: ${WIDTH}x$HEIGHT"
if ! { [ "$WIDTH" -eq 640 ] && [ "$HEIGHT" -gt 480 ] && [ "$HEIGHT" -le 528 ]; }; then
    fail "the game's window is ${WIDTH}x$HEIGHT, not the game's own 640 x 480 and a menu bar"
fi

# Chiudi is at (562, 46) in the client area, which starts under the menu bar.
# A click that arrives before the game reads its input is lost, so click
# again (at most three times) until the question appears.
chiudi_y=$((46 + HEIGHT - 480))
box_window() { box=$(xdotool search --onlyvisible --name '^Uscita$' 2>/dev/null | head -n 1) && [ -n "$box" ]; }
tries=0
until box_window; do
    [ "$tries" -lt 3 ] || fail "Chiudi brought no question 'Uscita'"
    tries=$((tries + 1))
    xdotool mousemove --window "$game" 562 "$chiudi_y" click 1
    poll 50 box_window || true
done

# Yes is the question's default button: Return answers Yes once the window
# manager has given the question the keyboard.
box_active() { [ "$(xdotool getactivewindow)" = "$box" ]; }
poll 50 box_active || xdotool windowactivate "$box"
poll 50 box_active || fail "the question never got the keyboard"
xdotool key Return

running() { kill -0 "$play" 2>/dev/null; }
stopped() { ! running; }
poll 300 stopped || fail "the game is still running after Chiudi and Yes"
status=0
wait "$play" || status=$?
play=''
[ "$status" -eq 0 ] || fail "the play command ended with $status"
if xdotool search --name '^Tarn Trevalo ' >/dev/null 2>&1; then
    fail "the game's window is still there"
fi
echo "closed with Chiudi and Yes; the play command ended with 0"

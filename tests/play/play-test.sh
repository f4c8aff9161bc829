#!/bin/sh
# play-test.sh ARCH: starts the play command as a player would, on a private
# Xvfb display under a window manager (openbox) and in a private play prefix,
# and checks that the game is an X window of its own at the game's own size,
# framed by the window manager, with no Wine desktop around it and with the
# game's own icon; that the command left the build tree's configuration
# alone; that closing the game with Chiudi and Yes ends the command with 0;
# and that the game's size follows the desktop's scale (Xft.dpi) at its next
# start, unless TREVALO_DPI says otherwise. First, with no display, that
# --install puts a valid entry and the game's icon in the applications menu
# and --uninstall takes both away.
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

# The applications menu in a home of the test's own, with no display (the
# command would refuse to start the game) and no XDG_DATA_HOME.
menu() { env -u DISPLAY -u XDG_DATA_HOME HOME="$work/home" "$root/scripts/play.sh" "$@"; }
files() { find "$work/home" "$work/data" ! -type d -exec cksum {} + 2>/dev/null | sort; }
valid() { ! command -v desktop-file-validate >/dev/null || desktop-file-validate "$1"; }
menu --install >/dev/null || fail "play.sh --install failed"
entry=$work/home/.local/share/applications/trevalo.desktop
[ "$(head -n 1 "$entry")" = '[Desktop Entry]' ] || fail "no desktop entry at $entry"
valid "$entry" || fail "the desktop entry is not valid"
grep -qxF "Exec=\"$root/scripts/play.sh\"" "$entry" || fail "the entry does not start this play.sh"
icon=$(sed -n 's/^Icon=//p' "$entry")
png=$(find "$work/home/.local/share/icons/hicolor" -path "*/apps/$icon.png")
cmp -s "$png" "$root/res/trevalo.png" || fail "the entry's icon '$icon' is not res/trevalo.png"
[ "$(od -An -tx1 -N8 "$png" | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
# The theme's folder for its size, as the PNG's header gives it.
size=$(od -An -tu1 -j16 -N8 "$png" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }')
[ "${png%/apps/*}" = "${png%/*/apps/*}/$size" ] || fail "$png is not in the folder $size"
files >"$work/installed"
[ "$(wc -l <"$work/installed")" -eq 2 ] || fail "--install wrote more than the entry and the icon"
menu --install >/dev/null || fail "a second play.sh --install failed"
files | cmp -s - "$work/installed" || fail "a second --install changed the menu's files"
menu --uninstall >/dev/null || fail "play.sh --uninstall failed"
said=$(menu --uninstall 2>&1) || fail "a second play.sh --uninstall failed"
[ -z "$said" ] || fail "a second --uninstall said: $said"
[ -z "$(files)" ] || fail "--uninstall left: $(files)"
# In XDG_DATA_HOME, from a checkout whose path the Exec key must quote.
odd='a "b" $c 100%'
ln -s "$root" "$work/$odd"
odd_menu() {
    env -u DISPLAY XDG_DATA_HOME="$work/data" HOME="$work/home" "$work/$odd/scripts/play.sh" "$@"
}
odd_menu --install >/dev/null || fail "play.sh --install failed with XDG_DATA_HOME"
entry=$work/data/applications/trevalo.desktop
grep -qxF "Exec=\"$work/"'a \\"b\\" \\$c 100%%/scripts/play.sh"' "$entry" || fail "Exec is not quoted"
valid "$entry" || fail "the desktop entry is not valid"
odd_menu --uninstall >/dev/null || fail "play.sh --uninstall failed with XDG_DATA_HOME"
[ -z "$(files)" ] || fail "--uninstall left: $(files)"
echo "menu: --install and --uninstall, twice each in a private home, once in XDG_DATA_HOME"

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

# start_game [VARIABLE=VALUE...]: starts the play command as a player would,
# with those variables, and waits for the game's window (`game`).
start_game() {
    env "$@" TREVALO_ARCH="$arch" TREVALO_PLAY_PREFIX="$work/prefix" "$root/scripts/play.sh" \
        >"$work/play.log" 2>&1 &
    play=$!
    # The first start makes the prefix (wineboot), which takes a while.
    poll 3000 game_window || fail "no window titled 'Tarn Trevalo ...' appeared"
    echo "game window $game: $(xdotool getwindowname "$game")"
    framed() { xprop -id "$game" _NET_FRAME_EXTENTS | grep -q '='; }
    poll 100 framed || fail "the window manager does not frame the game's window"
    eval "$(xdotool getwindowgeometry --shell "$game")"
    echo "game window size: ${WIDTH}x$HEIGHT"
}
game_window() { game=$(xdotool search --onlyvisible --name '^Tarn Trevalo ' 2>/dev/null | head -n 1) && [ -n "$game" ]; }

# expect_size SCALE: the game's window is a client area of 640 x 480 times
# SCALE (in hundredths) under a menu bar. Under a window manager Wine leaves
# the caption and borders to it, so the X window is the client area and the
# menu bar: exactly that wide, and that high plus the menu bar (19 pixels at
# 100 here; it follows the menu font, so allow up to 48 at 100, scaled).
# Inside a virtual desktop it would be 6 pixels wider, Wine drawing the
# borders itself.
expect_size() {
    client_width=$((640 * $1 / 100)) client_height=$((480 * $1 / 100))
    if ! { [ "$WIDTH" -eq "$client_width" ] && [ "$HEIGHT" -gt "$client_height" ] &&
        [ "$HEIGHT" -le $((client_height + 48 * $1 / 100)) ]; }; then
        fail "the game's window is ${WIDTH}x$HEIGHT, not the game's own ${client_width} x $client_height and a menu bar"
    fi
}

# close_game: Chiudi, then Yes; the play command ends with 0. Chiudi is at
# (562, 46) in the client area, scaled as the window is, and the client area
# starts under the menu bar. A click that arrives before the game reads its
# input is lost, so click again (at most three times) until the question
# appears.
close_game() {
    chiudi_x=$((562 * WIDTH / 640)) chiudi_y=$((46 * WIDTH / 640 + HEIGHT - 480 * WIDTH / 640))
    box_window() { box=$(xdotool search --onlyvisible --name '^Uscita$' 2>/dev/null | head -n 1) && [ -n "$box" ]; }
    tries=0
    until box_window; do
        [ "$tries" -lt 3 ] || fail "Chiudi brought no question 'Uscita'"
        tries=$((tries + 1))
        xdotool mousemove --window "$game" "$chiudi_x" "$chiudi_y" click 1
        poll 50 box_window || true
    done
    # Yes is the question's default button: Return answers Yes once the
    # window manager has given the question the keyboard.
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
}

# The largest image of the window's icon (_NET_WM_ICON holds, for each
# image, its width, its height, then its pixels as ARGB) holds the yellow of
# the game's fist (RGB 255, 255, 64); Wine's generic picture has none.
icon_is_the_games() {
    xprop -id "$game" -notype 32c _NET_WM_ICON | sed 's/^[^=]*=//' | tr -d ' ' | tr ',' '\n' |
        awk 'NF { v[++n] = $1 }
             END { i = 1
                   while (i + 1 <= n) {
                       w = v[i]; h = v[i + 1]; yellow = 0
                       for (j = i + 2; j < i + 2 + w * h; j++) if (v[j] == 4294967104) yellow = 1
                       if (w * h > best) { best = w * h; size = w "x" h; ours = yellow }
                       i += 2 + w * h }
                   print "icon: largest image " size (ours ? ", the game'"'"'s fist" : ", not the game'"'"'s")
                   exit ours ? 0 : 1 }'
}

start_game
cmp -s "$build/CMakeCache.txt" "$work/cache-before" || fail "the play command changed the build's configuration"
[ -f "$work/prefix/.trevalo-play-ready" ] || fail "the play prefix was not made"
[ -f "$work/prefix/drive_c/windows/Fonts/marlett.ttf" ] || fail "Wine's fonts are not in the play prefix"
# Inside Wine's virtual desktop the game would be a child of a window
# titled "Trevalo - Wine desktop"; on its own, the window manager frames it.
if xdotool search --name 'Wine desktop' >/dev/null 2>&1; then
    fail "a Wine desktop window exists"
fi
expect_size 100
icon_is_the_games || fail "the window manager shows another icon than the game's"
close_game

# A desktop scaled to 150 % says so in its X resources: the game follows it,
# at its next start. TREVALO_DPI sets the dpi whatever the desktop says.
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t144\n')"
start_game
expect_size 150
close_game
start_game TREVALO_DPI=96
expect_size 100
close_game

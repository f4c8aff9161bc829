#!/usr/bin/env bash
# Measures Trevalo.exe side by side with four yardsticks under the same Wine:
#   minimal   a plain window with a 30 ms timer (bench/MinimalWindow.cpp)
#   floor     the same with a menu bar and one line of Arial text
#             (bench/MenuTextWindow.cpp): the least a window that shows
#             something costs
#   winemine  Wine's own Minesweeper, part of every Wine install
#   layout    the game's window, menu bar and 17 child windows with their
#             pictures and nothing behind them (bench/LayoutWindow.cpp):
#             the least the game's shape costs
# For each: the time from process start until the message loop is idle
# (median), the CPU time of the idle program over 30 seconds and its peak
# memory; then Trevalo against the floor, Minesweeper and the layout.
#
#   bench/run.sh [SECONDS] [STARTS]     (30 seconds idle, 15 starts each)
#   TREVALO_DPI=144 bench/run.sh ...    (every program at 144 dpi)
#
# TREVALO_DPI sets the prefix's LogPixels for the run and puts the previous
# value back afterwards, however the script ends.
set -euo pipefail
TREVALO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$TREVALO_ROOT/scripts/setup.sh"
. "$TREVALO_ROOT/scripts/display.sh"
seconds=${1:-30}
starts=${2:-15}
dpi=${TREVALO_DPI:-}
if [ -n "$dpi" ] && ! [[ "$dpi" =~ ^[1-9][0-9]*$ ]]; then
    echo "bench/run.sh: TREVALO_DPI must be a number of dots per inch, not '$dpi'" >&2
    exit 2
fi

trevalo_setup
trevalo_build_targets "$TREVALO_ARCH" program >/dev/null # the game and its yardsticks
build="$TREVALO_ROOT/build/$TREVALO_ARCH"

# The prefix's own dpi, if it names one: what a TREVALO_DPI run puts back.
desktop_key='HKCU\Control Panel\Desktop'
dpi_before=
dpi_changed=false
restore_dpi() {
    $dpi_changed || return 0
    if [ -n "$dpi_before" ]; then
        "$WINELOADER" reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$dpi_before" /f \
            >/dev/null 2>&1 || echo "bench/run.sh: LogPixels not put back to $dpi_before" >&2
    else
        "$WINELOADER" reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1 ||
            echo "bench/run.sh: LogPixels $dpi not removed" >&2
    fi
    dpi_changed=false
}
# The dpi goes back before the display and the Wine server stop: the
# server writes the registry to disk as it exits.
finish() {
    restore_dpi
    trevalo_stop_display
}
trap finish EXIT
trap 'exit 1' INT TERM HUP
trevalo_start_display "$TREVALO_ARCH" "$build/wineprefix"
. "$TREVALO_ROOT/scripts/wine-env.sh" "$TREVALO_ARCH" "$build/wineprefix"
dpi_before=$("$WINELOADER" reg query "$desktop_key" /v LogPixels 2>/dev/null |
    awk '$1 == "LogPixels" { print $3 }' || true)
[ -n "$dpi_before" ] && dpi_before=$(printf '%d' "$dpi_before") # reg shows it as 0x60
if [ -n "$dpi" ]; then
    # Each process reads the dpi as it starts: set it before the first one.
    dpi_changed=true
    "$WINELOADER" reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
else
    dpi=${dpi_before:-96} # none named: Wine's default
fi
names=(minimal floor winemine layout game)
declare -A programs=([minimal]="$build/bench/minimal_window.exe"
    [floor]="$build/bench/menu_text_window.exe" [winemine]=winemine.exe
    [layout]="$build/bench/layout_window.exe" [game]="$build/Trevalo.exe")
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# pid_of PROGRAM: the Linux process of PROGRAM running in this prefix (never
# one of the same name that another Wine prefix runs).
pid_of() {
    local pid
    for pid in $(pgrep -f "^$1( |\$)" || true); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return
        fi
    done
}

# start PROGRAM OUT: starts PROGRAM through the launcher, which writes
# "idle MS" to OUT once the program's loop is idle; waits for that line.
# Sets `launcher` and `pid`.
start() {
    "$WINELOADER" "$build/bench/launch.exe" "$1" >"$2" 2>/dev/null &
    launcher=$!
    for _ in $(seq 1 600); do
        grep -q '^idle' "$2" && break
        sleep 0.1
    done
    pid=$(pid_of "$1")
}

# stop: ends the program started last and its launcher.
stop() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    wait "$launcher" 2>/dev/null || true
}

# start_ms PROGRAM: one start; prints the milliseconds until the loop was
# idle. The program then runs a second before it is ended, as a player's
# would.
start_ms() {
    local out
    out=$(mktemp)
    start "$1" "$out"
    sleep 1
    stop
    awk '/^idle/ { print $2 + 0 }' "$out"
    rm -f "$out"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Starts: one warm-up each (the first start after a pause also starts Wine's
# desktop), then the five programs in turn.
for name in "${names[@]}"; do start_ms "${programs[$name]}" >/dev/null; done
declare -A starts_ms start
for _ in $(seq 1 "$starts"); do
    for name in "${names[@]}"; do
        starts_ms[$name]+="$(start_ms "${programs[$name]}") "
    done
done
for name in "${names[@]}"; do
    start[$name]=$(printf '%s\n' ${starts_ms[$name]} | median)
done

# Idle CPU and peak memory: all five run side by side through the same
# SECONDS, so that the machine's load weighs on each alike.
declare -A pids launchers outs cpu peak first
for name in "${names[@]}"; do
    outs[$name]=$(mktemp)
    start "${programs[$name]}" "${outs[$name]}"
    pids[$name]=$pid
    launchers[$name]=$launcher
done
# CPU time in nanoseconds, summed over the program's threads: the clock
# ticks of /proc/PID/stat (10 ms) are too coarse for some 0.4 % of 30 s.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%.0f", s }'; }
for name in "${names[@]}"; do first[$name]=$(cpu_ns "${pids[$name]}"); done
sleep "$seconds"
for name in "${names[@]}"; do
    cpu[$name]=$(awk -v a="${first[$name]}" -v b="$(cpu_ns "${pids[$name]}")" -v n="$seconds" \
        'BEGIN { printf "%.3f", 100 * (b - a) / (n * 1e9) }')
    peak[$name]=$(awk '/^VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/${pids[$name]}/status")
done
for name in "${names[@]}"; do
    pid=${pids[$name]}
    launcher=${launchers[$name]}
    stop
    rm -f "${outs[$name]}"
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# The table: the five figures, then Trevalo against the floor, Minesweeper
# and the layout, the target and whether Trevalo meets it.
printf '%-16s %10s %10s %10s %10s %10s %9s %9s %9s  %s\n' "" minimal floor winemine layout \
    Trevalo "vs floor" "vs mine" "vs layout" "target (met?)"
# row LABEL UNIT KIND YARDSTICK LIMIT FIGURES: one line for the five
# programs' figures in the array named FIGURES. KIND "ratio" compares by
# quotient, "points" by difference; the target is Trevalo within LIMIT of
# YARDSTICK (floor, mine or layout).
row() {
    local -n of=$6
    awk -v label="$1" -v unit="$2" -v kind="$3" -v yardstick="$4" -v limit="$5" \
        -v m="${of[minimal]}" -v f="${of[floor]}" -v w="${of[winemine]}" -v l="${of[layout]}" \
        -v g="${of[game]}" 'BEGIN {
        split("floor mine layout", names)
        figure["floor"] = f; figure["mine"] = w; figure["layout"] = l
        for (i = 1; i <= 3; i++) {
            y = figure[names[i]]
            if (kind == "points")
                vs[i] = sprintf("%+.2f", g - y)
            else
                vs[i] = y > 0 ? sprintf("%.2f x", g / y) : "-"
        }
        y = figure[yardstick]
        if (kind == "points") {
            met = g - y <= limit; target = yardstick " + " limit
        } else {
            met = y > 0 && g / y <= limit; target = yardstick " x " limit
        }
        v = unit == "%" ? "%7.2f %-2s " : "%7.1f %-2s "
        printf "%-16s " v v v v v "%9s %9s %9s  %s (%s)\n", label, m, unit, f, unit, w, unit,
            l, unit, g, unit, vs[1], vs[2], vs[3], target, met ? "yes" : "no" }'
}
row "start (median)" ms ratio layout 1.05 start
row "idle CPU, ${seconds} s" % points floor 0.1 cpu
row "peak memory" MB ratio floor 1.5 peak
for name in "${names[@]}"; do
    printf '%-8s starts, ms: %s\n' "${name/game/Trevalo}" \
        "$(printf '%s\n' ${starts_ms[$name]} | sort -n | xargs)"
done
echo "($TREVALO_ARCH build; $("$WINELOADER" --version 2>/dev/null || echo Wine);" \
    "$starts starts each after a warm-up, in turn; $dpi dpi; load average $load_before before," \
    "$load_after after)"

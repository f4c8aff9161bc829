#!/usr/bin/env bash
# Measures Trevalo.exe against a minimal Win32 window with a 30 ms timer,
# side by side under the same Wine: the time from process start until the
# message loop is idle, the CPU time of the idle program over 30 seconds,
# and the peak memory. Prints the figures and the ratios.
#
#   bench/run.sh [SECONDS] [STARTS]     (30 seconds idle, 9 starts each)
set -euo pipefail
TREVALO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$TREVALO_ROOT/scripts/setup.sh"
. "$TREVALO_ROOT/scripts/display.sh"
seconds=${1:-30}
starts=${2:-9}

trevalo_setup
trevalo_build_targets "$TREVALO_ARCH" Trevalo minimal_window launch >/dev/null
build="$TREVALO_ROOT/build/$TREVALO_ARCH"
trap trevalo_stop_display EXIT
trevalo_start_display "$TREVALO_ARCH" "$build/wineprefix"
. "$TREVALO_ROOT/scripts/wine-env.sh" "$TREVALO_ARCH" "$build/wineprefix"
ticks=$(getconf CLK_TCK)
declare -A programs=([minimal]="$build/bench/minimal_window.exe" [game]="$build/Trevalo.exe")

# run PROGRAM IDLE_SECONDS: starts it through the launcher, prints the
# milliseconds until its loop was idle, then, after IDLE_SECONDS more, the
# CPU percentage it used in them and its peak memory in KiB; then ends it.
run() {
    local program=$1 idle=$2 out line pid t0 t1 peak
    out=$(mktemp)
    "$WINELOADER" "$build/bench/launch.exe" "$program" >"$out" 2>/dev/null &
    local launcher=$!
    for _ in $(seq 1 600); do
        line=$(grep -m1 '^idle' "$out" || true)
        [ -n "$line" ] && break
        sleep 0.1
    done
    pid=$(pgrep -n -f "$(basename "$program")" || true)
    t0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep "$idle"
    t1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    peak=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid" 2>/dev/null || true
    wait "$launcher" 2>/dev/null || true
    rm -f "$out"
    awk -v s="${line#idle }" -v d="$((t1 - t0))" -v t="$ticks" -v n="$idle" -v p="$peak" \
        'BEGIN { printf "%.1f %.2f %d\n", s, n ? 100 * d / (t * n) : 0, p }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Starts: one warm-up each, then the two programs in turn.
run "${programs[minimal]}" 1 >/dev/null
run "${programs[game]}" 1 >/dev/null
declare -A starts_ms
for _ in $(seq 1 "$starts"); do
    for name in minimal game; do
        starts_ms[$name]+="$(run "${programs[$name]}" 1 | awk '{print $1}') "
    done
done
declare -A start cpu peak
for name in minimal game; do
    start[$name]=$(printf '%s\n' ${starts_ms[$name]} | median)
    read -r _ cpu[$name] peak[$name] < <(run "${programs[$name]}" "$seconds")
done

printf '%-32s %12s %12s %7s %8s\n' "" "minimal" "Trevalo" "ratio" "target"
row() {
    awk -v label="$1" -v a="$2" -v b="$3" -v unit="$4" -v target="$5" 'BEGIN {
        printf "%-32s %9.1f %-2s %9.1f %-2s %7.2f %8s\n", label, a, unit, b, unit, b / a, "<= " target }'
}
row "start until the loop is idle" "${start[minimal]}" "${start[game]}" ms 1.2
row "idle CPU over ${seconds} s" "${cpu[minimal]}" "${cpu[game]}" % 1.3
row "peak memory" "$((peak[minimal] / 1024))" "$((peak[game] / 1024))" MB 1.5
echo "($TREVALO_ARCH build; start: median of $starts runs each, after a warm-up;" \
    "$("$WINELOADER" --version 2>/dev/null || echo Wine))"

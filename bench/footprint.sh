#!/bin/bash
# What the clock costs on a desktop, next to the floor of a Wine program that only has a
# window and a one-second timer. Runs both under Wine in a private 24-bit Xvfb for
# PERIOD seconds (default 120) with the pointer away from the clock, then prints a table:
# resident and private memory, CPU time of all threads (per minute), voluntary context
# switches, and the time from start to the first face on screen (warm prefix).
# Usage: bench/footprint.sh [PERIOD]   (after scripts/build.sh)
set -u
period=${1:-120}
E2E_TIMEOUT=$((period + 90))
. "$(dirname "$0")/../tests/e2e/lib.sh"
tools=$PELIO_NATIVE_BUILD/tests/tools
floor_exe=$PELIO_BUILD_DIR/floor_window.exe

e2e_begin 24
xdotool mousemove 900 700

stat_of() { "$tools/proc_stats" "$1" | awk -v k="$2" '$1 == k { print $2 }'; }

# The first face is on screen when the frame's blue shows at the window's left edge.
frame_colour=$(convert "$PELIO_SOURCE_DIR/resources/IDB_FRAME.bmp" -format "%[hex:p{3,80}]" info:)
frame_colour=${frame_colour:0:6}
cp "$PELIO_SOURCE_DIR/resources/pelio.wav" "$E2E_WORK/"

"$tools/wait_pixel" 3 80 "$frame_colour" 15000 >"$E2E_RESULT_DIR/first-face.txt" &
watcher=$!
(cd "$E2E_WORK" && exec timeout $((period + 60)) wine "$PELIO_EXE" </dev/null >"$E2E_RESULT_DIR/clock.log" 2>&1) &
if wait "$watcher"; then first_face=$(cat "$E2E_RESULT_DIR/first-face.txt"); else first_face="n/a"; fi
(cd "$E2E_WORK" && exec timeout $((period + 60)) wine "$floor_exe" </dev/null >"$E2E_RESULT_DIR/floor.log" 2>&1) &
sleep 3

clock_pid=$(e2e_unix_pid PelioClock.exe) || e2e_fail "the clock is not running"
floor_pid=$(e2e_unix_pid floor_window.exe) || e2e_fail "the floor program is not running"

declare -A cpu0 vol0
for who in clock floor; do
    pid_var=${who}_pid
    cpu0[$who]=$(stat_of "${!pid_var}" cpu_ns)
    vol0[$who]=$(stat_of "${!pid_var}" voluntary)
done
sleep "$period"

printf '%-8s %10s %12s %14s %14s %12s\n' program rss_MB private_MB cpu_ms_per_min vol_ctxsw_per_min first_face_ms
for who in clock floor; do
    pid_var=${who}_pid
    pid=${!pid_var}
    cpu=$(stat_of "$pid" cpu_ns)
    vol=$(stat_of "$pid" voluntary)
    rss=$(stat_of "$pid" rss_kb)
    private=$(stat_of "$pid" private_kb)
    face="-"
    [ "$who" = clock ] && face=$first_face
    awk -v w="$who" -v rss="$rss" -v pr="$private" -v c0="${cpu0[$who]}" -v c1="$cpu" \
        -v v0="${vol0[$who]}" -v v1="$vol" -v p="$period" -v f="$face" 'BEGIN {
        printf "%-8s %10.1f %12.1f %14.1f %14.1f %12s\n", w, rss / 1024, pr / 1024,
            (c1 - c0) / 1e6 * 60 / p, (v1 - v0) * 60 / p, f }'
done

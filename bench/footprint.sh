#!/bin/bash
# What the clock costs on a desktop, next to three floors (bench/floor/floor_window.cpp):
# a Wine program that only has a window and a one-second timer; the same window in the
# clock's shape with a picture copied to it by GDI every second; and the shaped window
# showing its picture through DirectDraw the way the clock does. Runs all four under Wine
# in a private 24-bit Xvfb for PERIOD seconds (default 120) with the pointer away from the
# clock, then prints a table: resident and private memory, CPU time of all threads (per
# minute), voluntary context switches, and the time from start to the clock's first face
# on screen (warm prefix).
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
floors=(floor shaped directdraw)
declare -A pid_of cpu0 vol0
for who in "${floors[@]}"; do
    mode=${who#floor}
    (cd "$E2E_WORK" && exec timeout $((period + 60)) wine "$floor_exe" $mode </dev/null \
        >"$E2E_RESULT_DIR/$who.log" 2>&1) &
done
sleep 3

pid_of[clock]=$(e2e_unix_pid 'PelioClock\.exe') || e2e_fail "the clock is not running"
pid_of[floor]=$(e2e_unix_pid 'floor_window\.exe *$') || e2e_fail "the floor is not running"
for who in shaped directdraw; do
    pid_of[$who]=$(e2e_unix_pid "floor_window\\.exe $who") || e2e_fail "the $who floor is not running"
done

programs=(clock directdraw shaped floor)
for who in "${programs[@]}"; do
    cpu0[$who]=$(stat_of "${pid_of[$who]}" cpu_ns)
    vol0[$who]=$(stat_of "${pid_of[$who]}" voluntary)
done
sleep "$period"

printf '%-10s %10s %12s %14s %14s %12s\n' program rss_MB private_MB cpu_ms_per_min vol_ctxsw_per_min first_face_ms
for who in "${programs[@]}"; do
    pid=${pid_of[$who]}
    cpu=$(stat_of "$pid" cpu_ns)
    vol=$(stat_of "$pid" voluntary)
    rss=$(stat_of "$pid" rss_kb)
    private=$(stat_of "$pid" private_kb)
    face="-"
    [ "$who" = clock ] && face=$first_face
    awk -v w="$who" -v rss="$rss" -v pr="$private" -v c0="${cpu0[$who]}" -v c1="$cpu" \
        -v v0="${vol0[$who]}" -v v1="$vol" -v p="$period" -v f="$face" 'BEGIN {
        printf "%-10s %10.1f %12.1f %14.1f %14.1f %12s\n", w, rss / 1024, pr / 1024,
            (c1 - c0) / 1e6 * 60 / p, (v1 - v0) * 60 / p, f }'
done

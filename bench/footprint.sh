#!/bin/bash
# What the clock costs on a desktop, next to three floors (bench/floor/floor_window.cpp):
# a Wine program that only has a window and a one-second timer; the same window in the
# clock's shape with a picture copied to it by GDI every second; and the shaped window
# showing its picture through DirectDraw the way the clock does. Runs all four under Wine
# in a private 24-bit Xvfb of the given size (default 1024x768) for PERIOD seconds
# (default 120) with the pointer away from the clock, then prints a table: resident and
# private memory, CPU time of all threads (per minute), voluntary context switches, and
# the time from start to the clock's first face on screen (warm prefix). A second table
# gives the clock's figures as differences from and ratios to each floor: the floors run
# at the same time on the same machine, so those read true when the machine is busy.
# The machine's load is printed before and after. With NNNdpi the prefix has that system
# DPI: the clock is drawn at its scale (192dpi: twice), the floors stay 160 x 160.
# Usage: bench/footprint.sh [PERIOD] [WIDTHxHEIGHT] [NNNdpi]   (after scripts/build.sh)
set -u
period=120
screen=1024x768
dpi=96
for argument in "$@"; do
    case $argument in
    *dpi) dpi=${argument%dpi} ;;
    *x*) screen=$argument ;;
    *) period=$argument ;;
    esac
done
E2E_SCREEN=$screen
E2E_TIMEOUT=$((period + 90))
. "$(dirname "$0")/../tests/e2e/lib.sh"
tools=$PELIO_NATIVE_BUILD/tests/tools
floor_exe=$PELIO_BUILD_DIR/floor_window.exe

echo "screen $screen at $dpi dpi, $period s; load before: $(uptime)"
e2e_begin 24
[ "$dpi" = 96 ] || e2e_registry 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$dpi"
scale=$(((dpi + 48) / 96))
xdotool mousemove 900 700

stat_of() { "$tools/proc_stats" "$1" | awk -v k="$2" '$1 == k { print $2 }'; }

# The first face is on screen when the frame's blue shows at the window's left edge.
frame_colour=$(convert "$PELIO_SOURCE_DIR/resources/IDB_FRAME.bmp" -format "%[hex:p{3,80}]" info:)
frame_colour=${frame_colour:0:6}
cp "$PELIO_SOURCE_DIR/resources/pelio.wav" "$E2E_WORK/"

"$tools/wait_pixel" $((3 * scale)) $((80 * scale)) "$frame_colour" 15000 \
    >"$E2E_RESULT_DIR/first-face.txt" &
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

echo "load after: $(uptime)"
declare -A rss private cpu vol
for who in "${programs[@]}"; do
    pid=${pid_of[$who]}
    cpu[$who]=$(awk -v c0="${cpu0[$who]}" -v c1="$(stat_of "$pid" cpu_ns)" -v p="$period" \
        'BEGIN { printf "%.1f", (c1 - c0) / 1e6 * 60 / p }')
    vol[$who]=$(awk -v v0="${vol0[$who]}" -v v1="$(stat_of "$pid" voluntary)" -v p="$period" \
        'BEGIN { printf "%.1f", (v1 - v0) * 60 / p }')
    rss[$who]=$(awk -v k="$(stat_of "$pid" rss_kb)" 'BEGIN { printf "%.1f", k / 1024 }')
    private[$who]=$(awk -v k="$(stat_of "$pid" private_kb)" 'BEGIN { printf "%.1f", k / 1024 }')
done

printf '%-10s %10s %12s %14s %17s %13s\n' program rss_MB private_MB cpu_ms_per_min vol_ctxsw_per_min first_face_ms
for who in "${programs[@]}"; do
    face="-"
    [ "$who" = clock ] && face=$first_face
    printf '%-10s %10s %12s %14s %17s %13s\n' "$who" "${rss[$who]}" "${private[$who]}" "${cpu[$who]}" \
        "${vol[$who]}" "$face"
done

# above <clock> <floor>: the difference and the ratio, "+6.3 (1.20x)".
above() { awk -v c="$1" -v f="$2" 'BEGIN { printf "%+.1f (%s)", c - f, (f > 0 ? sprintf("%.2fx", c / f) : "-") }'; }
echo
printf '%-16s %16s %16s %16s %17s\n' "clock above" rss_MB private_MB cpu_ms_per_min vol_ctxsw_per_min
for who in directdraw shaped floor; do
    printf '%-16s %16s %16s %16s %17s\n' "$who" "$(above "${rss[clock]}" "${rss[$who]}")" \
        "$(above "${private[clock]}" "${private[$who]}")" "$(above "${cpu[clock]}" "${cpu[$who]}")" \
        "$(above "${vol[clock]}" "${vol[$who]}")"
done

# The goals are set against the directdraw floor: what the display path itself costs.
goal() { awk -v v="$1" -v g="$2" -v u="$3" 'BEGIN { printf "%s %s (goal %s %s: %s)", v, u, g, u,
    (v == "n/a" ? "n/a" : v + 0 <= g ? "met" : sprintf("missed by %.1f", v - g)) }'; }
echo
echo "goals: CPU above directdraw $(goal "$(awk -v c="${cpu[clock]}" -v f="${cpu[directdraw]}" \
    'BEGIN { printf "%.1f", c - f }')" 15 ms/min); private above directdraw $(goal \
    "$(awk -v c="${private[clock]}" -v f="${private[directdraw]}" 'BEGIN { printf "%.1f", c - f }')" 6 MB);" \
    "first face $(goal "$first_face" 1000 ms)"

#!/bin/bash
# Runs the clock for DURATION seconds (default 180; an hour by hand: soak.sh 3600) with an
# alarm due every minute, alternating the two players by rewriting the settings file and
# reopening the settings dialog, while the pointer keeps passing over the clock so the
# read-out blinks and the bitmaps are reloaded. Every minute it records the clock's GDI
# and USER objects, handles and private memory. Passes when every alarm sounded once,
# those figures stay flat after the first minute, and the clock still answers and closes
# with exit code 1. (DirectSound captures grow about 1.5 MB a second while a DirectSound
# object exists, since the capture sink is not paced.)
# The device is missing for every other ten minutes (minute, in runs under an hour): those
# alarms are told, nobody answers in the first half, never more than two notice windows are
# open, and over an hour the figures of minute 60 are those of minute 10.
set -u
duration=${1:-180}
block=$((duration >= 3600 ? 10 : 1))
E2E_TIMEOUT=$((duration + 180))
. "$(dirname "$0")/../e2e/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)
tools=$PELIO_NATIVE_BUILD/tests/tools

e2e_begin 24
sox -n -r 22050 -b 16 -c 1 "$E2E_WORK/tone.wav" synth 0.4 sine 660 fade 0 0.4 0.05
cp "$ALSA_CONFIG_PATH" "$E2E_ROOT/present.conf"
printf 'pcm.!default { type hw card 7 }\nctl.!default { type hw card 7 }\n' >"$E2E_ROOT/missing.conf"

# device_missing <alarm number>; set_device <alarm number>: each play opens the device anew.
device_missing() { [ $(((($1 - 1) / block) % 2)) -eq 1 ]; }
set_device() { cp "$E2E_ROOT/$(device_missing "$1" && echo missing || echo present).conf" "$ALSA_CONFIG_PATH"; }

# write_settings <hour> <minute> <use-directsound>: one alarm, alarms on.
write_settings() {
    {
        printf '[PelioClock]\r\n'
        printf 'ALM00=%02d:%02d tone.wav\r\n' "$1" "$2"
        printf 'ALM01=99:99 \r\n'
        printf 'UseDirectSound=%d\r\nAlarm=1\r\nOnTop=0\r\n' "$3"
    } >"$E2E_WORK/PelioClock.ini"
}

# The settings dialog reloads the file when it opens; OK applies the player choice.
reopen_settings() {
    local dialog
    e2e_driver command "$E2E_CLOCK_WINDOW" 200 >/dev/null
    dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 5000) || e2e_fail "the settings dialog did not open"
    e2e_driver click "$dialog" 1 >/dev/null
    if [ "$1" = 1 ] && device_missing $((expected + 1)); then
        e2e_driver msgbox-ok "InitDSound - PelioClock" 5000 >/dev/null || e2e_fail "no InitDSound message"
    fi
    e2e_driver wait-gone "$dialog" 5000 >/dev/null || e2e_fail "the settings dialog did not close on OK"
}

# Notes what the notice boxes (hidden too) tell and the most at once; answers in the second half.
most_boxes=0
watch_notices() {
    boxes=$(e2e_driver windows all | tr -d '\r' |
            awk -v pid="$win_pid" '$2 == pid && $3 == "#32770" && NF == 8 && $8 == "PelioClock" { print $1 }')
    most_boxes=$(($(wc -w <<<"$boxes") > most_boxes ? $(wc -w <<<"$boxes") : most_boxes))
    for hwnd in $boxes; do
        e2e_driver get-text "$hwnd" 65535 | grep -o '[0-9][0-9]:[0-9][0-9] のアラーム' | cut -c1-5 >>"$E2E_WORK/told.txt"
        [ "$(date +%s)" -lt "$half" ] || e2e_driver click "$hwnd" 1 >/dev/null
    done
}

# minute_after <offset>: hour and minute of the minute that starts offset minutes from now.
minute_after() { date -d "+$1 minute" '+%-H %-M'; }

# Sweeps the pointer across the clock and away again.
sweep_pointer() {
    xdotool mousemove 40 80 sleep 0.3 mousemove 120 70 sleep 0.3 mousemove 80 120 sleep 0.3 \
        mousemove 700 500
}

# Sleeps, sweeping the pointer meanwhile, until five seconds into the given minute, when
# that minute's alarm has sounded.
wait_for_minute() {
    while [ "$(date +%-M)" -ne "$1" ] || [ "$((10#$(date +%S)))" -lt 5 ]; do
        sweep_pointer
        watch_notices
    done
    watch_notices
}

read -r hour minute <<<"$(minute_after 1)"
write_settings "$hour" "$minute" 0
e2e_start_clock
unix_pid=$(e2e_unix_pid PelioClock.exe) || e2e_fail "no clock process"
win_pid=$(e2e_driver pid "$E2E_CLOCK_WINDOW")

expected=0
use_directsound=0
samples=()
missing=()
deadline=$(($(date +%s) + duration))
half=$(($(date +%s) + duration / 2))
wait_for_minute "$minute"
while :; do
    expected=$((expected + 1))
    ! device_missing "$expected" || missing+=("$(printf '%02d:%02d' "$hour" "$minute")")
    resources=$(e2e_driver resources "$win_pid") || e2e_fail "the clock does not answer"
    private=$("$tools/proc_stats" "$unix_pid" | awk '$1 == "private_kb" { print $2 }')
    fds=$(ls "/proc/$unix_pid/fd" | wc -l)
    threads=$(ls "/proc/$unix_pid/task" | wc -l)
    samples+=("$resources $private $fds $threads")
    e2e_log "minute $expected: gdi user handles = $resources, private ${private} kB, fds $fds, threads $threads"
    [ "$(date +%s)" -lt "$deadline" ] || break
    # The next minute's alarm goes to the other player.
    use_directsound=$((1 - use_directsound))
    read -r hour minute <<<"$(minute_after 1)"
    write_settings "$hour" "$minute" "$use_directsound"
    set_device $((expected + 1))
    reopen_settings "$use_directsound"
    wait_for_minute "$minute"
done

e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 5)"

heard=$(python3 "$here/count_tones.py" "$E2E_CAPTURE"/cap-*)
e2e_expect_eq "alarms heard" "$((expected - ${#missing[@]}))" "$heard"
e2e_expect_eq "alarms told" "$(printf '%s\n' "${missing[@]}" | sort)" "$(sort -u "$E2E_WORK/told.txt" 2>/dev/null)"
[ "$most_boxes" -le 2 ] || e2e_fail "$most_boxes notice windows open at once"

# Flat after the first minute (which comes before the first DirectSound object, whose
# first use loads libraries for good). Wine answers 0 for GDI and USER objects and for
# another process's handle count, so its own file descriptors and threads stand in for
# handles there; those must match the minute 2 * block before, which used the same player
# (not in minutes without the device, when Wine's failed plays may still be winding down).
# Private memory swings by a few megabytes from minute to minute with Wine's heaps and the
# sound buffers, so it is held to a bound, and over longer runs to its trend.
for ((i = 1 + 2 * block; i < ${#samples[@]}; i++)); do
    read -r gdi0 user0 handles0 _ fds0 threads0 <<<"${samples[i - 2 * block]}"
    read -r gdi user handles _ fds threads <<<"${samples[i]}"
    e2e_expect_eq "GDI objects in minute $((i + 1))" "$gdi0" "$gdi"
    e2e_expect_eq "USER objects in minute $((i + 1))" "$user0" "$user"
    [ "$handles" -le $((handles0 + 2)) ] || e2e_fail "handles grew from $handles0 to $handles"
    ! device_missing $((i + 1)) || continue
    [ "$fds" -le "$fds0" ] || e2e_fail "file descriptors grew from $fds0 to $fds in minute $((i + 1))"
    [ "$threads" -le "$threads0" ] || e2e_fail "threads grew from $threads0 to $threads in minute $((i + 1))"
done
if [ "${#samples[@]}" -ge 60 ]; then
    read -r gdi0 user0 handles0 private0 _ <<<"${samples[9]}" && read -r gdi user handles private _ <<<"${samples[59]}"
    e2e_expect_eq "GDI, USER objects and handles at minutes 10 and 60" "$gdi0 $user0 $handles0" "$gdi $user $handles"
    [ "$private" -le $((private0 + 1024)) ] || e2e_fail "private memory grew from $private0 kB to $private kB"
fi
printf '%s\n' "${samples[@]:1}" | awk '
    { n++; x[n] = n; y[n] = $4; if ($4 > top) top = $4; if (n <= 2 && $4 > base) base = $4 }
    END {
        if (top > base + 8192) { printf "private memory rose from %d to %d kB\n", base, top; exit 1 }
        if (n < 8) exit 0
        for (i = 1; i <= n; i++) { sx += x[i]; sy += y[i]; sxx += x[i] * x[i]; sxy += x[i] * y[i] }
        slope = (n * sxy - sx * sy) / (n * sxx - sx * sx)
        if (slope > 150) { printf "private memory grows by %.0f kB a minute\n", slope; exit 1 }
    }' >"$E2E_RESULT_DIR/memory.txt" || e2e_fail "$(cat "$E2E_RESULT_DIR/memory.txt")"
e2e_log "soak: $expected alarms heard over $duration s; figures flat"

#!/bin/bash
# An alarm whose file is not a WAVE file, played through DirectSound: the reader's
# message box keeps the clock ticking inside its own loop, and none of those ticks may
# open a second box for the same alarm, nor any tick after OK in the same minute.
. "$(dirname "$0")/../lib.sh"
e2e_begin 24

second=$(date +%-S)
[ "$second" -lt 45 ] || sleep $((61 - second))
minute=$(date +%H:%M)
echo "not a sound" >"$E2E_WORK/broken.wav"
printf '[PelioClock]\r\nALM00=%s broken.wav\r\nALM01=99:99 \r\nUseDirectSound=1\r\nAlarm=1\r\nOnTop=0\r\n' \
    "$minute" >"$E2E_WORK/PelioClock.ini"
e2e_start_clock

caption="Wave file open error - PelioClock"
box=$(e2e_driver msgbox "$caption" 10000) || e2e_fail "no message box for the broken file"
e2e_log "message: $box"
sleep 4
[ "$(date +%H:%M)" = "$minute" ] || e2e_log "note: the minute ended while watching for a repeat"
boxes=$(e2e_driver windows | grep -c -F "$caption" || true)
e2e_expect_eq "message boxes open" 1 "$boxes"

e2e_driver msgbox-ok "$caption" 2000 >/dev/null
sleep 2
boxes=$(e2e_driver windows | grep -c -F "$caption" || true)
e2e_expect_eq "message boxes after OK in the same minute" 0 "$boxes"
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 10)"

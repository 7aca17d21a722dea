#!/bin/bash
# An alarm due in the current minute plays its file once through MCI; the settings file
# also puts the clock on top and shows the ALARM label. With alarms off the same alarm
# stays silent, the label is gone and the clock is an ordinary window.
. "$(dirname "$0")/../lib.sh"
e2e_begin 24

# alarm_minute <seconds needed>: waits, when fewer seconds are left in this minute, for
# the next one, so that the clock runs inside the minute it is told to ring in; prints
# that minute as HH:MM.
alarm_minute() {
    local second
    second=$(date +%-S)
    [ "$second" -lt $((60 - $1)) ] || sleep $((61 - second))
    date +%H:%M
}

# write_settings <HH:MM> <Alarm> <OnTop>: one alarm at that minute, the rest ended.
write_settings() {
    printf '[PelioClock]\r\nALM00=%s tone.wav\r\nALM01=99:99 \r\nUseDirectSound=0\r\nAlarm=%s\r\nOnTop=%s\r\n' \
        "$1" "$2" "$3" >"$E2E_WORK/PelioClock.ini"
}

close_clock() {
    e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
    e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 10)"
}

sox -n -r 22050 -c 1 -b 16 "$E2E_WORK/tone.wav" synth 0.5 sine 880 vol 0.5
sox "$E2E_WORK/tone.wav" -t raw "$E2E_ROOT/tone.raw"

# Alarms on: played once, even though the clock goes on ticking in the same minute.
minute=$(alarm_minute 15)
write_settings "$minute" 1 1
e2e_start_clock
for _ in $(seq 1 100); do
    compgen -G "$E2E_CAPTURE/cap-*" >/dev/null && break
    sleep 0.1
done
captures=("$E2E_CAPTURE"/cap-*)
[ -f "${captures[0]}" ] || e2e_fail "the alarm at $minute did not sound"
sleep 3.5
[ "$(date +%H:%M)" = "$minute" ] || e2e_log "note: the minute ended while watching for a repeat"
captures=("$E2E_CAPTURE"/cap-*)
e2e_expect_eq "streams played" 1 "${#captures[@]}"
e2e_capture_holds "${captures[0]}" "$E2E_ROOT/tone.raw" || e2e_fail "the capture is not the alarm's sound"

e2e_expect_eq "topmost with OnTop=1" 1 "$(e2e_driver topmost "$E2E_CLOCK_WINDOW")"
read -r shown lit <<<"$(e2e_alarm_label "$(e2e_shot alarm-on)")"
[ "$lit" -gt 100 ] || e2e_fail "the ALARM label has only $lit lit pixels in IDB_FONT"
[ $((shown * 10)) -ge $((lit * 8)) ] || e2e_fail "ALARM label: $shown of $lit pixels shown"
close_clock

# Alarms off: the same alarm in the current minute stays silent.
rm -f "$E2E_CAPTURE"/cap-*
minute=$(alarm_minute 6)
write_settings "$minute" 0 0
e2e_start_clock
sleep 3.5
captures=$(compgen -G "$E2E_CAPTURE/cap-*" || true)
e2e_expect_eq "captures with Alarm=0" "" "$captures"
e2e_expect_eq "topmost with OnTop=0" 0 "$(e2e_driver topmost "$E2E_CLOCK_WINDOW")"
read -r shown lit <<<"$(e2e_alarm_label "$(e2e_shot alarm-off)")"
[ $((shown * 10)) -le "$lit" ] || e2e_fail "ALARM label shown with Alarm=0: $shown of $lit pixels"
close_clock

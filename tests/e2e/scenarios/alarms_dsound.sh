#!/bin/bash
# An alarm due in the current minute plays its file once through DirectSound, started
# at launch because alarms and DirectSound are both on in the settings file.
. "$(dirname "$0")/../lib.sh"
e2e_begin 24

# Waits, when the minute is nearly over, for the next one, so that the clock starts
# well inside the minute it is told to ring in; prints that minute as HH:MM.
alarm_minute() {
    local second
    second=$(date +%-S)
    [ "$second" -lt 45 ] || sleep $((61 - second))
    date +%H:%M
}

sox -n -r 22050 -c 1 -b 16 "$E2E_WORK/tone.wav" synth 0.5 sine 880 vol 0.5
minute=$(alarm_minute)
printf '[PelioClock]\r\nALM00=%s tone.wav\r\nALM01=99:99 \r\nUseDirectSound=1\r\nAlarm=1\r\nOnTop=0\r\n' \
    "$minute" >"$E2E_WORK/PelioClock.ini"
e2e_start_clock
# Ticks go on for a few seconds of the same minute after the sound has ended.
sleep 5
[ "$(date +%H:%M)" = "$minute" ] || e2e_log "note: the minute ended while watching for a repeat"
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 10)"

# Wine mixes DirectSound into 48000 Hz stereo float: judge the capture by its sound.
# Cutting the silence off both ends leaves the tone; a second play would leave the
# silence between the two inside.
captures=("$E2E_CAPTURE"/cap-48000-2-32-*)
[ -f "${captures[0]}" ] || e2e_fail "nothing was played through DirectSound: $(ls "$E2E_CAPTURE")"
sox -t raw -r 48000 -c 2 -e floating-point -b 32 "${captures[@]}" -c 1 "$E2E_ROOT/sound.wav" \
    silence 1 0.001 1% reverse silence 1 0.001 1% reverse
sox "$E2E_ROOT/sound.wav" -n stat 2>"$E2E_ROOT/stat.txt"
length=$(awk '/^Length/ { print $3 }' "$E2E_ROOT/stat.txt")
frequency=$(awk '/^Rough/ { print $3 }' "$E2E_ROOT/stat.txt")
e2e_log "tone heard: ${length}s at ${frequency}Hz"
awk -v l="$length" 'BEGIN { exit !(l >= 0.35 && l <= 0.6) }' ||
    e2e_fail "the tone lasts ${length}s, not once 0.5s"
awk -v f="$frequency" 'BEGIN { exit !(f >= 840 && f <= 920) }' ||
    e2e_fail "the tone's frequency is ${frequency}Hz, not 880Hz"

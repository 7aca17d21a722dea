#!/bin/bash
# Files dropped on the clock: the first of them is played, through MCI unless
# UseDirectSound is set; then through DirectSound, which plays nothing when alarms are
# off, since no DirectSound object is made at start then. A Japanese name with a space
# arrives intact through the ANSI calls. A broken file is told in the reader's words.
. "$(dirname "$0")/../lib.sh"
e2e_begin

first="$E2E_WORK/目覚まし 1.wav"
sox -n -r 22050 -c 1 -b 16 "$first" synth 0.3 sine 880 vol 0.5
sox -n -r 11025 -c 1 -b 8 "$E2E_WORK/second.wav" synth 0.3 sine 440 vol 0.5
sox -n -r 22050 -c 2 -b 16 "$E2E_WORK/third.wav" synth 0.3 sine 660 vol 0.5
sox "$first" -t raw "$E2E_ROOT/first.raw"

settings() {
    printf '[PelioClock]\r\nUseDirectSound=%s\r\nAlarm=0\r\nOnTop=0\r\n' "$1" \
        >"$E2E_WORK/PelioClock.ini"
}

settings 0
e2e_start_clock
e2e_drop "$first" "$E2E_WORK/second.wav" "$E2E_WORK/third.wav" 80 80
expected=$(stat -c %s "$E2E_ROOT/first.raw")
capture=$E2E_CAPTURE/cap-22050-1-16-S16_LE.raw
for _ in $(seq 1 50); do
    [ -f "$capture" ] && [ "$(stat -c %s "$capture")" -ge "$expected" ] && break
    sleep 0.1
done
[ -f "$capture" ] || e2e_fail "the dropped file was not played: $(ls "$E2E_CAPTURE")"
e2e_capture_holds "$capture" "$E2E_ROOT/first.raw" || e2e_fail "what was played is not the first file's data"
sleep 1
e2e_expect_eq "sounds played for three dropped files" "cap-22050-1-16-S16_LE.raw" \
    "$(ls "$E2E_CAPTURE")"

# A file the device cannot play is told in the reader's words, as through DirectSound,
# and the next file plays.
echo "not a sound" >"$E2E_WORK/broken.wav"
e2e_drop "$E2E_WORK/broken.wav" 80 80
box=$(e2e_driver msgbox-ok "Wave file open error - PelioClock" 5000) ||
    e2e_fail "no message for a broken file dropped for MCI"
e2e_expect_eq "message for a broken file through MCI" "WAVEファイルではありません。" "$box"
e2e_drop "$E2E_WORK/second.wav" 80 80
for _ in $(seq 1 50); do
    [ -f "$E2E_CAPTURE/cap-11025-1-8-U8.raw" ] && break
    sleep 0.1
done
[ -f "$E2E_CAPTURE/cap-11025-1-8-U8.raw" ] || e2e_fail "the file dropped after the message was not played"
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE
e2e_expect_eq "exit code after an MCI sound" 1 "$(e2e_wait_exit 2)"

rm -f "$E2E_CAPTURE"/*
settings 1
e2e_start_clock
e2e_drop "$first" 80 80
sleep 1.5
e2e_expect_eq "sounds played through DirectSound with alarms off" "" "$(ls "$E2E_CAPTURE")"
e2e_running || e2e_fail "the clock ended after the drop"
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 2)"

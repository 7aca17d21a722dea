#!/bin/bash
# Dropped files play through MCI once each, whatever their format: the device writes
# the file's own format, so each capture is its data chunk byte for byte (right pitch,
# right length). A drop while a sound plays is ignored; once it has ended the next plays.
. "$(dirname "$0")/../lib.sh"
e2e_begin

printf '[PelioClock]\r\nALM00=99:99 \r\nUseDirectSound=0\r\nAlarm=0\r\nOnTop=0\r\n' \
    >"$E2E_WORK/PelioClock.ini"
e2e_start_clock

# Waits until the capture of that format holds the file's data (the sink runs about
# four times faster than real time), then until the device has been closed.
play_and_compare() {
    local wav=$1 capture=$2 expected
    sox "$wav" -t raw "$E2E_ROOT/expected.raw"
    expected=$(stat -c %s "$E2E_ROOT/expected.raw")
    e2e_drop "$wav" 80 80
    for _ in $(seq 1 100); do
        [ -f "$capture" ] && [ "$(stat -c %s "$capture")" -ge "$expected" ] && break
        sleep 0.1
    done
    [ -f "$capture" ] || e2e_fail "$(basename "$wav") was not played: $(ls "$E2E_CAPTURE")"
    sleep 0.5
    e2e_capture_holds "$capture" "$E2E_ROOT/expected.raw" ||
        e2e_fail "$(basename "$wav"): the capture is not its data ($(stat -c %s "$capture") of $expected bytes)"
    rm -f "$capture"
}

# rate channels bits seconds hz, and the sink's name for that format.
while read -r rate channels bits seconds hz capture; do
    wav="$E2E_WORK/tone-$rate-$channels-$bits.wav"
    sox -n -r "$rate" -c "$channels" -b "$bits" "$wav" synth "$seconds" sine "$hz" vol 0.5
    play_and_compare "$wav" "$E2E_CAPTURE/cap-$capture.raw"
done <<'FORMATS'
11025 1 8 1.0 440 11025-1-8-U8
11025 2 16 0.6 440 11025-2-16-S16_LE
22050 1 16 0.8 660 22050-1-16-S16_LE
22050 2 8 0.5 550 22050-2-8-U8
44100 2 16 2.5 880 44100-2-16-S16_LE
FORMATS

# A second drop while a long sound plays: the first goes on, the second is not heard.
sox -n -r 22050 -c 1 -b 8 "$E2E_WORK/long.wav" synth 8 sine 440 vol 0.5
sox -n -r 8000 -c 1 -b 8 "$E2E_WORK/other.wav" synth 0.3 sine 660 vol 0.5
e2e_drop "$E2E_WORK/long.wav" 80 80
sleep 0.3
e2e_drop "$E2E_WORK/other.wav" 80 80
sleep 2.5
[ -f "$E2E_CAPTURE/cap-8000-1-8-U8.raw" ] && e2e_fail "a drop while a sound played was not ignored"
sox "$E2E_WORK/other.wav" -t raw "$E2E_ROOT/other.raw"
play_and_compare "$E2E_WORK/other.wav" "$E2E_CAPTURE/cap-8000-1-8-U8.raw"

e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 2)"

#!/bin/bash
# Dropped files stream through DirectSound once each, at their pitch and for their
# length, with silence after; sounds shorter than the three-second buffer end cleanly
# and the next one plays. A drop while one streams is ignored. A file that is not WAVE,
# and one of a rate DirectSound does not take, show the reader's messages, and the next
# good file plays.
. "$(dirname "$0")/../lib.sh"
e2e_begin

printf '[PelioClock]\r\nALM00=99:99 \r\nUseDirectSound=1\r\nAlarm=1\r\nOnTop=0\r\n' \
    >"$E2E_WORK/PelioClock.ini"
e2e_start_clock
tone_span=$PELIO_NATIVE_BUILD/tests/tools/tone_span

# Drops the file and waits for it to have been played (the sink runs about four times
# faster than real time, and the stream ends up to a quarter of the buffer later).
drop_and_wait() {
    e2e_drop "$1" 80 80
    sleep "$(awk -v s="$2" 'BEGIN { print s / 4 + 1.2 }')"
}

# Each tone has a frequency of its own, so the one capture tells them apart.
declare -a heard=()
while read -r rate channels bits seconds hz; do
    wav="$E2E_WORK/tone-$hz.wav"
    sox -n -r "$rate" -c "$channels" -b "$bits" "$wav" synth "$seconds" sine "$hz" vol 0.5
    drop_and_wait "$wav" "$seconds"
    heard+=("$seconds $hz $rate/$channels/$bits")
done <<'FORMATS'
11025 1 8 1.0 440
11025 2 16 0.6 550
22050 1 16 0.8 660
22050 2 8 0.5 770
44100 2 16 4.0 880
44100 1 8 0.7 990
192000 2 16 0.8 1760
FORMATS

# A drop while a sound streams.
sox -n -r 22050 -c 1 -b 16 "$E2E_WORK/long.wav" synth 6 sine 1100 vol 0.5
sox -n -r 22050 -c 1 -b 16 "$E2E_WORK/ignored.wav" synth 0.5 sine 1320 vol 0.5
e2e_drop "$E2E_WORK/long.wav" 80 80
sleep 0.3
e2e_drop "$E2E_WORK/ignored.wav" 80 80
sleep 2.5
heard+=("6 1100 long")

# A file that is not WAVE: the message, then the next good file plays.
echo "not a sound at all" >"$E2E_WORK/broken.wav"
e2e_drop "$E2E_WORK/broken.wav" 80 80
caption="Wave file open error - PelioClock"
box=$(e2e_driver msgbox-ok "$caption" 5000) || e2e_fail "no message for the broken file"
e2e_expect_eq "message" "WAVEファイルではありません。" "$box"
# A rate above what DirectSound takes is the reader's wrong format, not silence.
sox -n -r 384000 -c 2 -b 16 "$E2E_WORK/too-fast.wav" synth 0.3 sine 1000 vol 0.5
e2e_drop "$E2E_WORK/too-fast.wav" 80 80
box=$(e2e_driver msgbox-ok "$caption" 5000) || e2e_fail "no message for the 384000 Hz file"
e2e_expect_eq "message" "正しいＷＡＶＥフォーマットではありません。" "$box"
sox -n -r 11025 -c 1 -b 16 "$E2E_WORK/after.wav" synth 0.8 sine 1540 vol 0.5
drop_and_wait "$E2E_WORK/after.wav" 0.8
heard+=("0.8 1540 after the message")

e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 2)"

captures=("$E2E_CAPTURE"/cap-48000-2-32-FLOAT_LE*)
[ -f "${captures[0]}" ] || e2e_fail "nothing streamed through DirectSound: $(ls "$E2E_CAPTURE")"
cat "${captures[@]}" >"$E2E_ROOT/all.raw"
for entry in "${heard[@]}"; do
    read -r seconds hz what <<<"$entry"
    read -r length runs _ <<<"$("$tone_span" "$E2E_ROOT/all.raw" 48000 2 f32 "$hz")"
    e2e_log "$what at $hz Hz: heard ${length}s of ${seconds}s in $runs run(s)"
    e2e_expect_eq "runs of the $hz Hz tone ($what)" 1 "$runs"
    # Wine's mixer runs ahead of the unpaced sink, and what is still queued when the
    # buffer stops is lost: allow a few windows short.
    awk -v l="$length" -v s="$seconds" 'BEGIN { exit !(l >= s - 0.26 && l <= s + 0.06) }' ||
        e2e_fail "the $hz Hz tone ($what) lasts ${length}s, not ${seconds}s"
done
read -r _ runs _ <<<"$("$tone_span" "$E2E_ROOT/all.raw" 48000 2 f32 1320)"
e2e_expect_eq "runs of the file dropped while another streamed" 0 "$runs"

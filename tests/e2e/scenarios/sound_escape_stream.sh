#!/bin/bash
# Escape while a sound plays stops it and ends the clock with exit code 1 at once,
# every time: the streaming worker is told to end and waited for before DirectSound
# goes, and an open MCI device is closed.
. "$(dirname "$0")/../lib.sh"
e2e_begin

sox -n -r 44100 -c 2 -b 16 "$E2E_WORK/long.wav" synth 30 sine 440 vol 0.5
for method in 1 1 1 0 0; do
    printf '[PelioClock]\r\nALM00=99:99 \r\nUseDirectSound=%s\r\nAlarm=1\r\nOnTop=0\r\n' \
        "$method" >"$E2E_WORK/PelioClock.ini"
    rm -f "$E2E_CAPTURE"/*
    e2e_start_clock
    e2e_drop "$E2E_WORK/long.wav" 80 80
    for _ in $(seq 1 50); do
        [ -n "$(ls "$E2E_CAPTURE")" ] && break
        sleep 0.1
    done
    [ -n "$(ls "$E2E_CAPTURE")" ] || e2e_fail "the sound did not start (UseDirectSound=$method)"
    sleep 0.5
    start=$(date +%s.%N)
    e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
    e2e_expect_eq "exit code (UseDirectSound=$method)" 1 "$(e2e_wait_exit 2)"
    e2e_log "UseDirectSound=$method: ended $(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.2f", e - s }')s after Escape"
done

#!/bin/bash
# Escape while a sound plays stops it and ends the clock with exit code 1 at once,
# every time: the streaming worker is told to end and waited for before DirectSound
# goes, and an open MCI device is closed. Before that, once per player: a click stops the
# sound and frees the player for the next file; an alarm stops a dropped file and sounds.
E2E_TIMEOUT=110
. "$(dirname "$0")/../lib.sh"
e2e_begin

sox -n -r 44100 -c 2 -b 16 "$E2E_WORK/long.wav" synth 30 sine 440 vol 0.5
sox -n -r 22050 -c 1 -b 16 "$E2E_WORK/tone.wav" synth 0.5 sine 880 vol 0.5

# heard <hz>: seconds of that tone in everything captured so far.
heard() {
    local capture
    declare -A formats=([FLOAT_LE]=f32 [S16_LE]=s16 [U8]=u8)
    for capture in "$E2E_CAPTURE"/cap-*; do
        [[ $capture =~ cap-([0-9]+)-([0-9]+)-[0-9]+-([A-Z0-9_]+) ]] || continue
        "$PELIO_NATIVE_BUILD/tests/tools/tone_span" "$capture" "${BASH_REMATCH[1]}" \
            "${BASH_REMATCH[2]}" "${formats[${BASH_REMATCH[3]}]}" "$1"
    done | awk '{ total += $1 } END { print total + 0 }'
}

# drop_and_hear <what>: drops the long file and waits up to 5 s until it is heard.
drop_and_hear() {
    local before
    before=$(heard 440)
    e2e_drop "$E2E_WORK/long.wav" 80 80
    for _ in $(seq 1 50); do [ "$(heard 440)" != "$before" ] && return 0; sleep 0.1; done
    e2e_fail "$1: the dropped file was not heard"
}

# expect_stopped <what>: the long file is heard no longer.
expect_stopped() {
    local before
    sleep 1 && before=$(heard 440) && sleep 1
    e2e_expect_eq "$1: seconds of the dropped file, a second later" "$before" "$(heard 440)"
}

click_and_alarm() {
    e2e_click 1 80 80
    expect_stopped "UseDirectSound=$1, click"
    drop_and_hear "UseDirectSound=$1, after the click"
    [ "$(date +%-S)" -lt 50 ] || sleep 11
    e2e_driver command "$E2E_CLOCK_WINDOW" 200 >/dev/null
    dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 3000) || e2e_fail "the settings dialog did not open"
    e2e_driver set-text "$dialog" 1018 "$(date +%H)" >/dev/null
    e2e_driver set-text "$dialog" 1019 "$(date +%M)" >/dev/null
    e2e_driver set-text "$dialog" 1005 tone.wav >/dev/null
    e2e_driver click "$dialog" 5 >/dev/null
    e2e_driver click "$dialog" 1 >/dev/null
    for _ in $(seq 1 50); do [ "$(heard 880)" != 0 ] && break; sleep 0.1; done
    [ "$(heard 880)" != 0 ] || e2e_fail "UseDirectSound=$1: the alarm did not sound over the dropped file"
    expect_stopped "UseDirectSound=$1, alarm"
}

for method in 1 1 1 0 0; do
    printf '[PelioClock]\r\nALM00=99:99 \r\nUseDirectSound=%s\r\nAlarm=1\r\nOnTop=0\r\n' \
        "$method" >"$E2E_WORK/PelioClock.ini"
    rm -f "$E2E_CAPTURE"/*
    e2e_start_clock
    drop_and_hear "UseDirectSound=$method"
    if [ "$method" != "${last:-}" ]; then
        click_and_alarm "$method"
        drop_and_hear "UseDirectSound=$method, after the alarm"
    fi
    last=$method
    sleep 0.5
    start=$(date +%s.%N)
    e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
    e2e_expect_eq "exit code (UseDirectSound=$method)" 1 "$(e2e_wait_exit 2)"
    e2e_log "UseDirectSound=$method: ended $(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.2f", e - s }')s after Escape"
done

#!/bin/bash
# An alarm whose own file cannot be played sounds the chime pelio.wav in its place,
# through the same player, and says so in one message box once the chime has sounded:
# the box's own loop goes on ticking in the alarm's minute, and none of those ticks, nor
# any after OK, may open a second box. Through MCI and through DirectSound. With the
# chime gone too, the box says that nothing could sound.
E2E_TIMEOUT=100
. "$(dirname "$0")/../lib.sh"
e2e_begin 24

caption=PelioClock
cp "$PELIO_SOURCE_DIR/resources/pelio.wav" "$E2E_WORK/pelio.wav"
sox "$E2E_WORK/pelio.wav" -t raw "$E2E_ROOT/chime.raw"

# start_alarm <UseDirectSound> <file>: starts the clock with one alarm in the current
# minute, waiting for the next minute when this one is nearly over; sets `minute`.
start_alarm() {
    local second
    second=$(date +%-S)
    [ "$second" -lt 42 ] || sleep $((61 - second))
    minute=$(date +%H:%M)
    printf '[PelioClock]\r\nALM00=%s %s\r\nALM01=99:99 \r\nUseDirectSound=%s\r\nAlarm=1\r\nOnTop=0\r\n' \
        "$minute" "$2" "$1" >"$E2E_WORK/PelioClock.ini"
    rm -f "$E2E_CAPTURE"/cap-*
    e2e_start_clock
}

boxes_open() {
    e2e_driver windows | grep -c -E " $caption"$'\r?$' || true
}

# expect_one_notice <what> <text expected in it>...: the box comes, stays alone while the
# clock ticks on in the alarm's minute, names the alarm's time, and is gone after OK.
expect_one_notice() {
    local what=$1 box part
    shift
    box=$(e2e_driver msgbox "$caption" 20000) || e2e_fail "$what: no message box"
    e2e_log "$what: $box"
    for part in "$minute" "$@"; do
        [[ $box == *"$part"* ]] || e2e_fail "$what: '$part' is not in the message: $box"
    done
    sleep 3
    [ "$(date +%H:%M)" = "$minute" ] || e2e_log "note: the minute ended while watching for a repeat"
    e2e_expect_eq "$what: message boxes open" 1 "$(boxes_open)"
    e2e_driver msgbox-ok "$caption" 2000 >/dev/null
    sleep 2
    e2e_expect_eq "$what: message boxes after OK" 0 "$(boxes_open)"
    e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
    e2e_expect_eq "$what: exit code" 1 "$(e2e_wait_exit 10)"
}

# MCI: the capture is the chime's data, byte for byte, and at most the driver's silence.
start_alarm 0 missing.wav
expect_one_notice "MCI, missing file" "missing.wav" "pelio.wav を鳴らしました"
e2e_capture_holds "$E2E_CAPTURE/cap-22050-1-16-S16_LE.raw" "$E2E_ROOT/chime.raw" ||
    e2e_fail "MCI: the capture is not the chime: $(ls "$E2E_CAPTURE")"

# DirectSound: the chime's first note is heard in the mix.
start_alarm 1 missing.wav
expect_one_notice "DirectSound, missing file" "missing.wav" "pelio.wav を鳴らしました"
captures=("$E2E_CAPTURE"/cap-48000-2-32-*)
[ -f "${captures[0]}" ] || e2e_fail "DirectSound: nothing was played: $(ls "$E2E_CAPTURE")"
read -r length runs _ <<<"$("$PELIO_NATIVE_BUILD/tests/tools/tone_span" "${captures[0]}" 48000 2 f32 1318.5)"
e2e_log "DirectSound: the chime's first note heard for ${length}s in $runs run(s)"
[ "$runs" -ge 1 ] || e2e_fail "DirectSound: the chime was not heard"

# No chime either, in the working folder nor beside the program: nothing sounds, and
# the box says so.
rm "$E2E_WORK/pelio.wav"
mkdir "$E2E_ROOT/program"
cp "$PELIO_EXE" "$E2E_ROOT/program/"
PELIO_EXE=$E2E_ROOT/program/$(basename "$PELIO_EXE")
start_alarm 0 missing.wav
expect_one_notice "MCI, missing file and chime" "missing.wav" "鳴らせませんでした"
e2e_expect_eq "captures with nothing to play" "" "$(ls "$E2E_CAPTURE")"

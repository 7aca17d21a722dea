#!/bin/bash
# A desktop whose sound goes through a PulseAudio server, with ALSA's default routed to it
# by the system's own configuration, as Debian's pulseaudio package installs it: the clock
# started by start-clock.sh (what run.sh and the desktop entry run) with a fresh HOME rings
# one alarm through MCI and one through DirectSound, and both are heard at the server.
E2E_DESKTOP=1
E2E_TIMEOUT=110
. "$(dirname "$0")/../lib.sh"
e2e_begin
# The tests' own ALSA sink is not the desktop's way.
unset ALSA_CONFIG_PATH CAPTURE_DIR

home=$E2E_ROOT/home
mkdir -p "$home/.cache/pelioclock" "$home/PelioClock"
# start-clock.sh finds the user's prefix there: this scenario's own, which teardown ends.
ln -s "$E2E_PREFIX" "$home/.cache/pelioclock/$pelio_prefix_name"

e2e_start_sound_server "$home"
recording=$E2E_RESULT_DIR/desk.raw

# ring <UseDirectSound> <Hz>: a clock whose alarm plays a 1 s tone in this minute; closed
# once half a second of it has been heard (a busy machine leaves gaps).
ring() {
    local second heard=0
    second=$(date +%-S)
    [ "$second" -lt 45 ] || sleep $((61 - second))
    sox -n -r 22050 -c 1 -b 16 "$home/PelioClock/tone$2.wav" synth 1 sine "$2" vol 0.5
    printf '[PelioClock]\r\nALM00=%s tone%s.wav\r\nALM01=99:99 \r\nUseDirectSound=%s\r\nAlarm=1\r\nOnTop=0\r\n' \
        "$(date +%H:%M)" "$2" "$1" >"$home/PelioClock/PelioClock.ini"
    (env -u WINEPREFIX HOME="$home" "$PELIO_SOURCE_DIR/scripts/start-clock.sh" \
        </dev/null >>"$E2E_ROOT/start-clock.log" 2>&1) &
    E2E_CLOCK_PID=$!
    E2E_CLOCK_WINDOW=$(e2e_driver find "PELIO CLOCK" "PELIO CLOCK" 20000) || e2e_fail "the clock did not start"
    for _ in $(seq 1 60); do
        read -r heard _ <<<"$("$PELIO_NATIVE_BUILD/tests/tools/tone_span" "$recording" 44100 2 s16 "$2")"
        awk "BEGIN { exit !($heard >= 0.5) }" && break
        sleep 0.25
    done
    e2e_log "UseDirectSound=$1: the $2 Hz tone heard for ${heard}s"
    if awk "BEGIN { exit $heard >= 0.5 }"; then
        e2e_shot not_heard >/dev/null
        cp "$home/.cache/pelioclock/"*.log "$E2E_RESULT_DIR/"
        e2e_fail "UseDirectSound=$1: the alarm was not heard"
    fi
    e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
    wait "$E2E_CLOCK_PID" || e2e_fail "start-clock.sh failed: $(cat "$E2E_ROOT/start-clock.log")"
    E2E_CLOCK_PID=""
}
ring 0 880
ring 1 1320
e2e_log "$(sox -t raw -r 44100 -c 2 -e signed -b 16 "$recording" -n stat 2>&1 | grep 'Maximum amp')"

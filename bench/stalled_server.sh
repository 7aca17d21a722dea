#!/bin/bash
# How long a stop holds the clock while the desktop's sound server is stalled: for each
# player, a clock in a prefix made as the user's rings a 20 s alarm through a PulseAudio
# server of its own; once the alarm is heard the server is stopped (SIGSTOP), the alarm is
# clicked, and the time until the clock's window answers again is printed. RUNS (default
# 3) rounds per player.
# Usage: bench/stalled_server.sh [RUNS]   (after scripts/build.sh)
set -u
runs=${1:-3}
E2E_DESKTOP=1
E2E_TIMEOUT=$((runs * 2 * 80 + 60))
. "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_begin
unset ALSA_CONFIG_PATH CAPTURE_DIR
home=$E2E_ROOT/home
mkdir -p "$home/.cache/pelioclock" "$home/PelioClock"
ln -s "$E2E_PREFIX" "$home/.cache/pelioclock/$pelio_prefix_name"
HOME=$home pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix auth-anonymous=1" -L "module-null-sink sink_name=desk" \
    -L module-always-sink </dev/null >"$E2E_ROOT/pulseaudio.log" 2>&1 &
E2E_SOUND_SERVER_PID=$!
for _ in $(seq 1 100); do HOME=$home pactl info >/dev/null 2>&1 && break; sleep 0.1; done
recording=$E2E_RESULT_DIR/desk.raw
HOME=$home parec --latency-msec=50 -d desk.monitor --format=s16le --rate=44100 --channels=2 \
    >"$recording" 2>/dev/null &
for _ in $(seq 1 100); do [ "$(stat -c %s "$recording")" -ge 176400 ] && break; sleep 0.1; done
sox -n -r 22050 -c 1 -b 16 "$home/PelioClock/tone.wav" synth 20 sine 880 vol 0.5

since() { awk -v t="$1" -v now="$(date +%s.%N)" 'BEGIN { printf "%.2f s", now - t }'; }

# stall <UseDirectSound>: one round.
stall() {
    local second heard=0 left top clicked
    second=$(date +%-S)
    [ "$second" -lt 40 ] || sleep $((61 - second))
    printf '[PelioClock]\r\nALM00=%s tone.wav\r\nALM01=99:99 \r\nUseDirectSound=%s\r\nAlarm=1\r\nOnTop=0\r\n' \
        "$(date +%H:%M)" "$1" >"$home/PelioClock/PelioClock.ini"
    (env -u WINEPREFIX HOME="$home" "$PELIO_SOURCE_DIR/scripts/start-clock.sh" \
        </dev/null >>"$E2E_ROOT/start-clock.log" 2>&1) &
    E2E_CLOCK_PID=$!
    E2E_CLOCK_WINDOW=$(e2e_driver find "PELIO CLOCK" "PELIO CLOCK" 20000) || e2e_fail "the clock did not start"
    for _ in $(seq 1 80); do
        read -r heard _ <<<"$("$PELIO_NATIVE_BUILD/tests/tools/tone_span" "$recording" 44100 2 s16 880)"
        awk "BEGIN { exit !($heard >= 1) }" && break
        sleep 0.25
    done
    kill -STOP "$E2E_SOUND_SERVER_PID"
    read -r left top _ <<<"$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
    xdotool mousemove 300 300 mousemove $((left + 80)) $((top + 60))
    clicked=$(date +%s.%N)
    xdotool click 1
    # Asked twice: the first answer may come before the clock has taken the click.
    if e2e_driver answers "$E2E_CLOCK_WINDOW" 10000 && e2e_driver answers "$E2E_CLOCK_WINDOW" 10000; then
        echo "UseDirectSound=$1: answering $(since "$clicked") after the click, the server stopped"
    else
        echo "UseDirectSound=$1: held for more than 10 s with the server stopped"
    fi
    kill -CONT "$E2E_SOUND_SERVER_PID"
    e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
    wait "$E2E_CLOCK_PID"
    E2E_CLOCK_PID=""
    : >"$recording"
}

for ((i = 0; i < runs; i++)); do stall 1; stall 0; done

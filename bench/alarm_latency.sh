#!/bin/bash
# How late an alarm sounds: two players side by side, each in a private Xvfb and prefix,
# MCI in one and DirectSound in the other, each with an alarm due in each of the coming
# ALARMS minutes (default 5). For every alarm it prints the time from the start of its
# minute to the first audible sample the sound system received, split into the tick (when
# the clock checked its alarms, found from its redraws) and the player (from that tick to
# the sound); then minimum, median and maximum per player, and the machine's load before
# and after. E2E_KEEP=1 keeps the raw times in the results folders.
# The ALSA sink hands every stream to tests/tools/sound_onset, which notes when each
# sound's first audible sample arrives (the sink is not paced, so that is the moment the
# sound system has it); tests/tools/screen_changes notes when the clock redraws.
# Usage: bench/alarm_latency.sh [ALARMS]   (after scripts/build.sh)
set -u
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != --player ]; then
    alarms=${1:-5}
    echo "load before: $(uptime)"
    pids=()
    for player in mci dsound; do
        "$0" --player "$player" "$alarms" >"/tmp/alarm_latency.$$.$player" 2>&1 &
        pids+=($!)
    done
    status=0
    for pid in "${pids[@]}"; do wait "$pid" || status=1; done
    echo "load after: $(uptime)"
    for player in mci dsound; do
        cat "/tmp/alarm_latency.$$.$player"
        rm -f "/tmp/alarm_latency.$$.$player"
    done
    exit $status
fi

player=$2
alarms=$3
E2E_TIMEOUT=$(((alarms + 2) * 60 + 60))
. "$here/../tests/e2e/lib.sh"
E2E_NAME=alarm_latency_$player
E2E_RESULT_DIR=$E2E_RESULTS/$E2E_NAME
tools=$PELIO_NATIVE_BUILD/tests/tools

e2e_begin 24
xdotool mousemove 900 700
# The same sink as the scenarios', with a reader that notes each sound's start.
cat >"$ALSA_CONFIG_PATH" <<ALSA
pcm.!default {
    type file
    slave.pcm { type null }
    file "|$tools/sound_onset $E2E_CAPTURE/onsets.txt %r %c %b %f"
    format "raw"
}
ctl.!default { type hw card 0 }
ALSA

# Full loudness from the second sample on: no fade-in to hide the start.
sox -n -r 22050 -b 16 -c 1 "$E2E_WORK/tone.wav" synth 0.5 sine 880 vol 0.5

# Each alarm has a clock of its own, started half a minute before it. The clocks start a
# fraction of a second apart from one alarm to the next, as people start the clock at
# any point of the second: a clock whose ticks kept the phase of its start would show
# every wait from nothing to a whole second. The clock sets its timer at each tick to
# fall just after the wall clock's second, so the start's phase should not matter.
now=$(date +%s)
first=$(((now + 40) / 60 * 60 + 60))
minutes=()
for ((i = 0; i < alarms; i++)); do
    minute=$((first + i * 60))
    minutes+=("$minute")
    start=$(awk -v m="$minute" -v i="$i" -v n="$alarms" 'BEGIN { printf "%.3f", m - 30 + i / n }')
    sleep "$(awk -v s="$start" -v now="$(date +%s.%N)" 'BEGIN { d = s - now; printf "%.3f", (d > 0 ? d : 0) }')"
    {
        printf '[PelioClock]\r\nALM00=%s tone.wav\r\nALM01=99:99 \r\n' "$(date -d "@$minute" +%H:%M)"
        printf 'UseDirectSound=%d\r\nAlarm=1\r\nOnTop=0\r\n' "$([ "$player" = dsound ] && echo 1 || echo 0)"
    } >"$E2E_WORK/PelioClock.ini"
    e2e_start_clock
    # The clock sits at the screen's top-left corner; every tick redraws its second hand.
    "$tools/screen_changes" 0 0 160 160 "$((minute - 2))" "$((minute + 3))" \
        >"$E2E_RESULT_DIR/redraws-$minute.txt"
    e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
    e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 10)"
done
# Each reader has written its last line once ALSA has closed its stream.
for ((i = 0; i < 50; i++)); do
    pgrep -f "sound_onset $E2E_CAPTURE/" >/dev/null || break
    sleep 0.1
done
cp "$E2E_CAPTURE/onsets.txt" "$E2E_RESULT_DIR/"

# One line per alarm: minute, tick, total (seconds after the minute's start). What a tick
# draws reaches the screen once the clock is back in its message loop, so the redraw of
# the tick that sounded the alarm (the last redraw before the sound) shows only after the
# player has started. The ticks fall a whole second apart, however late one of them is
# served: so the alarm's tick is taken from the clock's other redraws, each moved by its
# whole seconds from it, the earliest of them, being the least held up. (Taking the first redraw in the minute would
# not do: a tick that read the time just before the minute began may draw just after it.)
for minute in "${minutes[@]}"; do
    sounds=$(awk -v m="$minute" '$1 == "onset" && $3 >= m && $3 < m + 60 { n++ } END { print n + 0 }' \
        "$E2E_RESULT_DIR/onsets.txt")
    total=$(awk -v m="$minute" '$1 == "onset" && $3 >= m && $3 < m + 60 { printf "%.3f", $3 - m; exit }' \
        "$E2E_RESULT_DIR/onsets.txt")
    tick=$(awk -v m="$minute" -v t="${total:-0}" '{ r[++n] = $1 - m; if (r[n] <= t) a = n }
        END {
            for (i = 1; i <= n; i++)
                if (a && i != a && (best == "" || r[i] + a - i < best)) best = r[i] + a - i
            if (best != "") printf "%.3f", best
        }' "$E2E_RESULT_DIR/redraws-$minute.txt")
    [ "$sounds" = 1 ] || e2e_log "the alarm at $(date -d "@$minute" +%H:%M) sounded $sounds times"
    echo "$(date -d "@$minute" +%H:%M) ${tick:-n/a} ${total:-n/a}"
done >"$E2E_RESULT_DIR/latency.txt"

echo "$player: seconds after the start of the alarm's minute"
awk '{ player = ($2 == "n/a" || $3 == "n/a") ? "n/a" : sprintf("%.3f", $3 - $2)
       printf "  %s  tick %s  player %s  sound %s\n", $1, $2, player, $3 }' "$E2E_RESULT_DIR/latency.txt"
awk -v p="$player" '
    function stats(v, n,    i, j, t) {
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
        return sprintf("%.3f / %.3f / %.3f", v[1], (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2, v[n])
    }
    $2 != "n/a" && $3 != "n/a" { n++; tick[n] = $2; player[n] = $3 - $2; sound[n] = $3 }
    END {
        if (n == 0) { print "  no alarm was heard"; exit 1 }
        printf "  min / median / max over %d alarms: sound %s s, tick %s s, player %s s\n", n,
            stats(sound, n), stats(tick, n), stats(player, n)
    }' "$E2E_RESULT_DIR/latency.txt"

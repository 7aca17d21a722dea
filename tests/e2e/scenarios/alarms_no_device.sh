#!/bin/bash
# With no sound device at all, an alarm that comes a minute after the start is told at
# its minute, in a message box that names its time and says nothing could sound: the
# box is the alarm. Two clocks run side by side, one through MCI and one through
# DirectSound, whose start-up messages are dismissed first. Each box comes once.
E2E_TIMEOUT=110
. "$(dirname "$0")/../lib.sh"
e2e_begin 24

# No device: the default PCM names a card that does not exist.
cat >"$ALSA_CONFIG_PATH" <<'ALSA'
pcm.!default { type hw card 7 }
ctl.!default { type hw card 7 }
ALSA

# Starts well inside a minute, so both clocks are up and the start-up messages gone
# before the next one begins.
second=$(date +%-S)
[ "$second" -lt 35 ] || sleep $((61 - second))
start=$(date +%H:%M)
minute=$(date -d "+1 minute" +%H:%M)

# ini <UseDirectSound> <file>
ini() {
    printf '[PelioClock]\r\nALM00=%s %s\r\nALM01=99:99 \r\nUseDirectSound=%s\r\nAlarm=1\r\nOnTop=0\r\n' \
        "$minute" "$2" "$1"
}
for player in mci ds; do sox -n -r 22050 -c 1 -b 16 "$E2E_WORK/$player.wav" synth 0.5 sine 880; done
cp "$PELIO_SOURCE_DIR/resources/pelio.wav" "$E2E_WORK/pelio.wav"

ini 1 ds.wav >"$E2E_WORK/PelioClock.ini"
e2e_start_clock
box=$(e2e_driver msgbox-ok "InitDSound - PelioClock" 10000) || e2e_fail "no InitDSound message"
e2e_expect_eq "InitDSound message" "DirectSoundオブジェクト作成失敗" "$box"
box=$(e2e_driver msgbox-ok "PelioClock" 10000) || e2e_fail "no start-up message"
e2e_expect_eq "start-up message" "DirectSoundが使用できません。" "$box"

# The MCI clock, from a working folder of its own, beside the first.
mkdir "$E2E_ROOT/mci"
cp "$E2E_WORK/mci.wav" "$E2E_WORK/pelio.wav" "$E2E_ROOT/mci/"
ini 0 mci.wav >"$E2E_ROOT/mci/PelioClock.ini"
(cd "$E2E_ROOT/mci" && timeout "$E2E_TIMEOUT" wine "$PELIO_EXE" </dev/null >"$E2E_ROOT/clock-mci.log" 2>&1) &
for _ in $(seq 1 100); do
    [ "$(e2e_driver windows | grep -c -F 'PELIO CLOCK')" -ge 2 ] && break
    sleep 0.1
done

# notices: "<hwnd> <text>" of each open box with the clock's caption, text on one line.
notices() {
    local hwnd
    for hwnd in $(e2e_driver windows | tr -d '\r' |
                  awk '{ title = $0; for (i = 0; i < 7; i++) sub(/^[^ ]+ +/, "", title) }
                       $3 == "#32770" && title == "PelioClock" { print $1 }'); do
        echo "$hwnd $(e2e_driver get-text "$hwnd" 65535 | tr -d '\r' | tr '\n' ' ')"
    done
}

[ "$(date +%H:%M)" = "$start" ] || e2e_fail "the start took into the alarm's minute"
e2e_expect_eq "messages before the alarm" "" "$(notices)"
found=""
for _ in $(seq 1 90); do
    found=$(notices)
    [ "$(grep -c . <<<"$found")" -ge 2 ] && break
    sleep 1
done
e2e_log "at $(date +%T): $found"
for player in mci ds; do
    line=$(grep -F "$player.wav" <<<"$found") || e2e_fail "no message for the $player alarm at $minute"
    [[ $line == *"$minute のアラームです。"* && $line == *"鳴らせませんでした"* ]] ||
        e2e_fail "the $player message does not tell the alarm: $line"
done
sleep 3
e2e_expect_eq "messages a few ticks later" 2 "$(notices | grep -c .)"
e2e_expect_eq "captures" "" "$(ls "$E2E_CAPTURE")"

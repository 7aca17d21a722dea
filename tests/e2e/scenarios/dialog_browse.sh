#!/bin/bash
# The browse button opens the sound file chooser, owned by the dialog, with its title and
# its one filter. Cancelling it changes nothing; a chosen file lands in the file field and
# its drop-down list, and every later chooser, in this opening of the dialog or the next,
# starts in that file's folder. The working folder stays where it was: after a chooser
# that opened in another folder, OK writes the settings file into the working folder; an
# alarm whose file is gone, due while a chooser is open, sounds the working folder's chime
# and not the one beside the program.
E2E_TIMEOUT=110
. "$(dirname "$0")/../lib.sh"
e2e_begin

# The working folder's chime is a tone of its own, unlike the one beside the program.
sox -n -r 22050 -c 1 -b 16 "$E2E_WORK/pelio.wav" synth 0.3 sine 660
sox "$E2E_WORK/pelio.wav" -t raw "$E2E_ROOT/chime.raw"
mkdir -p "$E2E_WORK/Sounds"
printf '[PelioClock]\r\nALM00=99:99 \r\nUseDirectSound=0\r\nAlarm=0\r\nOnTop=0\r\n' \
    >"$E2E_WORK/PelioClock.ini"
for name in a b c; do cp "$PELIO_SOURCE_DIR/resources/pelio.wav" "$E2E_WORK/Sounds/$name.wav"; done
folder="Z:${E2E_WORK//\//\\}\\Sounds\\"

e2e_start_clock
open_settings() {
    e2e_driver command "$E2E_CLOCK_WINDOW" 200 >/dev/null
    dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 3000) || e2e_fail "the settings dialog did not open"
}
open_chooser() {
    e2e_driver click "$dialog" 3 >/dev/null
    chooser=$(e2e_driver find "#32770" "サウンドファイルを開く" 5000) || e2e_fail "$1: no file chooser"
}
# choose <name typed into the chooser's file name box>
choose() {
    e2e_driver set-text "$chooser" 1148 "$1" >/dev/null
    e2e_driver click "$chooser" 1 >/dev/null
    e2e_driver wait-gone "$chooser" 3000 || e2e_fail "the chooser did not take \"$1\""
    sleep 0.2
}

open_settings
open_chooser "first"
e2e_expect_eq "chooser's owner" "$dialog" "$(e2e_driver owner "$chooser")"
e2e_expect_eq "filter" "WAVE Audio Files (*.WAV)" "$(e2e_driver combo "$chooser" 1136)"
e2e_shot chooser >/dev/null
e2e_driver click "$chooser" 2 >/dev/null
e2e_driver wait-gone "$chooser" 3000 || e2e_fail "Cancel did not close the chooser"
e2e_expect_eq "field after a cancelled chooser" "" "$(e2e_driver get-text "$dialog" 1005)"
e2e_expect_eq "drop-down after a cancelled chooser" "" "$(e2e_driver combo "$dialog" 1005)"

open_chooser "second"
choose "${folder}a.wav"
e2e_expect_eq "field" "${folder}a.wav" "$(e2e_driver get-text "$dialog" 1005)"
e2e_expect_eq "drop-down" "${folder}a.wav" "$(e2e_driver combo "$dialog" 1005)"

# A bare name resolves in the folder the chooser starts in.
open_chooser "third"
choose "b.wav"
e2e_expect_eq "field from the remembered folder" "${folder}b.wav" "$(e2e_driver get-text "$dialog" 1005)"
e2e_expect_eq "drop-down, sorted" "$(printf '%s\n%s' "${folder}a.wav" "${folder}b.wav")" \
    "$(e2e_driver combo "$dialog" 1005)"

e2e_driver click "$dialog" 2 >/dev/null
e2e_driver wait-gone "$dialog" 3000 || e2e_fail "Cancel did not close the dialog"
open_settings
e2e_expect_eq "field at the next opening" "" "$(e2e_driver get-text "$dialog" 1005)"
e2e_expect_eq "drop-down at the next opening" "" "$(e2e_driver combo "$dialog" 1005)"
open_chooser "next opening"
choose "c.wav"
e2e_expect_eq "folder kept across openings" "${folder}c.wav" "$(e2e_driver get-text "$dialog" 1005)"

# The chooser opens in Sounds and is cancelled; an alarm on c.wav in this minute, whose
# file is then removed, is saved with OK.
open_chooser "in the sounds' folder"
e2e_driver click "$chooser" 2 >/dev/null
e2e_driver wait-gone "$chooser" 3000 || e2e_fail "Cancel did not close the chooser"
# It falls due while a chooser is open, when Wine's current folder is the chooser's.
second=$(date +%-S)
[ "$second" -lt 50 ] || sleep $((61 - second))
minute=$(date -d "+1 minute" +%H:%M)
e2e_driver set-text "$dialog" 1018 "${minute%:*}" >/dev/null
e2e_driver set-text "$dialog" 1019 "${minute#*:}" >/dev/null
e2e_driver click "$dialog" 5 >/dev/null
e2e_driver set-check "$dialog" 1032 1 >/dev/null
for _ in $(seq 1 30); do [ "$(e2e_driver list-count "$dialog" 1016)" = 1 ] && break; done
rm "$E2E_WORK/Sounds/c.wav"
e2e_driver click "$dialog" 1 >/dev/null
e2e_driver wait-gone "$dialog" 3000 || e2e_fail "OK did not close the dialog"
[ ! -e "$E2E_WORK/Sounds/PelioClock.ini" ] || e2e_fail "the settings file went into the sounds' folder"
grep -q "c.wav" "$E2E_WORK/PelioClock.ini" || e2e_fail "the working folder's settings file lacks the alarm"
open_settings
open_chooser "at the alarm's minute"
notice=$(E2E_DRIVER_TIMEOUT=90 e2e_driver msgbox PelioClock 80000) || e2e_fail "the alarm showed no notice"
[[ $notice == *"pelio.wav を鳴らしました"* ]] || e2e_fail "the chime did not sound: $notice"
e2e_capture_holds "$E2E_CAPTURE/cap-22050-1-16-S16_LE.raw" "$E2E_ROOT/chime.raw" ||
    e2e_fail "the capture is not the working folder's chime: $(ls "$E2E_CAPTURE")"

#!/bin/bash
# The browse button opens the sound file chooser, owned by the dialog, with its title and
# its one filter. Cancelling it changes nothing; a chosen file lands in the file field and
# its drop-down list, and every later chooser, in this opening of the dialog or the next,
# starts in that file's folder.
. "$(dirname "$0")/../lib.sh"
e2e_begin

mkdir -p "$E2E_WORK/Sounds"
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

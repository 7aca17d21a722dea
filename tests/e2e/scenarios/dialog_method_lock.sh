#!/bin/bash
# While a sound plays, OK refuses to switch the playback method: the message, owned by
# the dialog, says so under the caption "PelioClock", the dialog stays open and the file
# keeps its settings. OK with the method unchanged is accepted while the sound plays.
# Both ways: MCI to DirectSound, then DirectSound to MCI.
. "$(dirname "$0")/../lib.sh"
e2e_begin

# Two minutes of tone: the capture sink plays about four times faster than real time,
# which still leaves the sound playing through the whole check.
sox -n -r 8000 -c 1 -b 8 "$E2E_WORK/long.wav" synth 120 sine 440 vol 0.3

# check_lock <UseDirectSound in the file> <check box state that switches the method>
check_lock() {
    printf '[PelioClock]\r\nALM00=99:99 \r\nUseDirectSound=%s\r\nAlarm=1\r\nOnTop=0\r\n' "$1" \
        >"$E2E_WORK/PelioClock.ini"
    cp "$E2E_WORK/PelioClock.ini" "$E2E_ROOT/original.ini"
    rm -f "$E2E_CAPTURE"/cap-*
    e2e_start_clock
    (cd "$E2E_WORK" && e2e_drop long.wav 80 80)
    local i
    for i in $(seq 1 40); do
        compgen -G "$E2E_CAPTURE/cap-*" >/dev/null && break
        sleep 0.1
    done
    compgen -G "$E2E_CAPTURE/cap-*" >/dev/null || e2e_fail "method $1: the dropped file did not play"

    e2e_driver command "$E2E_CLOCK_WINDOW" 200 >/dev/null
    dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 3000) || e2e_fail "the settings dialog did not open"
    e2e_driver set-check "$dialog" 1031 "$2" >/dev/null
    e2e_driver click "$dialog" 1 >/dev/null
    box=$(e2e_driver find "#32770" "PelioClock" 3000) || e2e_fail "method $1: no refusal"
    e2e_expect_eq "method $1: refusal's owner" "$dialog" "$(e2e_driver owner "$box")"
    e2e_expect_eq "method $1: refusal" "アラーム再生中は再生方法の変更できません" \
        "$(e2e_driver msgbox-ok "PelioClock")"
    sleep 0.3
    e2e_driver find "#32770" "ペリオクロック設定" 0 >/dev/null || e2e_fail "method $1: the refusal closed the dialog"
    cmp -s "$E2E_ROOT/original.ini" "$E2E_WORK/PelioClock.ini" || e2e_fail "method $1: the refused OK wrote the file"

    e2e_driver set-check "$dialog" 1031 "$1" >/dev/null
    e2e_driver click "$dialog" 1 >/dev/null
    e2e_driver wait-gone "$dialog" 3000 || e2e_fail "method $1: OK with the method unchanged was refused"
    e2e_expect_eq "method $1: saved" "UseDirectSound=$1" \
        "$(tr -d '\r' <"$E2E_WORK/PelioClock.ini" | grep '^UseDirectSound=')"
    e2e_expect_eq "method $1: all alarm keys" 48 "$(grep -c '^ALM' "$E2E_WORK/PelioClock.ini")"
    e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
    e2e_expect_eq "method $1: exit code" 1 "$(e2e_wait_exit 10)"
}

check_lock 0 1
check_lock 1 0

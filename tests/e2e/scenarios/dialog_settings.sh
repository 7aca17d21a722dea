#!/bin/bash
# The settings dialog opens from the popup menu at (W/2 - 200, H/2) above all windows,
# with the alarms of the file sorted in its list, the settings in its check boxes and
# "00" in both boxes. The arrows step from the dialog's own value with two digits and
# wrap. Escape cancels without touching the file; a later opening starts afresh, and
# Delete then OK removes the alarm of the selected line even when the file listed its
# alarms out of order.
. "$(dirname "$0")/../lib.sh"
e2e_begin
size=${E2E_SCREEN:-1024x768}
width=${size%x*} height=${size#*x}

printf '[PelioClock]\r\nALM00=10:00 b.wav\r\nALM01=07:30 a.wav\r\nALM02=23:15 c.wav\r\nALM03=99:99 \r\nUseDirectSound=0\r\nAlarm=1\r\nOnTop=1\r\n' \
    >"$E2E_WORK/PelioClock.ini"
cp "$E2E_WORK/PelioClock.ini" "$E2E_ROOT/original.ini"

e2e_start_clock
open_settings() {
    e2e_click 3 100 110
    e2e_menu Down Return
    dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 3000) || e2e_fail "the settings dialog did not open"
}
# box <id>: the text of the hour (1018) or minute (1019) box.
box() { e2e_driver get-text "$dialog" "$1"; }
# arrow <id> <up|down>: a mouse click on the upper or lower arrow of a pair.
arrow() {
    local left top right bottom
    read -r left top right bottom <<<"$(e2e_driver rect "$(e2e_driver item "$dialog" "$1")")"
    local y=$((top + (bottom - top) / 4))
    [ "$2" = up ] || y=$((bottom - 1 - (bottom - top) / 4))
    e2e_click 1 $(((left + right) / 2)) "$y"
    sleep 0.15
}

open_settings
read -r left top right bottom <<<"$(e2e_driver rect "$dialog")"
e2e_expect_eq "dialog corner" "$((width / 2 - 200)) $((height / 2))" "$left $top"
e2e_expect_eq "dialog topmost" 1 "$(e2e_driver topmost "$dialog")"
e2e_expect_eq "list" "$(printf '07 : 30   a.wav\n10 : 00   b.wav\n23 : 15   c.wav')" \
    "$(e2e_driver list "$dialog" 1016)"
e2e_expect_eq "check boxes 1031 1032 1033" "0 1 1" \
    "$(e2e_driver check "$dialog" 1031) $(e2e_driver check "$dialog" 1032) $(e2e_driver check "$dialog" 1033)"
e2e_expect_eq "boxes" "00 00" "$(box 1018) $(box 1019)"
e2e_expect_eq "file field" "" "$(e2e_driver get-text "$dialog" 1005)"
e2e_shot settings >/dev/null

# A typed hour is not where the arrows go on from: they step the dialog's own value, 0.
e2e_driver set-text "$dialog" 1018 7 >/dev/null
arrow 1024 up
e2e_expect_eq "typed 7, then up" 01 "$(box 1018)"

e2e_driver scroll "$dialog" 1024 up 21 >/dev/null
sleep 0.3
e2e_expect_eq "hour after 22 steps up" 22 "$(box 1018)"
steps=""
for click in up up up down down down; do
    arrow 1024 "$click"
    steps="$steps $(box 1018)"
done
e2e_expect_eq "hour arrows" " 23 00 01 00 23 22" "$steps"

e2e_driver scroll "$dialog" 1023 up 58 >/dev/null
sleep 0.3
steps=""
for click in up up down down; do
    arrow 1023 "$click"
    steps="$steps $(box 1019)"
done
e2e_expect_eq "minute arrows" " 59 00 59 58" "$steps"

e2e_key Escape
e2e_driver wait-gone "$dialog" 3000 || e2e_fail "Escape did not close the dialog"
cmp -s "$E2E_ROOT/original.ini" "$E2E_WORK/PelioClock.ini" || e2e_fail "Cancel changed the file"

open_settings
e2e_expect_eq "boxes at the next opening" "00 00" "$(box 1018) $(box 1019)"
arrow 1023 down
e2e_expect_eq "minute arrows start again from 00" 59 "$(box 1019)"
e2e_driver list-select "$dialog" 1016 1 >/dev/null   # 10 : 00   b.wav
e2e_driver click "$dialog" 6 >/dev/null
sleep 0.2
e2e_driver click "$dialog" 1 >/dev/null
e2e_driver wait-gone "$dialog" 3000 || e2e_fail "OK did not close the dialog"
ini=$(tr -d '\r' <"$E2E_WORK/PelioClock.ini")
e2e_expect_eq "alarms after Delete" "ALM00=07:30 a.wav ALM01=23:15 c.wav" \
    "$(grep -E '^ALM0[01]=' <<<"$ini" | tr '\n' ' ' | sed 's/ $//')"
e2e_expect_eq "clock still topmost" 1 "$(e2e_driver topmost "$E2E_CLOCK_WINDOW")"

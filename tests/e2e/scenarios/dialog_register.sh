#!/bin/bash
# Registering alarms in the settings dialog: an existing upper-case .WAV file is added in
# lower case at its sorted place; a missing file, a file without ".wav", a time already
# listed and a full list each show their message, owned by the dialog, and add nothing;
# Delete removes the selected line; Enter in the time or file fields registers, never
# deletes; OK (Enter in the list) writes all 48 alarm keys and the three settings
# and puts the clock above all windows; a Cancel after the opening reloaded OnTop=1 does not.
. "$(dirname "$0")/../lib.sh"
e2e_begin

# 47 alarms, 00:00 to 23:00 and 00:30 to 22:30, in the file's own order.
{
    printf '[PelioClock]\r\n'
    for slot in $(seq 0 46); do
        printf 'ALM%02d=%02d:%02d %s\r\n' "$slot" $((slot % 24)) $((slot / 24 * 30)) pelio.wav
    done
    printf 'ALM47=99:99 \r\nUseDirectSound=0\r\nAlarm=0\r\nOnTop=0\r\n'
} >"$E2E_WORK/PelioClock.ini"
mkdir -p "$E2E_WORK/Sounds"
cp "$PELIO_SOURCE_DIR/resources/pelio.wav" "$E2E_WORK/Sounds/Bell.WAV"
cp "$PELIO_SOURCE_DIR/resources/pelio.wav" "$E2E_WORK/Sounds/Chime.mp3"
windows_path() { local p="Z:$1"; echo "${p//\//\\}"; }
bell=$(windows_path "$E2E_WORK/Sounds/Bell.WAV")

e2e_start_clock
e2e_expect_eq "clock topmost at start" 0 "$(e2e_driver topmost "$E2E_CLOCK_WINDOW")"
# The opening reloads OnTop=1 from the file; Cancel must not lift the clock for it.
sed -i 's/^OnTop=0/OnTop=1/' "$E2E_WORK/PelioClock.ini"
dialog=$(e2e_open_from_menu 100 110 1 "ペリオクロック設定")
e2e_driver click "$dialog" 2 >/dev/null
e2e_driver wait-gone "$dialog" 3000 || e2e_fail "Cancel did not close the dialog"
e2e_expect_eq "clock topmost after Cancel" 0 "$(e2e_driver topmost "$E2E_CLOCK_WINDOW")"
sed -i 's/^OnTop=1/OnTop=0/' "$E2E_WORK/PelioClock.ini"
dialog=$(e2e_open_from_menu 100 110 1 "ペリオクロック設定")
e2e_expect_eq "lines from the file" 47 "$(e2e_driver list-count "$dialog" 1016)"

# register <hour> <minute> <file>: fills the boxes and the file field and presses 登録.
register() {
    e2e_driver set-text "$dialog" 1018 "$1" >/dev/null
    e2e_driver set-text "$dialog" 1019 "$2" >/dev/null
    e2e_driver set-text "$dialog" 1005 "$3" >/dev/null
    e2e_driver click "$dialog" 5 >/dev/null
}
# expect_message <caption> <text> <case>: the message is up, the dialog is disabled under
# it (the dialog owns it), and OK takes it away.
expect_message() {
    local text
    text=$(e2e_driver msgbox "$1" 3000) || e2e_fail "$3: no message \"$1\""
    e2e_expect_eq "$3: message" "$2" "$text"
    local style
    style=$(e2e_driver style "$dialog")
    [ $((style & 0x08000000)) -ne 0 ] || e2e_fail "$3: the message is not owned by the dialog"
    [ -n "${4:-}" ] && e2e_shot "$4" >/dev/null
    e2e_driver msgbox-ok "$1" >/dev/null
    sleep 0.3
    e2e_expect_eq "$3: lines" "$5" "$(e2e_driver list-count "$dialog" 1016)"
}

register 99 99 "$(windows_path "$E2E_WORK/Sounds/Missing.wav")"
expect_message "サウンドファイルを開く" "有効なファイルではありません" "missing file" "" 47
register 99 99 "$(windows_path "$E2E_WORK/Sounds/Chime.mp3")"
expect_message "サウンドファイルを開く" "有効なファイルではありません" "no .wav" "" 47

# type_into <id> <key>...: a click into that field, as a person makes it, then the keys.
type_into() {
    local left top right bottom
    read -r left top right bottom <<<"$(e2e_driver rect "$(e2e_driver item "$dialog" "$1")")"
    xdotool mousemove 300 300 sleep 0.1 mousemove $((left + 8)) $(((top + bottom) / 2)) \
        sleep 0.1 click 1 sleep 0.2
    e2e_key "${@:2}"
}
# Enter typed in the time or file fields registers, and never deletes the selected line.
for id in 3 5 6; do
    [ $(($(e2e_driver style "$(e2e_driver item "$dialog" $id)") & 0xF)) -eq 0 ] ||
        e2e_fail "button $id is drawn as the default"
done
e2e_driver list-select "$dialog" 1016 3 >/dev/null
e2e_driver set-text "$dialog" 1005 "$bell" >/dev/null
type_into 1018 End BackSpace BackSpace 0 7
type_into 1019 End BackSpace BackSpace 4 5 Return
sleep 0.5
lines=$(e2e_driver list "$dialog" 1016)
expected=$(printf '07 : 45   %s' "${bell,,}")
e2e_expect_eq "registered line after 07:30" "$expected" "$(sed -n 17p <<<"$lines")"
e2e_expect_eq "file field keeps its text" "$bell" "$(e2e_driver get-text "$dialog" 1005)"
e2e_shot settings_registered >/dev/null

type_into 1005 End Return
expect_message "アラーム登録" "既に登録されています。" "duplicate before full" duplicate 48
register 23 59 "$bell"
expect_message "アラーム登録" "これ以上登録出来ません。" "full list" full 48

# Delete the selected line: 00:30, the second.
e2e_driver list-select "$dialog" 1016 1 >/dev/null
e2e_driver click "$dialog" 6 >/dev/null
sleep 0.3
e2e_expect_eq "lines after Delete" 47 "$(e2e_driver list-count "$dialog" 1016)"
if e2e_driver list "$dialog" 1016 | grep -q '^00 : 30 '; then e2e_fail "Delete left 00:30"; fi

e2e_driver set-check "$dialog" 1033 1 >/dev/null
e2e_driver set-check "$dialog" 1032 1 >/dev/null
# Enter in the list, on a line clicked, is OK.
type_into 1016 Return
e2e_driver wait-gone "$dialog" 3000 || e2e_fail "Enter did not close the dialog"
e2e_expect_eq "clock topmost after OK" 1 "$(e2e_driver topmost "$E2E_CLOCK_WINDOW")"

ini=$(tr -d '\r' <"$E2E_WORK/PelioClock.ini")
e2e_expect_eq "alarm keys" 48 "$(grep -c '^ALM[0-4][0-9]=' <<<"$ini")"
# Wine's profile writer drops the free slot's trailing blank.
grep -qE '^ALM47=99:99 ?$' <<<"$ini" || e2e_fail "free slot: $(grep '^ALM47=' <<<"$ini")"
e2e_expect_eq "registered slot" "ALM15=07:45 ${bell,,}" "$(grep '^ALM15=' <<<"$ini")"
e2e_expect_eq "settings" "UseDirectSound=0 Alarm=1 OnTop=1" \
    "$(grep -E '^(UseDirectSound|Alarm|OnTop)=' <<<"$ini" | tr '\n' ' ' | sed 's/ $//')"
if grep -q '=00:30 ' <<<"$ini"; then e2e_fail "the deleted alarm was saved"; fi

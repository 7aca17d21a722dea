#!/bin/bash
# The About box, opened from the popup menu, stands with its top-left corner at
# (W/2 - 100, H/2), above all windows; Escape and the caption's close command leave it
# open, its OK button closes it. Then the menu's exit item ends the clock with code 1.
. "$(dirname "$0")/../lib.sh"
e2e_begin
width=${E2E_SCREEN:-1024x768}; height=${width#*x}; width=${width%x*}

e2e_start_clock
e2e_click 3 100 110
menu=$(e2e_driver find "#32768" - 3000) || e2e_fail "no popup menu after a right click"
read -r left top right bottom <<<"$(e2e_driver rect "$menu")"
e2e_expect_eq "menu top" 110 "$top"
e2e_expect_eq "menu centre" 100 $(((left + right) / 2))
e2e_shot menu >/dev/null
e2e_menu Down Down Return

about=$(e2e_driver find "#32770" "ﾊﾞｰｼﾞｮﾝ情報" 3000) || e2e_fail "the About box did not open"
read -r left top right bottom <<<"$(e2e_driver rect "$about")"
e2e_expect_eq "About box corner" "$((width / 2 - 100)) $((height / 2))" "$left $top"
e2e_expect_eq "About box topmost" 1 "$(e2e_driver topmost "$about")"
e2e_shot about >/dev/null
controls=$(e2e_driver controls "$about")
for text in "ＰｅｌｉｏＣｌｏｃｋ  Ｖｅｒ1.0" "for Windows95.98.NT" "要DirectX" "32767色以上推奨"; do
    grep -qF -- "$text" <<<"$controls" || e2e_fail "About box lacks \"$text\": $controls"
done

e2e_key Escape
e2e_driver post "$about" 0x0112 0xF060 0   # WM_SYSCOMMAND SC_CLOSE: the caption's close box
sleep 0.5
e2e_driver find "#32770" "ﾊﾞｰｼﾞｮﾝ情報" 0 >/dev/null || e2e_fail "Escape or the close box closed the About box"

e2e_key Return   # the default button, OK
e2e_driver wait-gone "$about" 3000 || e2e_fail "OK did not close the About box"
e2e_running || e2e_fail "the clock ended with the About box"

e2e_click 3 100 110
e2e_driver find "#32768" - 3000 >/dev/null || e2e_fail "no popup menu after the About box"
e2e_menu Down Down Down Return
e2e_expect_eq "exit code after 終了" 1 "$(e2e_wait_exit 3)"

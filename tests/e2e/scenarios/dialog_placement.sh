#!/bin/bash
# On a screen of odd size the About box and the settings dialog are placed from the
# halves of its width and height, rounded down.
E2E_SCREEN=${E2E_SCREEN:-1023x767}
. "$(dirname "$0")/../lib.sh"
e2e_begin
width=${E2E_SCREEN%x*} height=${E2E_SCREEN#*x}

e2e_start_clock
e2e_driver command "$E2E_CLOCK_WINDOW" 201 >/dev/null
about=$(e2e_driver find "#32770" "ﾊﾞｰｼﾞｮﾝ情報" 3000) || e2e_fail "the About box did not open"
read -r left top right bottom <<<"$(e2e_driver rect "$about")"
e2e_expect_eq "About box corner" "$((width / 2 - 100)) $((height / 2))" "$left $top"
e2e_driver click "$about" 1 >/dev/null
e2e_driver wait-gone "$about" 3000 || e2e_fail "OK did not close the About box"

e2e_driver command "$E2E_CLOCK_WINDOW" 200 >/dev/null
dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 3000) || e2e_fail "the settings dialog did not open"
read -r left top right bottom <<<"$(e2e_driver rect "$dialog")"
e2e_expect_eq "settings dialog corner" "$((width / 2 - 200)) $((height / 2))" "$left $top"
e2e_shot settings >/dev/null

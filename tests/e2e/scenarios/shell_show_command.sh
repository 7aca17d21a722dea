#!/bin/bash
# The show command of the start-up information is honoured, but one that hides the window
# does not last: the clock brings itself up visible at (0, 0) all the same.
. "$(dirname "$0")/../lib.sh"
e2e_begin

E2E_SHOW=0 e2e_start_clock
e2e_expect_eq "rectangle after SW_HIDE" "0 0 160 160" "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
sleep 1.1
# The window is visible from its creation on, so only a later look tells.
e2e_driver find "PELIO CLOCK" "PELIO CLOCK" 0 >/dev/null || e2e_fail "the clock stayed hidden"
lit=$(convert "$(e2e_shot hidden-start)" -crop 160x160+0+0 +repage -format "%[fx:mean > 0.05]" info:)
e2e_expect_eq "face drawn after SW_HIDE" 1 "$lit"
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 2)"

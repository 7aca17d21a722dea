#!/bin/bash
# Escape pressed on the clock closes it with exit code 1 at once; other keys do nothing.
# The system's close (WM_CLOSE) ends it the same way.
. "$(dirname "$0")/../lib.sh"
e2e_begin

e2e_start_clock
e2e_key a Return space Tab Down F1 Delete
sleep 0.5
e2e_running || e2e_fail "a key other than Escape closed the clock"
e2e_expect_eq "rectangle after other keys" "0 0 160 160" "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
e2e_key Escape
e2e_expect_eq "exit code after Escape" 1 "$(e2e_wait_exit 2)"

e2e_start_clock
e2e_driver post "$E2E_CLOCK_WINDOW" 0x0010 0 0
e2e_expect_eq "exit code after WM_CLOSE" 1 "$(e2e_wait_exit 2)"

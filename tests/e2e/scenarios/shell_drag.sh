#!/bin/bash
# A left-button drag from any point of the clock moves it; the next start is at (0, 0)
# again, since the position is not kept.
. "$(dirname "$0")/../lib.sh"
e2e_begin

e2e_start_clock
e2e_drag 80 60 500 400
e2e_expect_eq "rectangle after the drag" "420 340 580 500" "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
e2e_drag 440 350 140 650
e2e_expect_eq "rectangle after a second drag" "120 640 280 800" \
    "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
e2e_shot dragged >/dev/null
# The click has started a move loop that would eat an X key press: post Escape instead.
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 2)"

e2e_start_clock
e2e_expect_eq "rectangle on the next start" "0 0 160 160" "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"

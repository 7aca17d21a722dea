#!/bin/bash
# A left-button drag on the clock moves it; the next start is at (0, 0)
# again, since the position is not kept.
. "$(dirname "$0")/../lib.sh"
e2e_begin

e2e_start_clock
# Both drags grab the clock by the middle of its face, inside its outline.
e2e_drag 80 80 500 400
e2e_expect_eq "rectangle after the drag" "420 320 580 480" "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
e2e_drag 500 400 200 690
e2e_expect_eq "rectangle after a second drag" "120 610 280 770" \
    "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
# The face is drawn at the new place and nothing is left at the old one (the bare
# screen is black).
sleep 1.1
shot=$(e2e_shot dragged)
lit() { convert "$shot" -crop "160x160+$1+$2" +repage -format "%[fx:mean > 0.05]" info:; }
e2e_expect_eq "face at the new place" 1 "$(lit 120 610)"
e2e_expect_eq "face left at the old place" 0 "$(lit 0 0)"
# The click has started a move loop that would eat an X key press: post Escape instead.
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 2)"

e2e_start_clock
e2e_expect_eq "rectangle on the next start" "0 0 160 160" "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"

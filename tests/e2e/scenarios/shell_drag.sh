#!/bin/bash
# A left-button drag on the clock moves it, and the next start puts it where it was left:
# on the second of two monitors, and whole on the one monitor left once that one is gone.
. "$(dirname "$0")/../lib.sh"
E2E_SCREEN="1024x768 1024x768" e2e_begin

e2e_start_clock
# Both drags grab the clock by the middle of its face, inside its outline.
e2e_drag 80 80 500 400
e2e_expect_eq "rectangle after the drag" "420 320 580 480" "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
e2e_drag 500 400 1300 600
e2e_expect_eq "rectangle after a drag onto the second monitor" "1220 520 1380 680" \
    "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
# The face is drawn at the new place and nothing is left at the old one (the bare
# screen is black).
sleep 1.1
shot=$(e2e_shot dragged)
lit() { convert "$shot" -crop "160x160+$1+$2" +repage -format "%[fx:mean > 0.05]" info:; }
e2e_expect_eq "face at the new place" 1 "$(lit 1220 520)"
e2e_expect_eq "face left at the old place" 0 "$(lit 0 0)"
ini=$E2E_WORK/PelioClock.ini
place() { grep -a '^Window' "$ini" | tr -d '\r' | paste -sd ' '; }
e2e_expect_eq "place kept after the drag" "WindowX=1220 WindowY=520" "$(place)"
# The click has started a move loop that would eat an X key press: post Escape instead.
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 2)"

e2e_start_clock
e2e_expect_eq "rectangle on the next start" "1220 520 1380 680" \
    "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
# Left across the monitors' border, it comes back whole on the one holding more of it.
e2e_drag 1300 600 1040 600
e2e_expect_eq "place kept across the border" "WindowX=960 WindowY=520" "$(place)"
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 2)"
written=$(stat -c %y "$ini")
e2e_start_clock
e2e_expect_eq "rectangle after the border" "1024 520 1184 680" \
    "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 2)"

# The second monitor is gone and the first is smaller: the clock comes up whole in its
# corner nearest the old place, and the stored place stays until the next drag.
e2e_restart_xserver 800x600
e2e_start_clock
e2e_expect_eq "rectangle with one smaller monitor" "640 440 800 600" \
    "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
e2e_expect_eq "settings file untouched by the starts" "$written" "$(stat -c %y "$ini")"

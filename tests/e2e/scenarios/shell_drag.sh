#!/bin/bash
# A left-button drag on the clock moves it, and the next start puts it where it was left:
# on the second of two monitors, and whole on the one monitor left once that one is gone.
. "$(dirname "$0")/../lib.sh"
E2E_SCREEN="1024x768 1024x768" e2e_begin
rect() { e2e_driver rect "$E2E_CLOCK_WINDOW"; }
ini=$E2E_WORK/PelioClock.ini
place() { grep -a '^Window' "$ini" | tr -d '\r' | paste -sd ' '; }
# A click starts a move loop that would eat an X key press: Escape is posted instead.
close() { e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE; e2e_expect_eq "exit" 1 "$(e2e_wait_exit 2)"; }

e2e_start_clock
# The drags grab the clock by the middle of its face, inside its outline.
e2e_drag 80 80 500 400
e2e_expect_eq "rectangle after the drag" "420 320 580 480" "$(rect)"
e2e_drag 500 400 1300 600
e2e_expect_eq "rectangle on the second monitor" "1220 520 1380 680" "$(rect)"
# The face is drawn at the new place and nothing is left at the old one (the bare
# screen is black).
sleep 1.1
shot=$(e2e_shot dragged)
lit() { convert "$shot" -crop "160x160+$1+$2" +repage -format "%[fx:mean > 0.05]" info:; }
e2e_expect_eq "face at the new place" 1 "$(lit 1220 520)"
e2e_expect_eq "face left at the old place" 0 "$(lit 0 0)"
e2e_expect_eq "place kept after the drag" "WindowX=1220 WindowY=520" "$(place)"
close

e2e_start_clock
e2e_expect_eq "rectangle on the next start" "1220 520 1380 680" "$(rect)"
# Left across the monitors' border, it comes back whole on the one holding more of it.
e2e_drag 1300 600 1040 600
e2e_expect_eq "place kept across the border" "WindowX=960 WindowY=520" "$(place)"
close
written=$(stat -c %y "$ini")
e2e_start_clock
e2e_expect_eq "rectangle after the border" "1024 520 1184 680" "$(rect)"
close

# The second monitor is gone and the first is smaller: the clock comes up whole in the
# corner nearest the old place; starts never write the place.
e2e_restart_xserver 800x600
e2e_start_clock
e2e_expect_eq "rectangle with one smaller monitor" "640 440 800 600" "$(rect)"
e2e_expect_eq "settings file untouched by the starts" "$written" "$(stat -c %y "$ini")"

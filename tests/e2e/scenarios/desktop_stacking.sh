#!/bin/bash
# Under a window manager (openbox, 1280 x 800), with the prefix run.sh makes: with OnTop=0
# an activated window of another program covers the clock and a click on the clock
# brings it back; "常に手前" + OK lifts it above that window at once and clearing it lets
# it be covered again. The clock has no frame and no taskbar entry; the menu opens
# centred under the pointer; the About box and the settings dialog open framed where the
# clock places them, above it, with the keyboard (Tab moves, Enter presses OK). Every
# window carries the program's class and icon 115. A drag moves the clock.
E2E_DESKTOP=1
. "$(dirname "$0")/../lib.sh"
e2e_begin
printf '[PelioClock]\r\nALM00=99:99 \r\nUseDirectSound=0\r\nAlarm=0\r\nOnTop=0\r\n' \
    >"$E2E_WORK/PelioClock.ini"

e2e_start_clock
clock=$(e2e_x_window "PELIO CLOCK") || e2e_fail "the clock has no managed X window"
e2e_start_xlogo 200x200+90+90

# xlogo opened last and active: it covers the clock; a click on the clock's part that
# xlogo leaves free brings it back to the front.
e2e_activate "$E2E_XLOGO_WINDOW"
e2e_above "$E2E_XLOGO_WINDOW" "$clock" || e2e_fail "the activated xlogo does not cover the clock"
e2e_shot covered >/dev/null
e2e_click 1 45 70
sleep 0.5
e2e_above "$clock" "$E2E_XLOGO_WINDOW" || e2e_fail "a click did not bring the clock to the front"
e2e_shot in_front >/dev/null

# A drag with the left button moves the clock, to the middle of the screen.
e2e_drag 45 70 545 370
sleep 0.5
read -r left top _ <<<"$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
e2e_expect_eq "clock after the drag" "500 300" "$left $top"
e2e_expect_eq "place kept" "WindowX=500 WindowY=300" \
    "$(grep -a '^Window' "$E2E_WORK/PelioClock.ini" | tr -d '\r' | paste -sd ' ')"

# No frame, no taskbar entry; the program's class and icon 115 (the PNG of the desktop
# entry is made from the same picture).
e2e_expect_eq "clock frame" "0, 0, 0, 0" \
    "$(xprop -id "$clock" _NET_FRAME_EXTENTS | sed 's/.*= //')"
xprop -id "$clock" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR \
    || e2e_fail "the clock has a taskbar entry"
# expect_identity <x-window> <what>
expect_identity() {
    xprop -id "$1" WM_CLASS | grep -qi '"pelioclock.exe"' || e2e_fail "$2: WM_CLASS $(xprop -id "$1" WM_CLASS)"
    local want got
    want=$(convert "$PELIO_SOURCE_DIR/resources/pelio-32.png" -depth 8 rgba:- | od -An -v -tx1 | awk '
        { for (i = 1; i <= NF; i++) b[n++] = $i }
        END { for (i = 0; i < n; i += 4) printf "%s", b[i + 3] == "00" ? "00000000" : b[i] b[i + 1] b[i + 2] b[i + 3] }')
    # _NET_WM_ICON holds width, height, then ARGB pixels; the 32 x 32 one must be icon 115.
    got=$(xprop -id "$1" -notype 32c _NET_WM_ICON | sed 's/.*= //; s/,//g' | awk '
        { for (i = 1; i <= NF; i++) v[n++] = $i }
        END { for (i = 0; i < n; ) { w = v[i]; h = v[i + 1]; i += 2
                if (w == 32 && h == 32) { for (k = 0; k < 1024; k++) { p = v[i + k] % 4294967296
                    a = int(p / 16777216); r = int(p / 65536) % 256; g = int(p / 256) % 256; b = p % 256
                    if (a == 0) r = g = b = 0
                    printf "%02x%02x%02x%02x", r, g, b, a } exit }
                i += w * h } }')
    [ -n "$got" ] && [ "${got,,}" = "${want,,}" ] || e2e_fail "$2: its 32 x 32 icon is not icon 115"
}
expect_identity "$clock" "clock"

# The menu: centred under the pointer, its top edge at the pointer.
e2e_click 3 580 380
menu=$(e2e_driver find "#32768" - 3000) || e2e_fail "the menu did not open"
read -r left top right _ <<<"$(e2e_driver rect "$menu")"
[ $(((left + right) / 2 - 580)) -ge -1 ] && [ $(((left + right) / 2 - 580)) -le 1 ] &&
    [ "$top" -ge 379 ] && [ "$top" -le 381 ] || e2e_fail "menu at $left $top $right, pointer at 580 380"
e2e_shot menu >/dev/null
e2e_key Escape
e2e_menu_closed "$menu" || e2e_fail "Escape did not dismiss the menu"

open_from_menu() { e2e_open_from_menu 580 380 "$@"; }
# expect_dialog <hwnd> <title> <x> <y>: framed at (x, y) shifted by at most the frame,
# above the clock, holding the keyboard, with the program's class and icon.
expect_dialog() {
    local x_window left top
    x_window=$(e2e_x_window "$2") || e2e_fail "$2 has no managed X window"
    read -r left top _ <<<"$(e2e_driver rect "$1")"
    [ "$left" -ge "$3" ] && [ "$left" -le $(($3 + 12)) ] && [ "$top" -ge "$4" ] && [ "$top" -le $(($4 + 40)) ] ||
        e2e_fail "$2 at $left $top, placed at $3 $4"
    [ "$(xprop -id "$x_window" _NET_FRAME_EXTENTS | sed 's/.*= //')" != "0, 0, 0, 0" ] ||
        e2e_fail "$2 has no frame"
    e2e_above "$x_window" "$clock" || e2e_fail "$2 is below the clock"
    e2e_expect_eq "$2 holds the keyboard" "$x_window" "$(e2e_focus_window)"
    expect_identity "$x_window" "$2"
}

about=$(open_from_menu 2 "ﾊﾞｰｼﾞｮﾝ情報")
expect_dialog "$about" "ﾊﾞｰｼﾞｮﾝ情報" 540 400
e2e_shot about >/dev/null
e2e_key Tab Return
e2e_driver wait-gone "$about" 3000 || e2e_fail "Enter did not press OK in the About box"

settings=$(open_from_menu 1 "ペリオクロック設定")
expect_dialog "$settings" "ペリオクロック設定" 440 400
e2e_shot settings >/dev/null
# The first tab stop is OK; two Tabs reach the file field, which takes what is typed.
e2e_key Tab Tab a b c
e2e_expect_eq "typed after two Tabs" "abc" "$(e2e_driver get-text "$settings" 1005)"

# "常に手前" with OK: above xlogo at once, also when xlogo is activated.
click_item() {
    local l t r b
    read -r l t r b <<<"$(e2e_driver rect "$(e2e_driver item "$1" "$2")")"
    e2e_click 1 $(((l + r) / 2)) $(((t + b) / 2))
}
click_item "$settings" 1033
click_item "$settings" 1
e2e_driver wait-gone "$settings" 3000 || e2e_fail "OK did not close the settings dialog"
sleep 0.5
e2e_above "$clock" "$E2E_XLOGO_WINDOW" || e2e_fail "OnTop=1 by OK: the clock is not above xlogo"
e2e_activate "$E2E_XLOGO_WINDOW"
sleep 0.5
e2e_above "$clock" "$E2E_XLOGO_WINDOW" || e2e_fail "OnTop=1: the activated xlogo covers the clock"
e2e_shot on_top >/dev/null

# Cleared again with OK: the next activation of xlogo covers the clock.
settings=$(open_from_menu 1 "ペリオクロック設定")
click_item "$settings" 1033
click_item "$settings" 1
e2e_driver wait-gone "$settings" 3000 || e2e_fail "OK did not close the settings dialog"
e2e_activate "$E2E_XLOGO_WINDOW"
sleep 0.5
e2e_above "$E2E_XLOGO_WINDOW" "$clock" || e2e_fail "OnTop=0 by OK: xlogo does not cover the clock"


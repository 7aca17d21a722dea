#!/bin/bash
# The exit command closes the clock with exit code 1, posted as WM_COMMAND and chosen in
# the real popup menu; the same command with a non-zero high word does nothing.
. "$(dirname "$0")/../lib.sh"
e2e_begin

e2e_start_clock
for wparam in 0x000100CC 0xFFFF00CC 0x000100C8 0x000100C9; do
    e2e_driver command "$E2E_CLOCK_WINDOW" "$wparam"
done
sleep 0.5
e2e_running || e2e_fail "a command with a high word closed the clock"
if e2e_driver find "#32770" - 0 >/dev/null; then
    e2e_fail "a command with a high word opened a dialog"
fi
e2e_driver command "$E2E_CLOCK_WINDOW" 204
e2e_expect_eq "exit code after WM_COMMAND 204" 1 "$(e2e_wait_exit 2)"

# The menu opens centred under the pointer, its top edge at the pointer; the exit item is
# the last, below the separator.
e2e_start_clock
e2e_click 3 80 100
menu=$(e2e_driver find "#32768" - 3000) || e2e_fail "no popup menu after a right click"
read -r left top right bottom <<<"$(e2e_driver rect "$menu")"
e2e_expect_eq "menu top" 100 "$top"
e2e_expect_eq "menu centre" 80 $(((left + right) / 2))
e2e_shot menu >/dev/null
e2e_menu Down Down Down Return
e2e_expect_eq "exit code after the menu's exit item" 1 "$(e2e_wait_exit 2)"

#!/bin/bash
# The clock's one window: a borderless 160 x 160 tool window at the screen's top-left
# corner, whatever the command line says; one that cannot make it says why.
. "$(dirname "$0")/../lib.sh"
e2e_begin

e2e_start_clock /topmost -x 300 300 "C:\\no such.wav"
w=$E2E_CLOCK_WINDOW
e2e_expect_eq "class" "PELIO CLOCK" "$(e2e_driver class "$w")"
e2e_expect_eq "title" "PELIO CLOCK" "$(e2e_driver text "$w")"
e2e_expect_eq "rectangle" "0 0 160 160" "$(e2e_driver rect "$w")"
# The system adds WS_CLIPSIBLINGS to every top-level window.
style=$(e2e_driver style "$w")
e2e_expect_eq "style" 0x90000000 "$(printf '0x%08x' $((style & ~0x04000000)))"
# WS_EX_TOOLWINDOW keeps it off the taskbar; WS_EX_ACCEPTFILES comes with the drop target.
e2e_expect_eq "extended style" 0x00000090 "$(e2e_driver exstyle "$w")"
e2e_expect_eq "topmost without settings" 0 "$(e2e_driver topmost "$w")"
e2e_expect_eq "windows of the process" 1 \
    "$(e2e_driver windows | awk -v pid="$(e2e_driver pid "$w")" '$2 == pid' | wc -l)"
sleep 1.2
e2e_running || e2e_fail "the clock ended by itself"
e2e_expect_eq "settings written at start" "" "$(ls "$E2E_WORK")"

# One clock per working folder. A clock started in another folder runs beside it and comes
# to the front; a second start in the first folder brings the first clock forward and ends.
mkdir "$E2E_ROOT/other"
(cd "$E2E_ROOT/other" && exec timeout 60 wine "$PELIO_EXE" </dev/null >"$E2E_ROOT/other.log" 2>&1) &
other_pid=$!
for _ in $(seq 1 100); do
    other=$(e2e_driver windows | awk -v w="$w" '$3 == "PELIO" && $1 != w { print $1 }')
    [ -n "$other" ] && break
    sleep 0.1
done
e2e_driver answers "$other" 10000 || e2e_fail "no clock of another folder beside the first"
status=0
(cd "$E2E_WORK" && timeout 30 wine "$PELIO_EXE" </dev/null >"$E2E_ROOT/second.log" 2>&1) || status=$?
e2e_expect_eq "exit code of a second start in the same folder" 1 "$status"
e2e_expect_eq "clocks after it" 2 "$(e2e_driver windows | grep -c -F 'PELIO CLOCK')"
e2e_expect_eq "the first clock is brought to the front" "$w" "$(e2e_driver foreground)"
e2e_driver key "$other" ESCAPE
status=0
wait "$other_pid" || status=$?
e2e_expect_eq "exit code of the other folder's clock" 1 "$status"
e2e_driver key "$w" ESCAPE
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 2)"

# No X display answers: no window can be made; the run log names it, the exit code is 1.
DISPLAY=:9999 e2e_launch
e2e_expect_eq "exit code without a display" 1 "$(e2e_wait_exit 20)"
grep -qx "PelioClock: 起動できません: ウィンドウを作れません。" "$E2E_ROOT/clock.log" || e2e_fail "no reason logged"

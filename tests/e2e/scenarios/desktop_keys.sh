#!/bin/bash
# Under a window manager, with the prefix run.sh makes: after a click on the clock, Escape
# closes it with exit code 1 at start, after a drag, after the menu was dismissed, after
# the About box was closed with OK and after the settings dialog was closed with OK and
# with Cancel (mouse clicks on the buttons). The first start is the desktop entry's own
# Exec line, written by install-desktop.sh for a checkout under a folder with blanks; the
# same line without a build says so on screen, and --uninstall removes what was written.
E2E_DESKTOP=1
. "$(dirname "$0")/../lib.sh"
e2e_begin

# A checkout whose path needs quoting and escaping in Exec (a Windows path holds no
# double quote), with a built clock.
checkout="$E2E_ROOT/Pelio Clock \$HOME's copy"
mkdir -p "$checkout/build/win32"
cp -a "$PELIO_SOURCE_DIR/scripts" "$PELIO_SOURCE_DIR/resources" "$checkout/"
cp "$PELIO_EXE" "$checkout/build/win32/PelioClock.exe"
home=$E2E_ROOT/home
mkdir -p "$home/.cache/pelioclock"
# start-clock.sh finds the user's prefix there: this scenario's own, which teardown ends.
ln -s "$E2E_PREFIX" "$home/.cache/pelioclock/$pelio_prefix_name"
env -u PELIO_BUILD HOME="$home" PELIO_NO_BUILD=1 "$checkout/scripts/install-desktop.sh" --autostart \
    "$home/My Clock" >/dev/null
entry=$home/.local/share/applications/pelioclock.desktop
for file in "$entry" "$home/.config/autostart/pelioclock.desktop"; do
    desktop-file-validate "$file" || e2e_fail "desktop-file-validate refused $file"
done

# The entry's Exec line as a launcher reads it: the file's escapes, then the quoting.
mapfile -d '' exec_line < <(python3 - "$entry" <<'PY'
import sys
value = next(l[5:].rstrip('\n') for l in open(sys.argv[1], encoding='utf-8') if l.startswith('Exec='))
value = value.replace('\\\\', '\0').replace('\\s', ' ').replace('\0', '\\')
args, arg, quoted, i, started = [], '', False, 0, False
while i < len(value):
    c = value[i]
    if quoted and c == '\\' and i + 1 < len(value) and value[i + 1] in '"`$\\':
        arg += value[i + 1]; i += 2; continue
    if c == '"':
        quoted = not quoted; started = True
    elif c == ' ' and not quoted:
        if started: args.append(arg)
        arg, started = '', False
    else:
        arg += c; started = True
    i += 1
if started: args.append(arg)
sys.stdout.write(''.join(a.replace('%%', '%') + '\0' for a in args))
PY
)
e2e_expect_eq "Exec program" "$checkout/scripts/start-clock.sh" "${exec_line[0]}"
# start_from_entry: runs the Exec line as a desktop launcher would, in the background.
start_from_entry() {
    rm -f "$E2E_ROOT/entry.status"
    (
        cd /
        status=0
        env -u WINEPREFIX -u PELIO_BUILD HOME="$home" timeout "$E2E_TIMEOUT" "${exec_line[@]}" \
            </dev/null >>"$E2E_ROOT/entry.log" 2>&1 || status=$?
        echo "$status" >"$E2E_ROOT/entry.status"
    ) &
    E2E_CLOCK_PID=$!
}
start_from_entry
E2E_CLOCK_WINDOW=$(e2e_driver find "PELIO CLOCK" "PELIO CLOCK" 20000) \
    || e2e_fail "the entry did not start the clock"
[ -e "$home/My Clock/pelio.wav" ] || e2e_fail "the entry's clock has not its working folder"

# click_escape <case>: a click on the clock, then Escape, must close it.
click_escape() {
    e2e_click 1 45 70
    sleep 0.3
    e2e_key Escape
}

click_escape "at start"
e2e_driver wait-gone "$E2E_CLOCK_WINDOW" 5000 || e2e_fail "at start: Escape after a click did not close the clock"
for i in $(seq 1 100); do [ -f "$E2E_ROOT/entry.status" ] && break; sleep 0.05; done
e2e_expect_eq "start-clock.sh after the clock closed" 0 "$(cat "$E2E_ROOT/entry.status" 2>/dev/null)"
wait "$E2E_CLOCK_PID" 2>/dev/null || true
E2E_CLOCK_PID=""

# click_button <dialog> <id>: a mouse click in the middle of a dialog's button.
click_button() {
    local l t r b
    read -r l t r b <<<"$(e2e_driver rect "$(e2e_driver item "$1" "$2")")"
    e2e_click 1 $(((l + r) / 2)) $(((t + b) / 2))
    e2e_driver wait-gone "$1" 3000 || e2e_fail "a click on button $2 did not close the dialog"
}
open_from_menu() { e2e_open_from_menu 45 70 "$@"; }

for case in drag menu about settings-ok settings-cancel; do
    e2e_start_clock
    case $case in
    drag)
        e2e_drag 45 70 245 170
        e2e_drag 245 170 45 70
        ;;
    menu)
        e2e_click 3 45 70
        menu=$(e2e_driver find "#32768" - 3000) || e2e_fail "the menu did not open"
        e2e_key Escape
        e2e_menu_closed "$menu" || e2e_fail "Escape did not dismiss the menu"
        ;;
    about) click_button "$(open_from_menu 2 "ﾊﾞｰｼﾞｮﾝ情報")" 1 ;;
    settings-ok) click_button "$(open_from_menu 1 "ペリオクロック設定")" 1 ;;
    settings-cancel) click_button "$(open_from_menu 1 "ペリオクロック設定")" 2 ;;
    esac
    sleep 0.3
    click_escape
    e2e_expect_eq "exit code after $case, a click and Escape" 1 "$(e2e_wait_exit 5)"
done

# Without the build the entry's start says so in a window of its own, and starts nothing.
rm "$checkout/build/win32/PelioClock.exe"
start_from_entry
timeout 10 xdotool search --sync --onlyvisible --name '^PelioClock$' >/dev/null \
    || e2e_fail "a start without the build showed no message"
e2e_shot no_build >/dev/null

HOME=$home "$checkout/scripts/install-desktop.sh" --autostart --uninstall >/dev/null
left=$(find "$home/.local" "$home/.config" -type f)
e2e_expect_eq "files left after --uninstall" "" "$left"

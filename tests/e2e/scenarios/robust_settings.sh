#!/bin/bash
# Damaged settings files: 10,000 lines of garbage, a 64 KB value, repeated keys, a folder
# in the file's place and a read-only file. Each time the clock starts, takes what it can
# read, and after an OK in the settings dialog every alarm key in the file reads back as
# the alarm that was committed (the dialog's list, then free slots); it still closes with
# exit code 1.
. "$(dirname "$0")/../lib.sh"
e2e_begin
ini=$E2E_WORK/PelioClock.ini

# The value of a key in the clock's section (its first occurrence, as the profile
# functions read it).
ini_value() {
    iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r' | awk -v k="$1" '
        /^\[/ { inside = (tolower($0) == "[pelioclock]"); next }
        inside && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}

# Opens the settings dialog, presses OK, and checks the file against the committed list.
ok_and_check_file() {
    local case=$1 dialog lines count slot line expected
    e2e_driver command "$E2E_CLOCK_WINDOW" 200 >/dev/null
    dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 5000) || e2e_fail "$case: no settings dialog"
    lines=$(e2e_driver list "$dialog" 1016)
    count=$(e2e_driver list-count "$dialog" 1016)
    e2e_driver click "$dialog" 1 >/dev/null
    e2e_driver wait-gone "$dialog" 5000 >/dev/null || e2e_fail "$case: OK did not close the dialog"
    [ -f "$ini" ] || return 0
    slot=0
    while IFS= read -r line; do
        [ -n "$line" ] || continue
        # "HH : MM   path" becomes "HH:MM path".
        expected="${line:0:2}:${line:5:2} ${line:10}"
        e2e_expect_eq "$case: ALM$(printf %02d $slot)" "$expected" "$(ini_value "ALM$(printf %02d $slot)")"
        slot=$((slot + 1))
    done <<<"$lines"
    e2e_expect_eq "$case: listed alarms" "$count" "$slot"
    for ((; slot < 48; slot++)); do
        case $(ini_value "ALM$(printf %02d $slot)") in
            "99:99" | "99:99 ") ;;
            *) e2e_fail "$case: ALM$(printf %02d $slot) is not a free slot" ;;
        esac
    done
}

run_case() {
    e2e_start_clock
    ok_and_check_file "$1"
    e2e_running || e2e_fail "$1: the clock ended"
    e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
    e2e_expect_eq "$1: exit code" 1 "$(e2e_wait_exit 5)"
    rm -rf "$ini"
}

# Garbage with a few readable keys among it; the section header appears twice.
python3 - "$ini" <<'PY'
import random, sys
rng = random.Random(7)
lines = []
for i in range(10000):
    kind = rng.randrange(6)
    if kind == 0:
        lines.append("".join(chr(rng.randrange(32, 127)) for _ in range(rng.randrange(0, 120))))
    elif kind == 1:
        lines.append("ALM%02d=%s" % (rng.randrange(60), "".join(chr(rng.randrange(32, 127)) for _ in range(rng.randrange(0, 40)))))
    elif kind == 2:
        lines.append("[%s]" % "".join(chr(rng.randrange(65, 91)) for _ in range(5)))
    elif kind == 3:
        lines.append("=" * rng.randrange(1, 30))
    else:
        lines.append("key%d=\x83\x41\x83\x5a%d" % (i, rng.randrange(1000)))
    if i == 5000:
        lines += ["[PelioClock]", "ALM00=07:30 a.wav", "Alarm=1"]
with open(sys.argv[1], "wb") as f:
    f.write("\r\n".join(lines).encode("latin-1") + b"\r\n")
PY
run_case "garbage"

python3 - "$ini" <<'PY'
import sys
with open(sys.argv[1], "wb") as f:
    f.write(b"[PelioClock]\r\nALM00=07:30 " + b"x" * 65536 + b".wav\r\nALM01=08:15 b.wav\r\n")
PY
run_case "64 KB value"

printf '[PelioClock]\r\nALM00=06:00 first.wav\r\nALM00=07:00 second.wav\r\n[PelioClock]\r\nALM01=09:00 c.wav\r\nALM01=10:00 d.wav\r\n' >"$ini"
run_case "repeated keys"

mkdir "$ini"
e2e_start_clock
ok_and_check_file "a folder"
e2e_running || e2e_fail "a folder: the clock ended"
[ -d "$ini" ] || e2e_fail "a folder: the folder was replaced"
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
e2e_expect_eq "a folder: exit code" 1 "$(e2e_wait_exit 5)"
rmdir "$ini"

printf '[PelioClock]\r\nALM00=05:45 r.wav\r\nAlarm=1\r\n' >"$ini"
chmod a-w "$ini"
run_case "read-only file"

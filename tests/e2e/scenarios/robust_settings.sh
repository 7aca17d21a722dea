#!/bin/bash
# Damaged settings files: 10,000 lines of garbage, a 64 KB value, repeated keys, a
# read-only file and a folder in the file's place. Each time the clock starts, takes what
# it can read, and after an OK in the settings dialog every alarm key in the file reads
# back as the alarm that was committed (the dialog's list, then free slots); it still
# closes with exit code 1. Where the file cannot be written, OK says so once and the
# committed settings stay in effect for the run.
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

SaveFailedText="設定をPelioClock.iniに保存できませんでした。"

# ok_and_check_file <case> [unwritable]: opens the settings dialog, presses OK, and checks
# the file against the committed list; or, when the file cannot be written, that OK says
# so and leaves the file as it was.
ok_and_check_file() {
    local case=$1 dialog lines count slot line expected before
    before=$(cat "$ini")
    e2e_driver command "$E2E_CLOCK_WINDOW" 200 >/dev/null
    dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 5000) || e2e_fail "$case: no settings dialog"
    lines=$(e2e_driver list "$dialog" 1016)
    count=$(e2e_driver list-count "$dialog" 1016)
    e2e_driver click "$dialog" 1 >/dev/null
    if [ -n "${2:-}" ]; then
        e2e_expect_eq "$case: message" "$SaveFailedText" "$(e2e_driver msgbox-ok "PelioClock" 5000)"
    fi
    e2e_driver wait-gone "$dialog" 5000 >/dev/null || e2e_fail "$case: OK did not close the dialog"
    if [ -n "${2:-}" ]; then
        e2e_expect_eq "$case: the file" "$before" "$(cat "$ini")"
        return 0
    fi
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
    ok_and_check_file "$@"
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

printf '[PelioClock]\r\nALM00=05:45 r.wav\r\nAlarm=1\r\n' >"$ini"
chmod a-w "$ini"
# The superuser writes a read-only file all the same.
if [ -w "$ini" ]; then
    run_case "read-only file"
else
    run_case "read-only file" unwritable
fi

# A folder in the file's place. An alarm in this minute is registered, アラームあり ticked
# and OK pressed: one message says the file could not be written, the alarm rings, and
# the ALARM label shows. The dialog opens again on the settings in effect, not on what
# the folder reads as (the defaults, alarms off).
mkdir "$ini"
sox -n -r 22050 -c 1 -b 16 "$E2E_WORK/tone.wav" synth 0.3 sine 880 vol 0.5
rm -f "$E2E_CAPTURE"/cap-*
# Half a minute is time enough to start the clock and commit the alarm inside its minute.
second=$(date +%-S)
[ "$second" -lt 30 ] || sleep $((61 - second))
minute=$(date +%H:%M)
# The folder reads as the defaults, which hold an alarm with the chime at every full hour:
# in minute 00 that one is the alarm, since registering its minute again is refused.
if [ "${minute#*:}" = 00 ]; then
    line="${minute%:*} : 00   pelio.wav"
else
    line="${minute%:*} : ${minute#*:}   tone.wav"
fi

e2e_start_clock
e2e_driver command "$E2E_CLOCK_WINDOW" 200 >/dev/null
dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 5000) || e2e_fail "a folder: no settings dialog"
if [ "${minute#*:}" != 00 ]; then
    e2e_driver set-text "$dialog" 1018 "${minute%:*}" >/dev/null
    e2e_driver set-text "$dialog" 1019 "${minute#*:}" >/dev/null
    e2e_driver set-text "$dialog" 1005 tone.wav >/dev/null
    e2e_driver click "$dialog" 5 >/dev/null
fi
e2e_driver set-check "$dialog" 1032 1 >/dev/null
e2e_driver click "$dialog" 1 >/dev/null
text=$(e2e_driver msgbox-ok "PelioClock" 5000) || e2e_fail "a folder: OK said nothing"
e2e_expect_eq "a folder: message" "$SaveFailedText" "$text"
e2e_driver wait-gone "$dialog" 5000 >/dev/null || e2e_fail "a folder: the dialog stayed after one message"
[ -d "$ini" ] || e2e_fail "a folder: the folder was replaced"
for _ in $(seq 1 100); do
    compgen -G "$E2E_CAPTURE/cap-*" >/dev/null && break
    sleep 0.1
done
compgen -G "$E2E_CAPTURE/cap-*" >/dev/null || e2e_fail "a folder: the alarm at $minute did not ring"
# The label comes with the next face drawn after OK.
for _ in $(seq 1 20); do
    read -r shown lit <<<"$(e2e_alarm_label "$(e2e_shot folder-after-ok)")"
    [ $((shown * 10)) -lt $((lit * 8)) ] || break
    sleep 0.5
done
[ $((shown * 10)) -ge $((lit * 8)) ] || e2e_fail "a folder: ALARM label: $shown of $lit pixels shown"

e2e_driver command "$E2E_CLOCK_WINDOW" 200 >/dev/null
dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 5000) || e2e_fail "a folder: no dialog the second time"
e2e_expect_eq "a folder: アラームあり when reopened" 1 "$(e2e_driver check "$dialog" 1032)"
e2e_driver list "$dialog" 1016 | grep -xF "$line" >/dev/null || e2e_fail "a folder: $line not listed when reopened"
e2e_driver click "$dialog" 2 >/dev/null
e2e_driver wait-gone "$dialog" 5000 >/dev/null || e2e_fail "a folder: Cancel did not close the dialog"
e2e_running || e2e_fail "a folder: the clock ended"
# Nor can the place be kept after a drag: that goes without a word.
e2e_drag 80 80 300 300
! e2e_driver msgbox "PelioClock" 1500 >/dev/null || e2e_fail "a folder: a message after the drag"
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
e2e_expect_eq "a folder: exit code" 1 "$(e2e_wait_exit 5)"
rmdir "$ini"

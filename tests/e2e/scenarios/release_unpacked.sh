#!/bin/bash
# The release archive as a user gets it: unpacked into a folder whose name has a blank and
# Japanese characters, the names read as Explorer on a Japanese Windows reads them, and
# started from there as a double click starts it (the working directory is that folder).
# The first face shows; an alarm registered for the current minute on the shipped chime
# with the file chooser's kind of path, and alarms switched on, goes with OK into
# PelioClock.ini in that folder and rings through MCI with the chime.
# Packing and a wait for a minute with time enough left take longer than most scenarios.
E2E_TIMEOUT=${E2E_TIMEOUT:-100}
. "$(dirname "$0")/display_face.bash"
e2e_begin

# The already-built exe is packed, as scripts/package.sh does for a release.
archive=$(PELIO_BUILD=$(dirname "$PELIO_BUILD_DIR") PELIO_DIST=$E2E_ROOT/dist \
    "$PELIO_SOURCE_DIR/scripts/package.sh" | sed -n 1p)
# In code page 932 the second byte of "オ" is "I": the path must come through the
# settings dialog's lower-casing of its letters whole.
E2E_WORK="$E2E_ROOT/ペリオ 時計"
mkdir "$E2E_WORK"
python3 - "$archive" "$E2E_WORK" <<'PY'
import os, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    for entry in z.infolist():
        name = entry.filename
        if not entry.flag_bits & 0x800:
            name = name.encode("cp437").decode("cp932")
        with open(os.path.join(sys.argv[2], name), "wb") as out:
            out.write(z.read(entry))
PY
e2e_expect_eq "unpacked" "$(printf 'PelioClock.exe\npelio.wav\nはじめにお読みください.txt')" \
    "$(ls "$E2E_WORK")"
# A host that runs no 32-bit code runs the x86_64 build of the same sources in its place.
if [ "$PELIO_WINDOWS_ARCH" = x86_64 ]; then
    e2e_log "the host runs no 32-bit code: the x86_64 exe stands in for the archive's"
    cp "$PELIO_EXE" "$E2E_WORK/PelioClock.exe"
fi
PELIO_EXE=$E2E_WORK/PelioClock.exe

e2e_start_clock
pointer 600 500
sleep 1.2
face_shot first_face 0 0 no >/dev/null

e2e_click 3 100 110
e2e_menu Down Return
dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 3000) || e2e_fail "the settings dialog did not open"
chime=$(e2e_windows_path "$E2E_WORK/pelio.wav")
# The minute the alarm is registered for, with time enough left in it to register, save
# and ring; the dialog may wait open for the next one.
second=$(date +%-S)
[ "$second" -lt 40 ] || sleep $((61 - second))
minute=$(date +%H:%M)
# At a full hour the default alarm on "pelio.wav" in the working folder is already there.
if [ "${minute#*:}" != 00 ]; then
    e2e_driver set-text "$dialog" 1018 "${minute%:*}" >/dev/null
    e2e_driver set-text "$dialog" 1019 "${minute#*:}" >/dev/null
    e2e_driver set-text "$dialog" 1005 "$chime" >/dev/null
    e2e_driver click "$dialog" 5 >/dev/null
    for _ in $(seq 1 30); do
        [ "$(e2e_driver list-count "$dialog" 1016)" = 25 ] && break
        sleep 0.1
    done
    e2e_expect_eq "alarms listed after registering" 25 "$(e2e_driver list-count "$dialog" 1016)"
fi
e2e_driver set-check "$dialog" 1032 1 >/dev/null
e2e_driver click "$dialog" 1 >/dev/null
e2e_driver wait-gone "$dialog" 3000 || e2e_fail "OK did not close the dialog"

[ -f "$E2E_WORK/PelioClock.ini" ] || e2e_fail "OK wrote no PelioClock.ini in the clock's folder"
[ ! -e "$E2E_PREFIX/drive_c/windows/PelioClock.ini" ] || e2e_fail "the settings went to C:\\windows"
ini=$(iconv -f CP932 -t UTF-8 "$E2E_WORK/PelioClock.ini" | tr -d '\r')
grep -qx 'Alarm=1' <<<"$ini" || e2e_fail "Alarm=1 not saved: $ini"
if [ "${minute#*:}" != 00 ]; then
    line=$(grep -E "^ALM[0-9]{2}=$minute " <<<"$ini") || e2e_fail "no alarm at $minute saved: $ini"
    e2e_expect_eq "saved alarm" "$minute ${chime,,}" "${line#*=}"
fi

# The sink plays faster than real time: the whole chime is there within a second or two.
sox "$E2E_WORK/pelio.wav" -t raw "$E2E_ROOT/chime.raw"
capture=$E2E_CAPTURE/cap-22050-1-16-S16_LE.raw
for _ in $(seq 1 150); do
    [ "$(stat -c %s "$capture" 2>/dev/null || echo 0)" -ge "$(stat -c %s "$E2E_ROOT/chime.raw")" ] && break
    sleep 0.1
done
[ -f "$capture" ] || e2e_fail "the alarm at $minute did not ring: $(ls "$E2E_CAPTURE")"
e2e_capture_holds "$capture" "$E2E_ROOT/chime.raw" || e2e_fail "the capture is not the shipped chime"

e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 10)"

#!/bin/bash
# The Debian package: lintian finds no error; installed by dpkg into a root of its own,
# its desktop entry's command starts the clock with a fresh HOME on a desktop with
# PulseAudio, which hears an alarm on the chime the command put into ~/PelioClock; removed,
# it leaves nothing under /usr.
E2E_DESKTOP=1
E2E_TIMEOUT=150
. "$PELIO_SOURCE_DIR/tests/e2e/lib.sh"
e2e_begin
unset ALSA_CONFIG_PATH CAPTURE_DIR

deb=$(PELIO_BUILD=$(dirname "$PELIO_BUILD_DIR") PELIO_DIST=$E2E_ROOT/dist \
    "$PELIO_SOURCE_DIR/scripts/package.sh" | sed -n 2p)
lintian --fail-on error "$deb" >"$E2E_RESULT_DIR/lintian.log" 2>&1 ||
    e2e_fail "lintian: $(cat "$E2E_RESULT_DIR/lintian.log")"
root=$E2E_ROOT/root
mkdir -p "$root/var/lib/dpkg/updates" && touch "$root/var/lib/dpkg/status"
# The scratch root has none of the dependencies: this machine's are used.
dpkg --root="$root" --force-depends -i "$deb" >"$E2E_ROOT/dpkg.log" 2>&1 ||
    e2e_fail "dpkg -i: $(cat "$E2E_ROOT/dpkg.log")"

home=$E2E_ROOT/home
# The command finds the user's prefix there: this scenario's own, which teardown ends.
mkdir -p "$home/.cache/pelioclock" "$home/PelioClock"
ln -s "$E2E_PREFIX" "$home/.cache/pelioclock/$pelio_prefix_name"
e2e_start_sound_server "$home"
second=$(date +%-S)
[ "$second" -lt 45 ] || sleep $((61 - second))
printf '[PelioClock]\r\nALM00=%s pelio.wav\r\nALM01=99:99 \r\nAlarm=1\r\n' "$(date +%H:%M)" \
    >"$home/PelioClock/PelioClock.ini"
command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/pelioclock.desktop")
(env -u WINEPREFIX -u PELIO_ROOT HOME="$home" PATH="$root/usr/bin:$PATH" sh -c "$command" \
    </dev/null >"$E2E_ROOT/pelioclock.log" 2>&1) &
E2E_CLOCK_PID=$!
E2E_CLOCK_WINDOW=$(e2e_driver find "PELIO CLOCK" "PELIO CLOCK" 20000) || e2e_fail "the clock did not start"
peak=0
for _ in $(seq 1 100); do
    peak=$(sox -t raw -r 44100 -c 2 -e signed -b 16 "$E2E_RESULT_DIR/desk.raw" -n stat 2>&1 |
        awk '/Maximum amplitude/ { print $3 }')
    awk "BEGIN { exit !($peak > 0.1) }" && break
    sleep 0.25
done
awk "BEGIN { exit !($peak > 0.1) }" || e2e_fail "the alarm was not heard (peak $peak)"
e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
wait "$E2E_CLOCK_PID" || e2e_fail "pelioclock failed: $(cat "$E2E_ROOT/pelioclock.log")"

dpkg --root="$root" --remove pelioclock >>"$E2E_ROOT/dpkg.log" 2>&1 || e2e_fail "dpkg --remove failed"
left=$(find "$root/usr" 2>/dev/null || true)
[ -z "$left" ] || e2e_fail "left after removal: $left"

# Sourced by every end-to-end scenario: runs the real PelioClock.exe under Wine in a
# private Xvfb, with a private prefix and an ALSA sink that captures everything played.
# See README.md beside this file for the functions and the environment.
set -eu -o pipefail

: "${PELIO_SOURCE_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
: "${PELIO_BUILD_DIR:=${PELIO_BUILD:-$PELIO_SOURCE_DIR/build}/win32}"
: "${PELIO_EXE:=$PELIO_BUILD_DIR/PelioClock.exe}"
: "${PELIO_DRIVER:=$PELIO_BUILD_DIR/tests/e2e/driver/e2e_driver.exe}"
: "${PELIO_NATIVE_BUILD:=$(dirname "$PELIO_BUILD_DIR")/native}"
: "${E2E_RESULTS:=$PELIO_BUILD_DIR/e2e-results}"
: "${E2E_TEMPLATE:=$(dirname "$PELIO_BUILD_DIR")/e2e-template}"
: "${E2E_DESKTOP_TEMPLATE:=$(dirname "$PELIO_BUILD_DIR")/desktop-template}"
: "${E2E_TIMEOUT:=60}"

E2E_NAME=$(basename "$0" .sh)
E2E_RESULT_DIR=$E2E_RESULTS/$E2E_NAME
E2E_CLOCK_PID=""
E2E_WATCHDOG_PID=""
E2E_WM_PID=""
E2E_XLOGO_PID=""
E2E_SOUND_SERVER_PID=""
E2E_ROOT=""
E2E_PREFIX=""
E2E_WORK=""
E2E_CAPTURE=""

. "$PELIO_SOURCE_DIR/scripts/wine-env.sh"
. "$PELIO_SOURCE_DIR/tests/e2e/xserver.sh"
. "$PELIO_SOURCE_DIR/tests/e2e/prefix.sh"

e2e_log() { echo "[$E2E_NAME] $*" >&2; }

# Ends the scenario as failed; the results folder is kept.
e2e_fail() {
    e2e_log "FAIL: $*"
    exit 1
}

# e2e_expect_eq <what> <expected> <actual>
e2e_expect_eq() {
    [ "$2" = "$3" ] || e2e_fail "$1: expected '$2', got '$3'"
}

# Makes the template prefix when the test run has not: only one scenario makes it.
e2e_template_ready() {
    [ -f "$E2E_TEMPLATE/.no-debugger" ] && pelio_prefix_current "$E2E_TEMPLATE" bare && return 0
    mkdir -p "$(dirname "$E2E_TEMPLATE")"
    (
        flock 8
        pelio_make_e2e_template "$E2E_TEMPLATE" || { cat "$E2E_TEMPLATE.log" >&2; exit 1; }
    ) 8>"$E2E_TEMPLATE.lock"
}

# The desktop scenarios' template, made as scripts/run.sh makes the user's prefix.
e2e_desktop_template_ready() {
    pelio_prefix_current "$E2E_DESKTOP_TEMPLATE" desktop && return 0
    mkdir -p "$(dirname "$E2E_DESKTOP_TEMPLATE")"
    (
        flock 8
        pelio_make_desktop_template "$E2E_DESKTOP_TEMPLATE" \
            || { cat "$E2E_DESKTOP_TEMPLATE.log" >&2; exit 1; }
    ) 8>"$E2E_DESKTOP_TEMPLATE.lock"
}

# e2e_begin [depth]: Xvfb at that depth (24, 16, 15 or 8; E2E_SCREEN=WxH), a copy of the
# template prefix, a working directory and a capture directory; everything is torn down
# when the scenario exits, however it exits.
e2e_begin() {
    local depth=${1:-24}
    trap e2e_teardown EXIT
    trap 'e2e_log "FAIL: line $LINENO (status $?): $(sed -n "${LINENO}s/^ *//p" "$0")"' ERR
    trap 'exit 143' TERM INT HUP
    rm -rf "$E2E_RESULT_DIR"
    mkdir -p "$E2E_RESULT_DIR"
    # Scratch folders of runs that were killed without their teardown.
    find "$E2E_RESULTS" -maxdepth 1 -name ".run-$E2E_NAME.*" -mmin +10 -exec rm -rf {} + \
        2>/dev/null || true
    local template=$E2E_TEMPLATE
    if [ -n "${E2E_DESKTOP:-}" ]; then
        e2e_desktop_template_ready
        template=$E2E_DESKTOP_TEMPLATE
    else
        e2e_template_ready
    fi
    E2E_ROOT=$(mktemp -d "$E2E_RESULTS/.run-$E2E_NAME.XXXXXX")
    E2E_PREFIX=$E2E_ROOT/prefix
    E2E_WORK=$E2E_ROOT/work
    E2E_CAPTURE=$E2E_ROOT/capture
    mkdir -p "$E2E_WORK" "$E2E_CAPTURE"
    cp -a "$template" "$E2E_PREFIX"
    # A desktop prefix lets Wine look for a sound server, found through this folder: none
    # but the scenario's own, never the session's of whoever runs the tests.
    if [ -n "${E2E_DESKTOP:-}" ]; then
        export XDG_RUNTIME_DIR=$E2E_ROOT/runtime
        mkdir -m 700 "$XDG_RUNTIME_DIR"
    fi

    export WINEPREFIX=$E2E_PREFIX WINEDEBUG=${E2E_WINEDEBUG:--all} LC_ALL=ja_JP.UTF-8
    export CAPTURE_DIR=$E2E_CAPTURE ALSA_CONFIG_PATH=$E2E_ROOT/asound.conf
    export E2E_WORK E2E_CAPTURE E2E_PREFIX
    cat >"$ALSA_CONFIG_PATH" <<'ALSA'
pcm.!default {
    type file
    slave.pcm { type null }
    file { @func concat strings [ { @func getenv vars [ CAPTURE_DIR ] default "." } "/cap-%r-%c-%b-%f.raw" ] }
    format "raw"
    truncate false
}
ctl.!default { type hw card 0 }
ALSA

    local size=${E2E_SCREEN:-1024x768}
    [ -z "${E2E_DESKTOP:-}" ] || size=${E2E_SCREEN:-1280x800}
    PELIO_SCREEN_SIZE=$size pelio_start_xserver "$depth" "$E2E_ROOT/xvfb.log"
    E2E_DISPLAY=$DISPLAY
    export E2E_DISPLAY
    [ -z "${E2E_DESKTOP:-}" ] || e2e_start_window_manager

    # The scenario is stopped from inside before ctest's own time-out would kill it
    # without its teardown. Bash runs a trap only once its foreground command has ended,
    # so the scenario's other children are stopped too.
    (
        trap 'kill "$nap" 2>/dev/null; exit 0' TERM
        sleep "$E2E_TIMEOUT" & nap=$!
        wait "$nap"
        echo "[$E2E_NAME] FAIL: the scenario took longer than ${E2E_TIMEOUT}s" >&2
        kill -TERM $$
        for child in $(pgrep -P $$); do
            [ "$child" = "$BASHPID" ] || kill -TERM "$child" 2>/dev/null
        done
    ) </dev/null >/dev/null &
    E2E_WATCHDOG_PID=$!

    # Xvfb's one output hides the monitors from Wine's XRandR path, not from Xinerama,
    # which Wine takes at its next start.
    if [ "$size" != "${size% *}" ]; then
        e2e_registry 'HKCU\Software\Wine\X11 Driver' UseXRandR REG_SZ N
        WINEPREFIX=$E2E_PREFIX timeout 10 sh -c 'wineserver -k; wineserver -w' </dev/null >/dev/null 2>&1
    fi
    # Starts the prefix's wineserver and services now, so the clock's start is not
    # timed with the prefix's first boot.
    timeout 30 wine cmd /c exit </dev/null >"$E2E_ROOT/warmup.log" 2>&1 || true
}

# e2e_restart_xserver <size>...: Wine ends and the X server comes back with other monitors.
e2e_restart_xserver() {
    WINEPREFIX=$E2E_PREFIX timeout 10 wineserver -k </dev/null >/dev/null 2>&1 || true
    WINEPREFIX=$E2E_PREFIX timeout 10 wineserver -w </dev/null >/dev/null 2>&1 || true
    pelio_stop_xserver
    PELIO_SCREEN_SIZE="$*" pelio_start_xserver 24 "$E2E_ROOT/xvfb.log"
    E2E_DISPLAY=$DISPLAY
    timeout 30 wine cmd /c exit </dev/null >>"$E2E_ROOT/warmup.log" 2>&1 || true
}

e2e_teardown() {
    local status=$?
    set +e
    trap - TERM INT HUP
    # Killing the prefix's wineserver ends every Windows process in it, the clock too,
    # and so the background job that waits for the clock.
    if [ -n "$E2E_PREFIX" ]; then
        WINEPREFIX=$E2E_PREFIX timeout 10 wineserver -k </dev/null >/dev/null 2>&1
        WINEPREFIX=$E2E_PREFIX timeout 10 wineserver -w </dev/null >/dev/null 2>&1
    fi
    if [ -n "$E2E_CLOCK_PID" ]; then
        kill "$E2E_CLOCK_PID" 2>/dev/null
        wait "$E2E_CLOCK_PID" 2>/dev/null
    fi
    local pid
    for pid in "$E2E_XLOGO_PID" "$E2E_WM_PID" "$E2E_SOUND_SERVER_PID"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    pelio_stop_xserver
    if [ -n "$E2E_WATCHDOG_PID" ]; then
        kill "$E2E_WATCHDOG_PID" 2>/dev/null
        wait "$E2E_WATCHDOG_PID" 2>/dev/null
    fi
    if [ -n "$E2E_ROOT" ]; then
        if [ "$status" -ne 0 ] || [ -n "${E2E_KEEP:-}" ]; then
            cp -a "$E2E_WORK" "$E2E_RESULT_DIR/work" 2>/dev/null
            cp -a "$E2E_CAPTURE" "$E2E_RESULT_DIR/capture" 2>/dev/null
            cp "$E2E_ROOT"/*.log "$E2E_RESULT_DIR/" 2>/dev/null
        fi
        rm -rf "$E2E_ROOT"
    fi
    if [ "$status" -eq 0 ] && [ -z "${E2E_KEEP:-}" ]; then
        rm -rf "$E2E_RESULT_DIR"
    else
        e2e_log "results kept in $E2E_RESULT_DIR"
    fi
    exit "$status"
}

# e2e_driver <command> [args...]: runs the driver and prints its answer; its exit status
# is the driver's. Wine's output goes through a file: its helper processes would hold a pipe.
# Each call has its own answer file: calls may run at once within one pipeline.
# What the driver says when it fails is logged with the command.
e2e_driver() {
    local out status=0
    out=$(mktemp "$E2E_ROOT/driver.XXXXXX")
    timeout "${E2E_DRIVER_TIMEOUT:-20}" wine "$PELIO_DRIVER" "$@" \
        </dev/null >"$out" 2>"$out.err" || status=$?
    cat "$out"
    [ "$status" -eq 0 ] || [ ! -s "$out.err" ] || e2e_log "e2e_driver $*: $(tr -d '\r' <"$out.err")"
    cat "$out.err" >>"$E2E_ROOT/driver.log"
    rm -f "$out" "$out.err"
    return "$status"
}

# e2e_launch [args...]: starts PelioClock.exe with those arguments in $E2E_WORK, in the
# background, without waiting for its window (for starts that are meant to fail). The
# clock's exit code goes to a status file, so e2e_wait_exit works from a command
# substitution too.
E2E_CLOCK_RUNS=0
e2e_launch() {
    if e2e_running; then
        e2e_fail "e2e_launch: the clock is still running"
    fi
    [ -z "$E2E_CLOCK_PID" ] || wait "$E2E_CLOCK_PID" 2>/dev/null || true
    E2E_CLOCK_RUNS=$((E2E_CLOCK_RUNS + 1))
    local status_file=$E2E_ROOT/clock-$E2E_CLOCK_RUNS.status
    local program=("$PELIO_EXE")
    # With E2E_SHOW the driver starts the clock with that show command (0 SW_HIDE,
    # 7 SW_SHOWMINNOACTIVE...) and passes its exit code on.
    [ -z "${E2E_SHOW:-}" ] ||
        program=("$PELIO_DRIVER" run "$E2E_SHOW" "$(e2e_windows_path "$PELIO_EXE")")
    (
        cd "$E2E_WORK"
        status=0
        timeout "$E2E_TIMEOUT" wine "${program[@]}" "$@" </dev/null >>"$E2E_ROOT/clock.log" 2>&1 \
            || status=$?
        echo "$status" >"$status_file.part"
        mv "$status_file.part" "$status_file"
    ) &
    E2E_CLOCK_PID=$!
}

# e2e_registry <key> <name> <type> <data>: a value in the scenario's prefix, for the
# programs started after it (LogPixels under HKCU\Control Panel\Desktop: the system DPI).
e2e_registry() {
    timeout 30 wine reg add "$1" /v "$2" /t "$3" /d "$4" /f </dev/null \
        >>"$E2E_ROOT/warmup.log" 2>&1 || e2e_fail "could not set $1\\$2"
}

# e2e_windows_path <absolute-path>: the same file as Wine names it, on drive Z:.
e2e_windows_path() {
    local path=$1
    echo "Z:${path//\//\\}"
}

# e2e_start_clock [args...]: e2e_launch, then waits up to 10 s for the clock's window and
# sets E2E_CLOCK_WINDOW to its handle. The window shows before the settings file is read:
# the start is over once the clock answers from its message loop.
e2e_start_clock() {
    e2e_launch "$@"
    E2E_CLOCK_WINDOW=$(e2e_driver find "PELIO CLOCK" "PELIO CLOCK" 10000) \
        || e2e_fail "the clock window did not appear$(e2e_running || echo "; the clock exited")"
    e2e_driver answers "$E2E_CLOCK_WINDOW" 10000 || e2e_fail "the clock did not finish starting"
}

# e2e_wait_exit [seconds]: waits for the clock to end and prints its exit code; fails
# the scenario when it is still running after that many seconds (default 5).
e2e_wait_exit() {
    local limit=${1:-5} status_file=$E2E_ROOT/clock-$E2E_CLOCK_RUNS.status steps i
    [ "$E2E_CLOCK_RUNS" -gt 0 ] || e2e_fail "e2e_wait_exit: no clock was started"
    steps=$(awk "BEGIN { print int($limit * 20) }")
    for ((i = 0; i < steps; i++)); do
        [ -f "$status_file" ] && break
        sleep 0.05
    done
    [ -f "$status_file" ] || e2e_fail "the clock did not exit within ${limit}s"
    cat "$status_file"
}

# e2e_running: true while the clock started last has not exited.
e2e_running() {
    [ "$E2E_CLOCK_RUNS" -gt 0 ] && [ ! -f "$E2E_ROOT/clock-$E2E_CLOCK_RUNS.status" ]
}

# e2e_shot <name>: screenshot of the whole screen; prints the PNG's path.
e2e_shot() {
    local file=$E2E_RESULT_DIR/$1.png
    import -display "$E2E_DISPLAY" -window root "$file"
    echo "$file"
}

# e2e_pixel <png> <x> <y>: prints the pixel as "srgb(r,g,b)".
e2e_pixel() {
    convert "$1" -format "%[pixel:p{$2,$3}]" info:
}

# e2e_alarm_label <png>: prints how many of the ALARM label's lit pixels the screenshot
# shows in place, and how many there are that no hand passes over: "shown lit". The clock
# sits at the screen's origin and the label at (45, 100), 32 by 18 pixels.
e2e_alarm_label() {
    local font=$PELIO_SOURCE_DIR/resources/IDB_FONT.bmp
    paste <(convert "$font" -crop 32x18+176+0 +repage -alpha off -depth 8 txt:- | awk 'NR > 1 { print $2 }') \
          <(convert "$1" -crop 32x18+45+100 +repage -alpha off -depth 8 txt:- | awk 'NR > 1 { print $2 }') |
        awk '# A hand over the label: its edges are white, grey or the minute hand'"'"'s red,
             # its fill lightens what lies below in every channel.
             function hand(label, shot,   l, s, i) {
                 if (shot == "(255,255,255)" || shot == "(128,128,128)" || shot == "(228,128,128)")
                     return 1
                 gsub(/[()]/, "", label); gsub(/[()]/, "", shot)
                 split(label, l, ","); split(shot, s, ",")
                 for (i = 1; i <= 3; i++) if (s[i] + 0 < l[i] + 0) return 0
                 return 1
             }
             $1 != "(0,0,0)" { lit++; if ($1 == $2) shown++; else if (hand($1, $2)) covered++ }
             # The hands never hide half of the label; more looks covered only when the
             # label is missing and the picture below is lighter than it.
             END { if (covered * 2 > lit) covered = 0; printf "%d %d\n", shown, lit - covered }'
}

# e2e_key <keysym>...: X key presses to the focused window.
e2e_key() {
    xdotool key --delay 50 "$@"
}

# e2e_click <button> <x> <y>: a click at a screen point, reached from 4 pixels off as by hand.
e2e_click() {
    xdotool mousemove $(($2 - 4)) $(($3 - 4)) sleep 0.05 mousemove "$2" "$3" sleep 0.05 click "$1"
}

# e2e_drag <x0> <y0> <x1> <y1>: left-button drag in a few steps.
e2e_drag() {
    local x0=$1 y0=$2 x1=$3 y1=$4 i
    xdotool mousemove "$x0" "$y0" sleep 0.1 mousedown 1 sleep 0.1
    for i in 1 2 3 4; do
        xdotool mousemove $((x0 + (x1 - x0) * i / 4)) $((y0 + (y1 - y0) * i / 4)) sleep 0.05
    done
    xdotool sleep 0.1 mouseup 1 sleep 0.1
}

# e2e_drop <file>... <x> <y>: drags files from a tiny X drag source and drops them at a
# screen point, as a file manager does.
e2e_drop() {
    timeout 10 "$PELIO_NATIVE_BUILD/tests/tools/xdnd_drop" "$@"
}

# e2e_menu_closed <menu>: waits until the menu is gone and the clock's menu loop has
# ended; the loop destroys the window first, and a click before it ends opens nothing.
e2e_menu_closed() {
    e2e_driver wait-gone "$1" 3000 && e2e_driver menu-ended "$E2E_CLOCK_WINDOW" 3000
}

# e2e_menu <keysym>...: X key presses to the popup menu once its loop runs (see driver).
e2e_menu() {
    e2e_driver menu >/dev/null || e2e_fail "no popup menu to press $* in"
    e2e_key "$@"
}

# e2e_open_from_menu <x> <y> <downs> <title>: a right click at a screen point opens the
# menu; the item so many steps down opens a dialog of that title, whose handle is printed.
e2e_open_from_menu() {
    e2e_driver menu-ended "$E2E_CLOCK_WINDOW" 3000 || e2e_fail "the clock is still in a menu"
    e2e_driver answers "$E2E_CLOCK_WINDOW" 3000 || e2e_fail "the clock does not answer"
    e2e_click 3 "$1" "$2"
    local keys=() i
    for ((i = 0; i < $3; i++)) do keys+=(Down); done
    e2e_menu "${keys[@]}" Return
    e2e_driver find "#32770" "$4" 5000 || e2e_fail "$4 did not open from the menu"
}

# e2e_capture_holds <capture> <data.raw> [frame-bytes]: true when an MCI capture holds
# every frame of the data once and in order, with nothing between or after them but
# silence (0x80 in U8 captures, zero bytes in the others): on a busy machine Wine's ALSA
# driver writes a period of silence whenever waveOut falls behind, and after the last
# sample until waveOut stops. The frame size defaults to what the capture's name says.
e2e_capture_holds() {
    [ -f "$1" ] && [ -f "$2" ] || return 1
    python3 - "$@" <<'PY'
import re, sys
capture, data = (open(path, "rb").read() for path in sys.argv[1:3])
name = sys.argv[1].rsplit("/", 1)[-1]
channels, bits = (int(n) for n in re.match(r"cap-\d+-(\d+)-(\d+)-", name).groups())
frame = int(sys.argv[3]) if len(sys.argv) > 3 else channels * bits // 8
silence = bytes([0x80 if "-U8.raw" in name else 0]) * frame
i = o = 0
while i < len(data):
    if capture[o:o + frame] == data[i:i + frame]:
        i += frame
        o += frame
    elif capture[o:o + frame] == silence:
        while capture[o:o + frame] == silence:
            o += frame
    else:
        sys.exit(1)
sys.exit(0 if all(capture[k:k + frame] == silence for k in range(o, len(capture), frame)) else 1)
PY
}

# e2e_sleep <seconds>: lets the clock tick.
e2e_sleep() { sleep "$1"; }

# e2e_unix_pid <exe-name>: the Linux process that runs a Windows program started in this
# scenario's prefix, for measuring it from outside.
e2e_unix_pid() {
    local pid
    for pid in $(pgrep -f "$1"); do
        case $(readlink "/proc/$pid/exe") in */wine/*|*/wine-preloader*|*/wine) ;; *) continue ;; esac
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$E2E_PREFIX"; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

# --- Desktop scenarios (E2E_DESKTOP=1 before e2e_begin) ---------------------------------
# openbox manages the screen (E2E_SCREEN defaults to 1280x800 there) and the clock runs in
# a prefix made as scripts/run.sh makes the user's.

e2e_start_window_manager() {
    openbox --sm-disable </dev/null >"$E2E_ROOT/openbox.log" 2>&1 &
    E2E_WM_PID=$!
    local i
    # The manager is ready once it has named itself on the root window.
    for i in $(seq 1 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        kill -0 "$E2E_WM_PID" 2>/dev/null || break
        sleep 0.05
    done
    e2e_fail "openbox did not start"
}

# e2e_start_sound_server <home>: the desktop's PulseAudio server for that HOME, one null
# sink recorded into $E2E_RESULT_DIR/desk.raw (44.1 kHz, stereo, s16le).
e2e_start_sound_server() {
    HOME=$1 pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        -L "module-native-protocol-unix auth-anonymous=1" -L "module-null-sink sink_name=desk" \
        -L module-always-sink </dev/null >"$E2E_ROOT/pulseaudio.log" 2>&1 &
    E2E_SOUND_SERVER_PID=$!
    for _ in $(seq 1 100); do HOME=$1 pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    HOME=$1 pactl info >/dev/null 2>&1 || e2e_fail "the sound server did not start"
    # Small fragments, so the recording grows while a sound plays.
    HOME=$1 parec --latency-msec=50 -d desk.monitor --format=s16le --rate=44100 --channels=2 \
        >"$E2E_RESULT_DIR/desk.raw" 2>"$E2E_ROOT/parec.log" &
    # A stream that came to the new server within its first second was taken but never
    # played (its time stood still): sounds wait until the recording has run a second.
    for _ in $(seq 1 100); do [ "$(stat -c %s "$E2E_RESULT_DIR/desk.raw")" -ge 176400 ] && break; sleep 0.1; done
}

# e2e_start_xlogo <geometry>: an ordinary X program's window to stack against; sets
# E2E_XLOGO_WINDOW to its X window.
e2e_start_xlogo() {
    xlogo -geometry "$1" </dev/null >"$E2E_ROOT/xlogo.log" 2>&1 &
    E2E_XLOGO_PID=$!
    E2E_XLOGO_WINDOW=$(timeout 10 xdotool search --sync --onlyvisible --class xlogo | head -n 1) \
        || e2e_fail "xlogo did not appear"
}

# e2e_x_window <title>: waits up to 5 s for the window manager to manage a window with
# that title (a Windows window's title is its X window's _NET_WM_NAME); prints its X id.
e2e_x_window() {
    local i id
    for i in $(seq 1 50); do
        for id in $(xprop -root _NET_CLIENT_LIST | sed 's/.*# //; s/,//g'); do
            if [ "$(xprop -id "$id" _NET_WM_NAME 2>/dev/null | sed 's/^[^"]*"//; s/"$//')" = "$1" ]; then
                echo $((id))
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# e2e_above <x-window-a> <x-window-b>: true when the manager stacks a above b.
e2e_above() {
    local stacking position_a=-1 position_b=-1 i=0 id
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
    for id in $stacking; do
        [ $((id)) -eq $(($1)) ] && position_a=$i
        [ $((id)) -eq $(($2)) ] && position_b=$i
        i=$((i + 1))
    done
    [ "$position_a" -ge 0 ] && [ "$position_b" -ge 0 ] || e2e_fail "e2e_above: $1 or $2 is not managed"
    [ "$position_a" -gt "$position_b" ]
}

# e2e_activate <x-window>: activates a window the way a click on it would.
e2e_activate() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowactivate "$1"
}

# e2e_focus_window: the X window with the keyboard focus, as a decimal id.
e2e_focus_window() {
    xdotool getwindowfocus 2>/dev/null || true
}

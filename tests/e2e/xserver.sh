# Sourced: a private Xvfb. Xvfb picks a free display number itself (-displayfd), so
# several of them can start at once without racing for lock files.
PELIO_XVFB_PID=""

# pelio_start_xserver [depth] [log-file]: exports DISPLAY. Size from PELIO_SCREEN_SIZE.
pelio_start_xserver() {
    local depth=${1:-24} log=${2:-/dev/null} numberfile i number=""
    numberfile=$(mktemp)
    Xvfb -displayfd 9 -screen 0 "${PELIO_SCREEN_SIZE:-1024x768}x$depth" -nolisten tcp \
        9>"$numberfile" </dev/null >"$log" 2>&1 &
    PELIO_XVFB_PID=$!
    for i in $(seq 1 100); do
        number=$(tr -dc 0-9 <"$numberfile")
        [ -n "$number" ] && break
        kill -0 "$PELIO_XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$numberfile"
    if [ -z "$number" ]; then
        pelio_stop_xserver
        echo "xserver: Xvfb did not start at depth $depth" >&2
        return 1
    fi
    export DISPLAY=":$number"
}

pelio_stop_xserver() {
    [ -n "$PELIO_XVFB_PID" ] || return 0
    kill "$PELIO_XVFB_PID" 2>/dev/null || true
    wait "$PELIO_XVFB_PID" 2>/dev/null || true
    PELIO_XVFB_PID=""
}

# Sourced: a private Xvfb on a free display number.
PELIO_XVFB_PID=""

pelio_start_xserver() {
    local depth=${1:-24} n
    for n in $(seq 90 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${PELIO_SCREEN_SIZE:-1024x768}x$depth" -nolisten tcp \
            >/dev/null 2>&1 &
        PELIO_XVFB_PID=$!
        local i
        for i in $(seq 1 50); do
            if [ -e "/tmp/.X11-unix/X$n" ]; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$PELIO_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$PELIO_XVFB_PID" 2>/dev/null || true
    done
    echo "xserver: no free display" >&2
    return 1
}

pelio_stop_xserver() {
    [ -n "$PELIO_XVFB_PID" ] || return 0
    kill "$PELIO_XVFB_PID" 2>/dev/null || true
    wait "$PELIO_XVFB_PID" 2>/dev/null || true
    PELIO_XVFB_PID=""
}

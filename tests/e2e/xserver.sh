# Sourced: a private Xvfb. Xvfb picks a free display number itself (-displayfd), so
# several of them can start at once without racing for lock files.
PELIO_XVFB_PID=""

# pelio_start_xserver [depth] [log-file]: exports DISPLAY. Size from PELIO_SCREEN_SIZE;
# two sizes there ("1024x768 1024x768") make one wide screen split into monitors side by
# side, kept when the last client leaves (-noreset), so they outlive a restart of Wine.
pelio_start_xserver() {
    local depth=${1:-24} log=${2:-/dev/null} numberfile i number="" size width=0 height=0
    local monitors=() keep=""
    for size in ${PELIO_SCREEN_SIZE:-1024x768}; do
        monitors+=("${size%x*}/$((${size%x*} / 4))x${size#*x}/$((${size#*x} / 4))+$width+0")
        width=$((width + ${size%x*}))
        [ "${size#*x}" -le "$height" ] || height=${size#*x}
    done
    [ "${#monitors[@]}" -eq 1 ] || keep=-noreset
    numberfile=$(mktemp)
    Xvfb -displayfd 9 $keep -screen 0 "${width}x${height}x$depth" -nolisten tcp \
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
    [ "${#monitors[@]}" -gt 1 ] || return 0
    # The first monitor takes the screen's one output, the others none.
    local output=screen
    for i in "${!monitors[@]}"; do
        xrandr --setmonitor "pelio$i" "${monitors[$i]}" "$output" >>"$log" 2>&1 || return 1
        output=none
    done
}

pelio_stop_xserver() {
    [ -n "$PELIO_XVFB_PID" ] || return 0
    kill "$PELIO_XVFB_PID" 2>/dev/null || true
    wait "$PELIO_XVFB_PID" 2>/dev/null || true
    PELIO_XVFB_PID=""
}

#!/bin/bash
# Installs what is missing, builds, and runs the clock under Wine on the current X display.
# Usage: scripts/run.sh [WORKING_DIRECTORY]   (default ~/PelioClock; the settings file
# PelioClock.ini and the default alarm sound pelio.wav live there)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${PELIO_BUILD:-$root/build}")
work=${1:-$HOME/PelioClock}

if [ -z "${DISPLAY:-}" ]; then
    echo "run: no X display (DISPLAY is not set); start the clock from a desktop session" >&2
    exit 1
fi

"$root/scripts/setup.sh"
if ! xdpyinfo >/dev/null 2>&1; then
    echo "run: cannot reach the X display $DISPLAY" >&2
    exit 1
fi
PELIO_BUILD=$build "$root/scripts/build.sh"

unset WINEPREFIX
. "$root/scripts/wine-env.sh"
mkdir -p "$(dirname "$WINEPREFIX")"
pelio_make_prefix "$WINEPREFIX" || { echo "run: could not create the Wine prefix"; cat "$WINEPREFIX.log"; exit 1; }

mkdir -p "$work"
[ -e "$work/pelio.wav" ] || cp "$root/resources/pelio.wav" "$work/pelio.wav"
cd "$work"
# The clock ends with exit code 1 whether it was closed or could not start; Wine's own
# chatter goes to a log beside the prefix.
status=0
wine "$build/win32/PelioClock.exe" </dev/null >"$WINEPREFIX.run.log" 2>&1 || status=$?
if [ "$status" -gt 1 ]; then
    echo "run: Wine ended with status $status (see $WINEPREFIX.run.log)" >&2
    exit "$status"
fi

#!/bin/bash
# Installs what is missing, builds, and runs the clock under Wine on the current X display.
# Usage: scripts/run.sh [WORKING_DIRECTORY]   (default ~/PelioClock; the settings file
# PelioClock.ini and the default alarm sound pelio.wav live there)
#   -h, --help  print this and do nothing else
set -euo pipefail
. "$(dirname "$0")/usage.sh"
pelio_check_args "$0" 1 "" "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${PELIO_BUILD:-$root/build}")
work=${1:-$HOME/PelioClock}

if [ -z "${DISPLAY:-}" ]; then
    echo "run: no X display (DISPLAY is not set); start the clock from a desktop session" >&2
    exit 1
fi

# Only what running needs: the tests' compilers and tools are scripts/test.sh's business.
PELIO_BUILD=$build "$root/scripts/build-clock.sh"
if ! xdpyinfo >/dev/null 2>&1; then
    echo "run: cannot reach the X display $DISPLAY" >&2
    exit 1
fi

PELIO_BUILD=$build exec "$root/scripts/start-clock.sh" "$work"

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

# Only what running needs: the tests' compilers and tools are scripts/test.sh's business.
"$root/scripts/setup.sh" run
if ! xdpyinfo >/dev/null 2>&1; then
    echo "run: cannot reach the X display $DISPLAY" >&2
    exit 1
fi
mkdir -p "$build"
cmake -S "$root" -B "$build/win32" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >"$build.win32-config.log" 2>&1 \
    || { cat "$build.win32-config.log"; exit 1; }
cmake --build "$build/win32" --target PelioClock -j "$(nproc)" >"$build.run-build.log" 2>&1 \
    || { cat "$build.run-build.log"; exit 1; }

PELIO_BUILD=$build exec "$root/scripts/start-clock.sh" "$work"

#!/bin/bash
# Installs what building and running the clock needs (not the tests' tools) and builds the
# exe alone, into $PELIO_BUILD/win32 (default build/win32).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${PELIO_BUILD:-$root/build}")

"$root/scripts/setup.sh" run
. "$root/scripts/windows-arch.sh"
mkdir -p "$build"
cmake -S "$root" -B "$build/win32" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$PELIO_WINDOWS_ARCH.cmake" >"$build.win32-config.log" 2>&1 \
    || { cat "$build.win32-config.log"; exit 1; }
cmake --build "$build/win32" --target PelioClock -j "$(nproc)" >"$build.clock-build.log" 2>&1 \
    || { cat "$build.clock-build.log"; exit 1; }

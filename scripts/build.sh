#!/bin/bash
# Builds both configurations: build/native (host logic, tests, tools) and build/win32 (the exe).
# Usage: scripts/build.sh   (PELIO_BUILD=<folder> builds elsewhere than build/)
#   -h, --help  print this and do nothing else
set -euo pipefail
. "$(dirname "$0")/usage.sh"
pelio_check_args "$0" 0 "" "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${PELIO_BUILD:-$root/build}")
jobs=$(nproc)
. "$root/scripts/windows-arch.sh"

cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build.native-config.log" 2>&1 \
    || { cat "$build.native-config.log"; exit 1; }
cmake --build "$build/native" -j "$jobs" -- --no-print-directory | grep -E "error|warning" || true
cmake --build "$build/native" -j "$jobs" >/dev/null

cmake -S "$root" -B "$build/win32" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$PELIO_WINDOWS_ARCH.cmake" \
    -DPELIO_NATIVE_BUILD="$build/native" -DPELIO_TESTS=ON >"$build.win32-config.log" 2>&1 \
    || { cat "$build.win32-config.log"; exit 1; }
cmake --build "$build/win32" -j "$jobs" -- --no-print-directory | grep -E "error|warning" || true
cmake --build "$build/win32" -j "$jobs" >/dev/null

# The release archive is the 32-bit program and the Debian package carries both builds,
# whichever one the tests run.
for arch in i686 x86_64; do
    release=$(pelio_arch_build_dir "$build" $arch)
    [ "$release" != "$build/win32" ] || continue
    cmake -S "$root" -B "$release" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
        -DPELIO_NATIVE_BUILD="$build/native" >"$build.release-config.log" 2>&1 \
        || { cat "$build.release-config.log"; exit 1; }
    cmake --build "$release" --target PelioClock -j "$jobs" -- --no-print-directory \
        | grep -E "error|warning" || true
    cmake --build "$release" --target PelioClock -j "$jobs" >/dev/null
done

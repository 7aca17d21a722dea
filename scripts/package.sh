#!/bin/bash
# Builds the clock (Release) and writes dist/PelioClock-<version>-win32.zip with the exe,
# its chime and the user's text. Two runs from the same commit write the same bytes: the
# entries carry the commit's time and stand in a fixed order, and the exe is linked
# without a time stamp. PELIO_BUILD=<folder> builds elsewhere than build/ (an existing
# build/win32 is reused), PELIO_DIST=<folder> writes elsewhere than dist/.
# Usage: scripts/package.sh
#   -h, --help  print this and do nothing else
set -euo pipefail
. "$(dirname "$0")/usage.sh"
pelio_check_args "$0" 0 "" "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${PELIO_BUILD:-$root/build}")
dist=$(realpath -m "${PELIO_DIST:-$root/dist}")
. "$root/scripts/windows-arch.sh"
# A release is always the 32-bit program. A host that tests the x86_64 build in
# build/win32 builds the release in a folder of its own.
win32=$(pelio_release_build_dir "$build")

# What building and running the clock needs, as scripts/run.sh installs it: not the
# test tools.
"$root/scripts/setup.sh" run
if [ ! -f "$win32/CMakeCache.txt" ]; then
    # The same configuration as scripts/build.sh, so the two can share the folder.
    cmake -S "$root" -B "$win32" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DPELIO_NATIVE_BUILD="$build/native" >"$build.win32-config.log" 2>&1 \
        || { cat "$build.win32-config.log"; exit 1; }
fi
if ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$win32/CMakeCache.txt"; then
    echo "package: $win32 is not a Release build" >&2
    exit 1
fi
cmake --build "$win32" --target PelioClock -j "$(nproc)" >"$build.package.log" 2>&1 \
    || { cat "$build.package.log"; exit 1; }

version=$(cat "$win32/release/version")
stamp=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)}
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no 2>/dev/null)" ]; then
    echo "package: note: the working tree has changes that are not committed" >&2
fi
archive=$dist/PelioClock-$version-win32.zip
mkdir -p "$dist"
python3 "$root/scripts/release_zip.py" "$archive" "$stamp" "$win32/PelioClock.exe" \
    "$root/resources/pelio.wav" "$win32/release/はじめにお読みください.txt"
echo "$archive"

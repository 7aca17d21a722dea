#!/bin/bash
# Builds the clock (Release) and writes dist/PelioClock-<version>-win32.zip with the exe,
# its chime and the user's text, then dist/pelioclock_<version>-1_all.deb for Debian; it
# prints the two paths. Two runs from the same commit write the same bytes: the entries
# carry the commit's time and stand in a fixed order, and the exe is linked without a time
# stamp. PELIO_BUILD=<folder> builds elsewhere than build/ (an existing build/win32 is
# reused), PELIO_DIST=<folder> writes elsewhere than dist/.
# Usage: scripts/package.sh
#   -h, --help  print this and do nothing else
set -euo pipefail
. "$(dirname "$0")/usage.sh"
pelio_check_args "$0" 0 "" "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${PELIO_BUILD:-$root/build}")
dist=$(realpath -m "${PELIO_DIST:-$root/dist}")
. "$root/scripts/windows-arch.sh"
# The archive holds the 32-bit program; the Debian package also the x86_64 build, which
# a host whose Wine runs no 32-bit code runs.
win32=$(pelio_release_build_dir "$build")
win64=$(pelio_arch_build_dir "$build" x86_64)

# What building and running the clock needs, as scripts/run.sh installs it (not the test
# tools), with the x86_64 compiler as for a host that runs that build.
PELIO_WINDOWS_ARCH=x86_64 "$root/scripts/setup.sh" run

# release_exe <folder> <arch>: builds the exe there for that processor, in the same
# configuration as scripts/build.sh, so the two can share the folder.
release_exe() {
    local folder=$1 arch=$2
    if [ ! -f "$folder/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
            -DPELIO_NATIVE_BUILD="$build/native" >"$build.$arch-config.log" 2>&1 \
            || { cat "$build.$arch-config.log"; exit 1; }
    fi
    if ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$folder/CMakeCache.txt"; then
        echo "package: $folder is not a Release build" >&2
        exit 1
    fi
    cmake --build "$folder" --target PelioClock -j "$(nproc)" >"$build.package.log" 2>&1 \
        || { cat "$build.package.log"; exit 1; }
}
release_exe "$win32" i686
release_exe "$win64" x86_64

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

# The Debian package, staged as it is installed and packed with dpkg-deb. Its command is
# scripts/start-clock.sh told where the package's files are, so the two cannot drift.
maintainer="PelioClock maintainers <pelioclock@example.org>"
deb=$dist/pelioclock_$version-1_all.deb
umask 022
stage=$(mktemp -d "$build/deb.XXXXXX")
trap 'rm -rf "$stage"' EXIT
chmod 755 "$stage"
lib=$stage/usr/lib/pelioclock
share=$stage/usr/share
install -d "$stage/DEBIAN" "$stage/usr/bin" "$lib/scripts/wine64" "$share/man/man1" \
    "$share/doc/pelioclock"
install -m 644 -D "$win32/PelioClock.exe" "$lib/i686/PelioClock.exe"
install -m 644 -D "$win64/PelioClock.exe" "$lib/x86_64/PelioClock.exe"
install -m 644 "$root/resources/pelio.wav" "$lib/pelio.wav"
install -m 644 "$root/scripts/wine-env.sh" "$root/scripts/windows-arch.sh" "$root/scripts/usage.sh" \
    "$lib/scripts"
install -m 755 "$root/scripts/narrow-font.py" "$lib/scripts"
install -m 755 "$root/scripts/wine64/"* "$lib/scripts/wine64"
sed 's|^installed=""$|installed=../lib/pelioclock|' "$root/scripts/start-clock.sh" \
    >"$stage/usr/bin/pelioclock"
grep -qx 'installed=../lib/pelioclock' "$stage/usr/bin/pelioclock" \
    || { echo "package: start-clock.sh has no line installed=\"\"" >&2; exit 1; }
chmod 755 "$stage/usr/bin/pelioclock"
# The desktop entry and the icons as scripts/install-desktop.sh writes them for a user,
# with the installed command.
env -u PELIO_BUILD XDG_DATA_HOME="$share" PELIO_NO_BUILD=1 \
    "$root/scripts/install-desktop.sh" >/dev/null
sed -i 's|^Exec=.*|Exec=pelioclock|' "$share/applications/pelioclock.desktop"
day=$(date -u -d "@$stamp" +%Y-%m-%d)
sed -e "s/@VERSION@/$version/" -e "s/@DATE@/$day/" "$root/resources/release/deb/pelioclock.1.in" \
    | gzip -9n >"$share/man/man1/pelioclock.1.gz"
install -m 644 "$root/README.md" "$root/resources/release/deb/copyright" "$share/doc/pelioclock"
printf 'pelioclock (%s-1) unstable; urgency=medium\n\n  * The prebuilt clock, packaged.\n\n -- %s  %s\n' \
    "$version" "$maintainer" "$(date -u -R -d "@$stamp")" \
    | gzip -9n >"$share/doc/pelioclock/changelog.Debian.gz"
(cd "$stage" && find usr -type f | LC_ALL=C sort | xargs md5sum >DEBIAN/md5sums)
# Installed-Size in KiB as dpkg-gencontrol counts it: each file rounded up, each folder one.
size=$(find "$stage/usr" -printf '%y %s\n' |
    awk '$1 == "d" { kib += 1 } $1 != "d" { kib += int(($2 + 1023) / 1024) } END { print kib }')
cat >"$stage/DEBIAN/control" <<CONTROL
Package: pelioclock
Version: $version-1
Architecture: all
Maintainer: $maintainer
Installed-Size: $size
Depends: wine, fonts-ipafont-gothic, python3, python3-fonttools, locales, x11-utils
Recommends: libpulse0, libasound2-plugins
Section: x11
Priority: optional
Description: desktop clock with alarms, run under Wine
 A hexagonal desktop clock whose picture changes with the hour, with up to 48
 alarms that each play a WAVE file. Its texts are Japanese.
 .
 This package holds the prebuilt Windows program in its 32-bit and x86_64
 builds and the command pelioclock, which runs it under Wine in a prefix of
 the user's own: the 32-bit build where 32-bit Wine (wine32:i386) is
 installed, the x86_64 build otherwise.
CONTROL
chmod 644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"
find "$stage" -exec touch -h -d "@$stamp" {} +
SOURCE_DATE_EPOCH=$stamp dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb.part" >/dev/null
mv -f "$deb.part" "$deb"
echo "$deb"

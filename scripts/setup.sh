#!/bin/bash
# Installs what building, running and testing the clock needs on Debian 12, once; quiet
# when done.
set -euo pipefail
# Usage: scripts/setup.sh [run]   (run: only what building and running the clock needs,
# as scripts/run.sh asks; without it also the compilers, libraries and tools of the tests)
here=$(dirname "$0")

# Running: Wine, the cross compiler, CMake, the Japanese font and locale, xdpyinfo, and
# fontTools, with which each Wine prefix gets the dialogs' font narrowed to fit.
packages=(cmake make g++-mingw-w64-i686 wine wine32:i386 wine64
    fonts-ipafont-gothic python3-fonttools locales x11-utils)
# The tests' desktop with a sound server of its own is PulseAudio's, recorded with parec;
# lintian checks the Debian package.
[ "${1:-}" = run ] ||
    packages+=(g++ libgtest-dev libgmock-dev googletest libbenchmark-dev g++-mingw-w64-x86-64
        mingw-w64-tools xvfb xdotool imagemagick sox libx11-dev procps clang libclang-rt-14-dev
        python3 optipng openbox x11-apps desktop-file-utils pulseaudio pulseaudio-utils
        x11-xserver-utils lintian)

# pelio_install <package>...: installs those not installed yet.
pelio_install() {
    local missing=() p sudo=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "setup: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}
pelio_install "${packages[@]}"

# Whether this host runs 32-bit code is known only once Wine is in: a host that runs
# none runs the clock built for x86_64. Wine reaches the desktop's sound server through
# the PulseAudio client library of the processor it runs for, and learns the monitors'
# layout through its XRandR and Xinerama libraries (without them every desktop is one
# monitor).
. "$here/windows-arch.sh"
if [ "$PELIO_WINDOWS_ARCH" = x86_64 ]; then
    pelio_install g++-mingw-w64-x86-64 libpulse0 libxrandr2 libxinerama1
else
    pelio_install libpulse0:i386 libxrandr2:i386 libxinerama1:i386
fi

# Japanese file names and argv need the locale itself, not only code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

#!/bin/bash
# Installs what building, running and testing the clock needs on Debian 12, once; quiet
# when done.
# Usage: scripts/setup.sh [run]   (run: only what building and running the clock needs,
# as scripts/run.sh asks; without it also the compilers, libraries and tools of the tests)
#   -h, --help  print this and do nothing else
set -euo pipefail
here=$(dirname "$0")
. "$here/usage.sh"
pelio_check_args "$0" 1 "" "$@"
case ${1:-run} in run) ;; *) pelio_refuse "$0" "unknown argument $1" ;; esac

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

# What is missing is gathered first and installed in one go, as root: directly when this
# is root, else through sudo. A Debian installed with a root password has no sudo: the
# user is then given the one su command that does everything, to run before this again.
missing=()
# pelio_want <package>...: adds those not installed yet.
pelio_want() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
}

# Whether this host runs 32-bit code is known only once Wine is in; until then the
# 32-bit libraries are asked for with Wine, and a host that runs none gets its own at the
# next run. Wine reaches the desktop's sound server through the PulseAudio client library
# of the processor it runs for, and learns the monitors' layout through its XRandR and
# Xinerama libraries (without them every desktop is one monitor).
user_arch=${PELIO_WINDOWS_ARCH:-}
pelio_want_wine_libraries() {
    PELIO_WINDOWS_ARCH=$user_arch
    . "$here/windows-arch.sh"
    if [ "$PELIO_WINDOWS_ARCH" = x86_64 ]; then
        pelio_want g++-mingw-w64-x86-64 libpulse0 libxrandr2 libxinerama1
    else
        pelio_want libpulse0:i386 libxrandr2:i386 libxinerama1:i386
    fi
}

# Japanese file names and argv need the locale itself, not only code page 932. It is
# listed in /etc/locale.gen, whence Debian's locale-gen (run again by upgrades of the
# locales package) makes every locale it keeps; --keep-existing leaves the others be.
pelio_locale_ready() {
    grep -qx 'ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null &&
        locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'
}
locale_command='sed -i "s/^# *ja_JP.UTF-8 UTF-8$/ja_JP.UTF-8 UTF-8/" /etc/locale.gen
 && { grep -qx "ja_JP.UTF-8 UTF-8" /etc/locale.gen || echo "ja_JP.UTF-8 UTF-8" >>/etc/locale.gen; }
 && locale-gen --keep-existing'

# The commands that make this machine ready, one line, run by a root shell.
pelio_root_commands() {
    local commands=()
    if [ ${#missing[@]} -gt 0 ]; then
        dpkg --print-foreign-architectures | grep -qx i386 || commands+=("dpkg --add-architecture i386")
        commands+=("apt-get update -qq"
            "DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ${missing[*]} >/dev/null")
    fi
    pelio_locale_ready || commands+=("${locale_command//$'\n'/}")
    local joined="" command
    for command in "${commands[@]}"; do joined+="${joined:+ && }$command"; done
    echo "$joined"
}

# pelio_as_root <commands>: runs them as root, or tells how to and stops.
pelio_as_root() {
    local root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null && root=(sudo)
    fi
    if [ "$(id -u)" -eq 0 ] || [ ${#root[@]} -gt 0 ]; then
        [ ${#missing[@]} -eq 0 ] || echo "setup: installing ${missing[*]}"
        "${root[@]}" sh -c "$1"
    else
        [ ${#missing[@]} -eq 0 ] || echo "setup: missing ${missing[*]}" >&2
        echo "setup: there is no sudo here. Run this as root (su asks for the root password):" >&2
        echo "  su -c '$1'" >&2
        echo "setup: then run scripts/run.sh (or the script you started) again." >&2
        exit 1
    fi
}

pelio_want "${packages[@]}"
pelio_want_wine_libraries
if [ ${#missing[@]} -gt 0 ] || ! pelio_locale_ready; then
    pelio_as_root "$(pelio_root_commands)"
    # Now that Wine is in, a host without 32-bit code asks for its own libraries.
    missing=()
    pelio_want_wine_libraries
    [ ${#missing[@]} -eq 0 ] || pelio_as_root "$(pelio_root_commands)"
fi

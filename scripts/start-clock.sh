#!/bin/bash
# Starts the built clock under Wine in the user's prefix, in its working folder; makes the
# prefix at the first start. Installs and builds nothing: scripts/run.sh and
# scripts/install-desktop.sh do that first. The desktop entry runs this script; the Debian
# package installs it as the command pelioclock.
# Usage: scripts/start-clock.sh [WORKING_DIRECTORY]   (default ~/PelioClock)
#   -h, --help  print this and do nothing else
set -euo pipefail
# scripts/package.sh sets this in the installed command to the folder of the package's
# files (both builds of the exe, the chime and the scripts shared with the source tree),
# relative to the command's, so that a package unpacked elsewhere runs too.
installed=""
scripts=$(dirname "$0")
[ -z "$installed" ] || scripts=$(dirname "$(readlink -f "$0")")/$installed/scripts
. "$scripts/usage.sh"
pelio_check_args "$0" 1 "" "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$HOME/PelioClock}

# Started from a desktop menu there is no terminal to read: the message goes on screen.
tell() {
    echo "PelioClock: $*" >&2
    if [ ! -t 2 ] && [ -n "${DISPLAY:-}" ] && command -v xmessage >/dev/null; then
        fold -s -w 72 <<<"PelioClock: $*" | xmessage -center -title PelioClock -file - || true
    fi
}

if [ -n "$installed" ]; then
    root=$(cd "$(dirname "$(readlink -f "$0")")/$installed" && pwd)
    chime=$root/pelio.wav
    # The 32-bit build where 32-bit Wine runs, else the x86_64 one. Wine for i386 cannot
    # be a dependency of a package for every architecture: the user adds it.
    if [ -z "${PELIO_WINDOWS_ARCH:-}" ]; then
        if /usr/lib/wine/wine --version >/dev/null 2>&1; then
            export PELIO_WINDOWS_ARCH=i686
        elif /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
            export PELIO_WINDOWS_ARCH=x86_64
        else
            tell "Wine on this machine runs neither build of the clock. Add 32-bit Wine with: sudo dpkg --add-architecture i386 && sudo apt update && sudo apt install wine32:i386"
            exit 1
        fi
    fi
    exe=$root/$PELIO_WINDOWS_ARCH/PelioClock.exe
    rebuild="Install the package pelioclock again"
else
    exe=$(realpath -m "${PELIO_BUILD:-$root/build}")/win32/PelioClock.exe
    chime=$root/resources/pelio.wav
    rebuild="Build it once with: $root/scripts/install-desktop.sh"
fi
if [ ! -f "$exe" ]; then
    tell "the clock is not built ($exe is missing). $rebuild"
    exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
    tell "no X display (DISPLAY is not set); start the clock from a desktop session"
    exit 1
fi

unset WINEPREFIX
# Wine takes the code page from the locale, Japanese file names need the locale itself. A
# system without it (the package cannot make it without changing the system's locales)
# gets one made for this user in the clock's cache folder, before anything asks for it.
cache=${XDG_CACHE_HOME:-$HOME/.cache}/pelioclock
mkdir -p "$cache"
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    export LOCPATH=$cache/locale
    if [ ! -d "$LOCPATH/ja_JP.UTF-8" ] && ! { mkdir -p "$LOCPATH" &&
        localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" >"$cache/locale.log" 2>&1; }; then
        tell "could not make the ja_JP.UTF-8 locale (see $cache/locale.log)"
        exit 1
    fi
fi
PELIO_ROOT=$root
. "$root/scripts/wine-env.sh"
if ! pelio_make_prefix "$WINEPREFIX"; then
    tell "could not create the Wine prefix $WINEPREFIX (see $WINEPREFIX.log)"
    exit 1
fi

# The desktop's scaling (GNOME, KDE and Xfce set the X resource Xft.dpi) becomes the
# prefix's dots per inch, at which the clock and its dialogs are drawn. Without that
# resource the prefix keeps its own (96, or what winecfg set); applied only on a change.
dpi=$(xprop -root RESOURCE_MANAGER 2>/dev/null |
    sed -n 's/.*Xft\.dpi:\\t\([0-9.]*\).*/\1/p' | awk '{ printf "%d", $1 + 0.5 }')
if [ "${dpi:-0}" -gt 0 ] && [ "$(cat "$WINEPREFIX/.pelio-dpi" 2>/dev/null)" != "$dpi" ]; then
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' \
        "$dpi" >"$WINEPREFIX/drive_c/pelio-dpi.reg"
    wine regedit /S 'C:\pelio-dpi.reg' </dev/null >>"$WINEPREFIX.log" 2>&1 &&
        echo "$dpi" >"$WINEPREFIX/.pelio-dpi"
fi

mkdir -p "$work"
[ -e "$work/pelio.wav" ] || cp "$chime" "$work/pelio.wav"
cd "$work"
# The clock ends with exit code 1 whether it was closed or could not start; Wine's own
# chatter goes to a log beside the prefix.
status=0
wine "$exe" </dev/null >"$WINEPREFIX.run.log" 2>&1 || status=$?
if [ "$status" -gt 1 ]; then
    tell "Wine ended with status $status (see $WINEPREFIX.run.log)"
    exit "$status"
fi

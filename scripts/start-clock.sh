#!/bin/bash
# Starts the built clock under Wine in the user's prefix, in its working folder; makes the
# prefix at the first start. Installs and builds nothing: scripts/run.sh and
# scripts/install-desktop.sh do that first. The desktop entry runs this script.
# Usage: scripts/start-clock.sh [WORKING_DIRECTORY]   (default ~/PelioClock)
#   -h, --help  print this and do nothing else
set -euo pipefail
. "$(dirname "$0")/usage.sh"
pelio_check_args "$0" 1 "" "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${PELIO_BUILD:-$root/build}")
exe=$build/win32/PelioClock.exe
work=${1:-$HOME/PelioClock}

# Started from a desktop menu there is no terminal to read: the message goes on screen.
tell() {
    echo "PelioClock: $*" >&2
    if [ ! -t 2 ] && [ -n "${DISPLAY:-}" ] && command -v xmessage >/dev/null; then
        fold -s -w 72 <<<"PelioClock: $*" | xmessage -center -title PelioClock -file - || true
    fi
}

if [ ! -f "$exe" ]; then
    tell "the clock is not built ($exe is missing). Build it once with: $root/scripts/install-desktop.sh"
    exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
    tell "no X display (DISPLAY is not set); start the clock from a desktop session"
    exit 1
fi

unset WINEPREFIX
. "$root/scripts/wine-env.sh"
mkdir -p "$(dirname "$WINEPREFIX")"
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
[ -e "$work/pelio.wav" ] || cp "$root/resources/pelio.wav" "$work/pelio.wav"
cd "$work"
# The clock ends with exit code 1 whether it was closed or could not start; Wine's own
# chatter goes to a log beside the prefix.
status=0
wine "$exe" </dev/null >"$WINEPREFIX.run.log" 2>&1 || status=$?
if [ "$status" -gt 1 ]; then
    tell "Wine ended with status $status (see $WINEPREFIX.run.log)"
    exit "$status"
fi

#!/bin/bash
# Sets up the machine, builds everything and runs every test level:
# unit (native, sanitised), platform (mingw GoogleTest under Wine), e2e (the real exe).
# Usage: scripts/test.sh [CTEST_OPTION]...   e.g. scripts/test.sh -L unit
#   -h, --help  print this and do nothing else
# The options go to ctest in both build folders; PELIO_BUILD=<folder> builds elsewhere.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/usage.sh"
# ctest takes any option silently: only those its help names pass, checked before the
# machine is set up. Before CMake is installed the common ones are known.
ctest_options="-R -E -L -LE -j -V -VV -N --output-on-failure --repeat --timeout"
if command -v ctest >/dev/null; then
    ctest_options=$(ctest --help | grep -E '^ +-' | grep -oE '(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*' | tr -d ' ,')
fi
for arg in "$@"; do
    case $arg in
    -h | --help) pelio_usage "$0"; exit 0 ;;
    # -j4, -R=x, --repeat=until-fail:3: the option is what comes before the value.
    -*) name=${arg%%=*}
        [[ $name == -j* ]] && name=-j
        grep -qxF -- "$name" <<<"$ctest_options" || pelio_refuse "$0" "unknown option $arg" ;;
    esac
done
# Absolute: the Wine prefixes live in it, and Wine refuses a relative WINEPREFIX.
build=$(realpath -m "${PELIO_BUILD:-$root/build}")
export PELIO_BUILD=$build
mkdir -p "$build"

"$root/scripts/setup.sh"
"$root/scripts/build.sh"

. "$root/scripts/wine-env.sh"
export WINEPREFIX=$build/wineprefix
. "$root/tests/e2e/xserver.sh"
. "$root/tests/e2e/prefix.sh"

cleanup() {
    WINEPREFIX=$build/wineprefix wineserver -k >/dev/null 2>&1 || true
    pelio_stop_xserver
}
trap cleanup EXIT

pelio_make_prefix "$WINEPREFIX" bare && pelio_without_debugger "$WINEPREFIX" \
    || { echo "test: could not create the Wine prefix"; cat "$WINEPREFIX.log"; exit 1; }
# The end-to-end scenarios each copy this one, which nothing ever runs in.
pelio_make_e2e_template "$build/e2e-template" \
    || { echo "test: could not create the e2e template prefix"; cat "$build/e2e-template.log"; exit 1; }
# The desktop scenarios' template is made as scripts/run.sh makes the user's prefix.
pelio_make_desktop_template "$build/desktop-template" \
    || { echo "test: could not create the desktop template prefix"; cat "$build/desktop-template.log"; exit 1; }

# Wine-hosted tests create windows and surfaces: give them a screen of their own.
pelio_start_xserver 24
wineserver -p </dev/null >/dev/null 2>&1

status=0
(cd "$build/native" && ctest --output-on-failure --timeout 300 "$@") || status=1
(cd "$build/win32" && ctest --output-on-failure --timeout 600 "$@") || status=1
exit $status

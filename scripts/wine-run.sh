#!/bin/bash
# Runs a Windows test program under Wine for ctest. Wine's helper processes inherit
# pipes, so output goes through a file and ctest does not wait for them to close.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
pelio_wine_prefix_ready >/dev/null 2>&1
out=$(mktemp)
timeout 120 wine "$@" </dev/null >"$out" 2>&1
status=$?
tr -d '\r' <"$out"
rm -f "$out"
exit $status

# Sourced: the Wine environment shared by the run script, the tests and the benchmarks.
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8
export PELIO_ROOT=${PELIO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/pelioclock/wineprefix}

# Creates a 32-bit prefix with the settings the clock needs under X without a window
# manager, unless it is there already.
pelio_make_prefix() {
    local prefix=$1
    [ -f "$prefix/.pelio-ready" ] && return 0
    mkdir -p "$prefix"
    WINEPREFIX=$prefix wineboot -i </dev/null >"$prefix.log" 2>&1 || return 1
    cat >"$prefix/pelio.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Direct3D]
"renderer"="no3d"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"="alsa"
REG
    WINEPREFIX=$prefix wine regedit /S "$(WINEPREFIX=$prefix winepath -w "$prefix/pelio.reg" 2>/dev/null)" \
        </dev/null >>"$prefix.log" 2>&1 || return 1
    WINEPREFIX=$prefix wineserver -w
    touch "$prefix/.pelio-ready"
}

pelio_wine_prefix_ready() {
    pelio_make_prefix "$WINEPREFIX"
}

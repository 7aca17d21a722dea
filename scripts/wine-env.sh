# Sourced: the Wine environment shared by the run script, the tests and the benchmarks.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8
export PELIO_ROOT=${PELIO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

. "$PELIO_ROOT/scripts/windows-arch.sh"
if [ "$PELIO_WINDOWS_ARCH" = x86_64 ]; then
    export WINEARCH=win64
    case ":$PATH:" in
        *":$PELIO_ROOT/scripts/wine64:"*) ;;
        *) export PATH="$PELIO_ROOT/scripts/wine64:$PATH" ;;
    esac
    pelio_prefix_name=wineprefix64
else
    export WINEARCH=win32
    pelio_prefix_name=wineprefix
fi
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/pelioclock/$pelio_prefix_name}

# Creates a prefix with the settings the clock needs under X without a window
# manager, unless it is there already.
pelio_make_prefix() {
    local prefix=$1
    [ -f "$prefix/.pelio-ready" ] && return 0
    mkdir -p "$prefix"
    WINEPREFIX=$prefix wineboot -i </dev/null >"$prefix.log" 2>&1 || return 1
    # The file goes where the prefix itself can name it: no winepath, whose output would
    # have to be read through a pipe that Wine's helper processes keep open. regedit reads
    # it in the ANSI code page. The dialogs' proportional font is matched by IPAPGothic;
    # left alone, Wine takes the fixed-pitch IPAGothic and cuts the dialogs' labels short.
    iconv -f UTF-8 -t CP932 >"$prefix/drive_c/pelio.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Direct3D]
"renderer"="no3d"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"="alsa"
REG
    WINEPREFIX=$prefix wine regedit /S 'C:\pelio.reg' </dev/null >>"$prefix.log" 2>&1 || return 1
    WINEPREFIX=$prefix wineserver -w
    touch "$prefix/.pelio-ready"
}

pelio_wine_prefix_ready() {
    pelio_make_prefix "$WINEPREFIX"
}

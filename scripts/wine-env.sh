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

# pelio_make_prefix <prefix> [desktop|bare]: creates a prefix with the settings the
# clock needs, or brings an older one up to them.
#   desktop (the default, the user's): the window manager frames and stacks Wine's windows
#     and hands out the keyboard, so another program's window can cover the clock, OnTop
#     lifts it above them, and the dialogs get frames and taskbar entries.
#   bare: for an X server without a window manager, as most tests have: there a managed
#     window's every hide or destroy waits 2 s for a manager that never answers, and X keys
#     reach no window; Wine places and stacks its windows itself.
pelio_make_prefix() {
    local prefix=$1 kind=${2:-desktop} managed=Y
    [ "$kind" = desktop ] || managed=N
    # The marker names the settings last applied: a prefix made by an older version of
    # this script gets the current ones at its next start.
    local settings="1 $kind"
    [ "$(cat "$prefix/.pelio-ready" 2>/dev/null)" = "$settings" ] && return 0
    mkdir -p "$prefix"
    if [ ! -f "$prefix/system.reg" ]; then
        WINEPREFIX=$prefix wineboot -i </dev/null >"$prefix.log" 2>&1 || return 1
    fi
    # The file goes where the prefix itself can name it: no winepath, whose output would
    # have to be read through a pipe that Wine's helper processes keep open. regedit reads
    # it in the ANSI code page. The dialogs' proportional font is matched by IPAPGothic;
    # left alone, Wine takes the fixed-pitch IPAGothic and cuts the dialogs' labels short.
    iconv -f UTF-8 -t CP932 >"$prefix/drive_c/pelio.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="$managed"

[HKEY_CURRENT_USER\Software\Wine\Direct3D]
"renderer"="no3d"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"="alsa"
REG
    WINEPREFIX=$prefix wine regedit /S 'C:\pelio.reg' </dev/null >>"$prefix.log" 2>&1 || return 1
    WINEPREFIX=$prefix wineserver -w
    echo "$settings" >"$prefix/.pelio-ready"
}

# The Wine-hosted tests' prefix: their X server has no window manager.
pelio_wine_prefix_ready() {
    pelio_make_prefix "$WINEPREFIX" bare
}

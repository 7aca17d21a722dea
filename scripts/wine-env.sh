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
#     lifts it above them, and the dialogs get frames and taskbar entries. Wine chooses
#     the sound driver itself: PulseAudio first, which also reaches PipeWire's PulseAudio
#     service, then ALSA. A desktop's ALSA default leads to its sound server through a
#     plugin that Debian installs for amd64 only, so a 32-bit program held to ALSA is
#     silent there.
#   Given no kind, it is the user's desktop prefix, and making it (about 15 s at the first
#     start) is told: see pelio_tell_preparing.
#   bare: for an X server without a window manager, as most tests have: there a managed
#     window's every hide or destroy waits 2 s for a manager that never answers, and X keys
#     reach no window; Wine places and stacks its windows itself. Sound goes to ALSA,
#     whose configuration the tests give (ALSA_CONFIG_PATH) to capture what is played.
pelio_make_prefix() {
    # "Audio"=- removes the value: a user's prefix made when it held "alsa" loses it.
    local prefix=$1 kind=${2:-desktop} managed=Y audio=-
    [ "$kind" = desktop ] || { managed=N; audio='"alsa"'; }
    # The marker names the settings last applied: a prefix made by an older version of
    # this script gets the current ones at its next start.
    pelio_prefix_current "$prefix" "$kind" && return 0
    if [ $# -lt 2 ]; then
        pelio_tell_preparing
        pelio_make_prefix "$prefix" desktop || { pelio_preparing_told; return 1; }
        pelio_preparing_told
        return 0
    fi
    mkdir -p "$prefix"
    if [ ! -f "$prefix/system.reg" ]; then
        WINEPREFIX=$prefix wineboot -i </dev/null >"$prefix.log" 2>&1 || return 1
    fi
    pelio_install_dialog_font "$prefix" >>"$prefix.log" 2>&1 || return 1
    # The file goes where the prefix itself can name it: no winepath, whose output would
    # have to be read through a pipe that Wine's helper processes keep open. regedit reads
    # it in the ANSI code page. The dialogs' proportional font is matched by our narrowed
    # IPAPGothic (see pelio_install_dialog_font); left alone, Wine takes the fixed-pitch
    # IPAGothic and cuts the dialogs' labels short.
    iconv -f UTF-8 -t CP932 >"$prefix/drive_c/pelio.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="$pelio_dialog_font_family"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="$managed"

[HKEY_CURRENT_USER\Software\Wine\Direct3D]
"renderer"="no3d"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=$audio
REG
    WINEPREFIX=$prefix wine regedit /S 'C:\pelio.reg' </dev/null >>"$prefix.log" 2>&1 || return 1
    WINEPREFIX=$prefix wineserver -w
    pelio_prefix_settings "$kind" >"$prefix/.pelio-ready"
}

# pelio_tell_preparing: says that the first start is being prepared. Started from a
# desktop menu, with no terminal, it says so on screen too: a desktop notification where
# notify-send exists, else a small window, which pelio_preparing_told takes away.
pelio_preparing_window=""
pelio_tell_preparing() {
    local text="preparing the first start (the Wine prefix and the dialogs' font, about 15 s)"
    echo "PelioClock: $text" >&2
    { [ ! -t 2 ] && [ -n "${DISPLAY:-}" ]; } || return 0
    if command -v notify-send >/dev/null; then
        notify-send -a PelioClock -i pelioclock PelioClock "$text" </dev/null >/dev/null 2>&1 || true
    elif command -v xmessage >/dev/null; then
        xmessage -center -title PelioClock -buttons "" "PelioClock: $text" </dev/null >/dev/null 2>&1 &
        pelio_preparing_window=$!
    fi
}

pelio_preparing_told() {
    [ -z "$pelio_preparing_window" ] || kill "$pelio_preparing_window" 2>/dev/null || true
    pelio_preparing_window=""
}

# The settings a prefix of that kind gets; they change whenever pelio_make_prefix applies
# something new, the dialog font's width included.
pelio_prefix_settings() {
    echo "3 $1 $(pelio_dialog_font_name)"
}

# pelio_prefix_current <prefix> <kind>: whether the prefix has the current settings.
pelio_prefix_current() {
    [ "$(cat "$1/.pelio-ready" 2>/dev/null)" = "$(pelio_prefix_settings "$2")" ]
}

# The dialogs' font is "ＭＳ Ｐゴシック" at 9 pt. IPAPGothic, the nearest Debian has, sets
# digits and Latin letters wider, so the dialogs' short fields and labels cut their texts
# ("0C" for "00", "for" of "for Windows95.98.NT"); the other Debian Japanese fonts cut
# other texts. Each prefix therefore gets IPAPGothic narrowed horizontally, under a family
# name of its own as the IPA Font License asks of a derived font. The dialog units follow
# the font's average letter width, so narrowing shrinks the controls too, in whole pixels:
# at 96 DPI every text of the About box and the settings dialog fits from 0.90 to 0.91 of
# the width; at 0.89 the dialog unit drops a pixel and the controls cut again, from 0.93
# "DirectSound" is cut. 0.905 leaves each side a step. The hour and minute boxes show 12
# pixels, which two digits fill only at 6 pixels each: the digits are made half an em wide.
pelio_dialog_font_family=PelioPGothic
pelio_dialog_font_factor=0.905
pelio_dialog_font_source=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf

# The font's file name: the family, the factor and the checksum of the script that makes it.
pelio_dialog_font_name() {
    local sum
    sum=$(cksum <"$PELIO_ROOT/scripts/narrow-font.py")
    echo "$pelio_dialog_font_family-$pelio_dialog_font_factor-${sum%% *}"
}

# pelio_install_dialog_font <prefix>: puts the narrowed font into the prefix's Fonts folder,
# where Wine finds it. Making it takes several seconds, so it is made once beside the
# prefix (the build folder for the tests' prefixes) and copied from there; the file's name
# carries the factor and the maker's checksum, so a change to either makes a new one.
pelio_install_dialog_font() {
    local prefix=$1 maker=$PELIO_ROOT/scripts/narrow-font.py
    local font
    font=$(dirname "$prefix")/$(pelio_dialog_font_name).ttf
    if [ ! -s "$font" ]; then
        # Written aside and renamed, so a prefix made at the same time never copies half.
        /usr/bin/python3 "$maker" "$pelio_dialog_font_source" "$font.$$" \
            "$pelio_dialog_font_factor" && mv -f "$font.$$" "$font" \
            || { rm -f "$font.$$"; return 1; }
        # One made for an older factor or maker is not needed again.
        local old
        for old in "$(dirname "$prefix")/$pelio_dialog_font_family"-*.ttf; do
            [ "$old" = "$font" ] || rm -f "$old"
        done
    fi
    mkdir -p "$prefix/drive_c/windows/Fonts" \
        && cp "$font" "$prefix/drive_c/windows/Fonts/peliopgothic.ttf"
}

# The Wine-hosted tests' prefix: their X server has no window manager.
pelio_wine_prefix_ready() {
    pelio_make_prefix "$WINEPREFIX" bare
}

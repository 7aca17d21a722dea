#!/bin/bash
# Puts the clock into the desktop's menu: builds it if needed (as scripts/run.sh does), then
# writes a desktop entry and the clock's icon for this user. The entry starts the built
# clock with scripts/start-clock.sh: no terminal, nothing installed or built at that time.
# Usage: scripts/install-desktop.sh [--autostart] [--uninstall] [WORKING_DIRECTORY]
#   WORKING_DIRECTORY  the clock's folder, as given to scripts/run.sh (default ~/PelioClock)
#   --autostart  also start the clock when the user logs in
#   --uninstall  remove everything this script wrote (the settings and the prefix stay)
#   -h, --help   print this and do nothing else
# PELIO_BUILD as for run.sh; PELIO_NO_BUILD=1 (any value but empty or 0) writes the
# entry without building.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/usage.sh"
pelio_check_args "$0" 1 "--autostart --uninstall" "$@"
data=${XDG_DATA_HOME:-$HOME/.local/share}
config=${XDG_CONFIG_HOME:-$HOME/.config}
entry=$data/applications/pelioclock.desktop
autostart=$config/autostart/pelioclock.desktop
icons=(32 128)

autostart_wanted=0 uninstall=0 work=""
for arg in "$@"; do
    case $arg in
    --autostart) autostart_wanted=1 ;;
    --uninstall) uninstall=1 ;;
    *) work=$(realpath -m "$arg") ;;
    esac
done

# Uninstalling wins whatever else is asked.
if [ "$uninstall" = 1 ]; then
    rm -f "$entry" "$autostart"
    for size in "${icons[@]}"; do
        rm -f "$data/icons/hicolor/${size}x${size}/apps/pelioclock.png"
    done
    echo "install-desktop: removed the desktop entry, the autostart entry and the icons"
    exit 0
fi

case ${PELIO_NO_BUILD:-0} in 0) "$root/scripts/build-clock.sh" ;; esac

# Exec takes its program in double quotes when the path has blanks; inside them ", `, $
# and \ are escaped with a backslash, and the file's own escaping doubles backslashes again.
exec_quoted() {
    local path=$1 quoted
    quoted=$(printf '%s' "$path" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')
    printf '"%s"' "$quoted"
}

write_entry() {
    local file=$1 build_env=""
    mkdir -p "$(dirname "$file")"
    [ -z "${PELIO_BUILD:-}" ] || build_env="env PELIO_BUILD=$(exec_quoted "$(realpath -m "$PELIO_BUILD")") "
    cat >"$file" <<ENTRY
[Desktop Entry]
Type=Application
Name=PelioClock
Name[ja]=ペリオクロック
GenericName=Desktop clock
GenericName[ja]=デスクトップ時計
Comment=A desktop clock with alarms
Comment[ja]=アラーム付きデスクトップ時計
Exec=${build_env}$(exec_quoted "$root/scripts/start-clock.sh")${work:+ $(exec_quoted "$work")}
Icon=pelioclock
Terminal=false
Categories=Utility;Clock;
Keywords=clock;alarm;
Keywords[ja]=時計;アラーム;
StartupWMClass=pelioclock.exe
ENTRY
}

for size in "${icons[@]}"; do
    mkdir -p "$data/icons/hicolor/${size}x${size}/apps"
    cp "$root/resources/pelio-$size.png" "$data/icons/hicolor/${size}x${size}/apps/pelioclock.png"
done
write_entry "$entry"
if [ "$autostart_wanted" = 1 ]; then
    write_entry "$autostart"
fi
echo "install-desktop: wrote $entry$([ "$autostart_wanted" = 0 ] || echo " and $autostart")"

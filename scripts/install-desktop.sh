#!/bin/bash
# Puts the clock into the desktop's menu: builds it if needed (as scripts/run.sh does), then
# writes a desktop entry and the clock's icon for this user. The entry starts the built
# clock with scripts/start-clock.sh: no terminal, nothing installed or built at that time.
# Usage: scripts/install-desktop.sh [--autostart] [--uninstall]
#   --autostart  also start the clock when the user logs in
#   --uninstall  remove everything this script wrote (the settings and the prefix stay)
# PELIO_BUILD as for run.sh; PELIO_NO_BUILD=1 writes the entry without building.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
config=${XDG_CONFIG_HOME:-$HOME/.config}
entry=$data/applications/pelioclock.desktop
autostart=$config/autostart/pelioclock.desktop
icons=(32 128)

autostart_wanted=0
case "${1:-}" in
"") ;;
--autostart) autostart_wanted=1 ;;
--uninstall)
    rm -f "$entry" "$autostart"
    for size in "${icons[@]}"; do
        rm -f "$data/icons/hicolor/${size}x${size}/apps/pelioclock.png"
    done
    echo "install-desktop: removed the desktop entry, the autostart entry and the icons"
    exit 0
    ;;
*) sed -n '2,9s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
esac

[ -n "${PELIO_NO_BUILD:-}" ] || "$root/scripts/build-clock.sh"

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
Exec=${build_env}$(exec_quoted "$root/scripts/start-clock.sh")
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

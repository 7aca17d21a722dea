#!/bin/bash
# Every script's -h, --help and unknown options, with sudo, apt-get and dpkg stubs that note
# each call; install-desktop.sh's arguments and PELIO_NO_BUILD; setup.sh without sudo.
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/stubs"
for stub in sudo apt-get dpkg; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\nexit 1\n' "$stub" "$scratch" >"$scratch/stubs/$stub"
done
chmod +x "$scratch"/stubs/*
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# run <status> <script> <args>...: nothing may be called, built or written in the home.
run() {
    local want=$1 status=0
    shift
    rm -rf "$scratch/home" "$scratch/build" "$scratch/calls" && mkdir "$scratch/home"
    HOME=$scratch/home PELIO_BUILD=$scratch/build PATH=$scratch/stubs:$PATH DISPLAY=:99 \
        "$source_dir/scripts/$@" >"$scratch/out" 2>"$scratch/err" </dev/null || status=$?
    [ "$status" = "$want" ] || fail "$*: status $status, not $want: $(cat "$scratch/err")"
    [ ! -e "$scratch/calls" ] || [ "$1" = setup.sh ] || fail "$*: called $(cat "$scratch/calls")"
    [ ! -e "$scratch/build" ] && [ -z "$(ls -A "$scratch/home")" ] || fail "$*: built or wrote"
}
for script in run.sh start-clock.sh setup.sh build.sh test.sh package.sh install-desktop.sh \
    make-screenshots.sh; do
    for option in -h --help --bogus -x; do
        case $option in
        -h | --help) run 0 "$script" "$option" ;;
        *) run 2 "$script" "$option" && grep -q "unknown option $option" "$scratch/err" || fail "$option" ;;
        esac
        grep -q "^Usage: scripts/$script\|^  scripts/$script " "$scratch/out" "$scratch/err" ||
            fail "$script $option: no usage"
    done
done

# install-desktop.sh in a copy whose build only notes that it ran.
cp -a "$source_dir/scripts" "$source_dir/resources" "$scratch/"
printf '#!/bin/sh\ntouch "%s/built"\n' "$scratch" >"$scratch/scripts/build-clock.sh"
install_desktop() {
    rm -f "$scratch/built"
    env -u PELIO_BUILD HOME="$scratch/home" "$scratch/scripts/install-desktop.sh" "$@" >/dev/null
}
for value in "" 0 1 yes; do
    PELIO_NO_BUILD=$value install_desktop
    [ -e "$scratch/built" ] && built=ran || built=skipped
    [ "$built" = "$(case $value in "" | 0) echo ran ;; *) echo skipped ;; esac)" ] || fail "PELIO_NO_BUILD='$value'"
done
PELIO_NO_BUILD=1 install_desktop --autostart "$scratch/My Clock"
entries=("$scratch"/home/{.local/share/applications,.config/autostart}/pelioclock.desktop)
for entry in "${entries[@]}"; do
    grep -qxF "Exec=\"$scratch/scripts/start-clock.sh\" \"$scratch/My Clock\"" "$entry" || fail "$entry"
done
install_desktop --autostart --uninstall
[ -z "$(ls "${entries[@]}" 2>/dev/null)" ] || fail "--autostart --uninstall left an entry"

# A user (id 1000) where nothing is installed and the machine has no sudo of its own.
if ! command -v sudo >/dev/null; then
    rm "$scratch/stubs/sudo"
    printf '#!/bin/sh\necho 1000\n' >"$scratch/stubs/id"
    printf '#!/bin/sh\nexit 1\n' >"$scratch/stubs/dpkg-query" && chmod +x "$scratch"/stubs/*
    run 1 setup.sh run
    grep -qx "  su -c 'dpkg --add-architecture i386 && apt-get update -qq && .*apt-get install .* wine32:i386 .*'" \
        "$scratch/err" && ! grep -v "^dpkg --print-foreign" "$scratch/calls" || fail "no su: $(cat "$scratch/err")"
fi
[ "$failures" = 0 ]

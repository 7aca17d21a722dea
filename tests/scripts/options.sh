#!/bin/bash
# The scripts a user runs: -h and --help print the usage and do nothing else; an unknown
# option is refused with the usage and nothing is installed or built. sudo, apt-get and
# dpkg are stubs that fail and note each call. Then install-desktop.sh's arguments and
# PELIO_NO_BUILD, and setup.sh on a machine without sudo.
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/stubs" "$scratch/home"
for stub in sudo apt-get dpkg; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\nexit 1\n' "$stub" "$scratch" >"$scratch/stubs/$stub"
done
chmod +x "$scratch"/stubs/*
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# run <script> <args>...: sets status, out and err; a fresh home and build folder each time.
run() {
    rm -rf "$scratch/home" "$scratch/build" "$scratch/calls"
    mkdir "$scratch/home"
    HOME=$scratch/home PELIO_BUILD=$scratch/build PATH=$scratch/stubs:$PATH DISPLAY=:99 \
        "$source_dir/scripts/$@" >"$scratch/out" 2>"$scratch/err" </dev/null
    status=$?
    out=$(cat "$scratch/out") err=$(cat "$scratch/err")
}
# untouched <case>: nothing was installed, built or written.
untouched() {
    [ ! -e "$scratch/calls" ] || fail "$1: called $(cat "$scratch/calls")"
    [ ! -e "$scratch/build" ] || fail "$1: made the build folder"
    [ -z "$(ls -A "$scratch/home")" ] || fail "$1: wrote into the home folder"
}

for script in run.sh start-clock.sh setup.sh build.sh test.sh package.sh install-desktop.sh \
    make-screenshots.sh; do
    for option in -h --help; do
        run "$script" "$option"
        [ "$status" = 0 ] && [ -z "$err" ] || fail "$script $option: status $status, stderr $err"
        grep -q "^Usage: scripts/$script\|^  scripts/$script " <<<"$out" || fail "$script $option: no usage"
        untouched "$script $option"
    done
    for option in --bogus -x; do
        run "$script" "$option"
        [ "$status" = 2 ] || fail "$script $option: status $status"
        grep -q "unknown option $option" <<<"$err" && grep -q "scripts/$script" <<<"$err" \
            || fail "$script $option: not refused with the usage: $err"
        untouched "$script $option"
    done
done
run setup.sh test; [ "$status" = 2 ] || fail "setup.sh test: status $status"
run run.sh a b; [ "$status" = 2 ] || fail "run.sh with two folders: status $status"

# install-desktop.sh in a copy whose build only notes that it ran.
cp -a "$source_dir/scripts" "$source_dir/resources" "$scratch/"
printf '#!/bin/sh\ntouch "%s/built"\n' "$scratch" >"$scratch/scripts/build-clock.sh"
entry=$scratch/home/.local/share/applications/pelioclock.desktop
autostart=$scratch/home/.config/autostart/pelioclock.desktop
install_desktop() {
    rm -f "$scratch/built"
    env -u PELIO_BUILD HOME=$scratch/home "$scratch/scripts/install-desktop.sh" "$@" >/dev/null || fail "install-desktop.sh $*"
}
for value in "" 0 1 yes; do
    PELIO_NO_BUILD=$value install_desktop
    built=$([ -e "$scratch/built" ] && echo yes || echo no)
    case $value in "" | 0) want=yes ;; *) want=no ;; esac
    [ "$built" = "$want" ] || fail "PELIO_NO_BUILD='$value': built $built"
done
PELIO_NO_BUILD=1 install_desktop --autostart "$scratch/My Clock"
for file in "$entry" "$autostart"; do
    grep -qxF "Exec=\"$scratch/scripts/start-clock.sh\" \"$scratch/My Clock\"" "$file" \
        || fail "the entry does not start the clock in its folder: $(grep ^Exec "$file")"
done
install_desktop --autostart --uninstall
[ ! -e "$entry" ] && [ ! -e "$autostart" ] || fail "--autostart --uninstall left an entry"

# Without sudo (where this machine has none of its own), as a user, with a package
# missing: the su command that installs it is told and nothing is run.
if ! command -v sudo >/dev/null; then
    rm "$scratch/stubs/sudo"
    printf '#!/bin/sh\necho 1000\n' >"$scratch/stubs/id"
    printf '#!/bin/sh\nexit 1\n' >"$scratch/stubs/dpkg-query"
    chmod +x "$scratch/stubs/id" "$scratch/stubs/dpkg-query"
    run setup.sh run
    [ "$status" = 1 ] || fail "setup.sh without sudo: status $status"
    grep -q "^  su -c 'dpkg --add-architecture i386 && apt-get update -qq && .*apt-get install .* wine32:i386 .*'$" <<<"$err" \
        && grep -q "run scripts/run.sh" <<<"$err" || fail "setup.sh without sudo: $err"
    ! grep -qv "^dpkg --print-foreign-architectures" "$scratch/calls" || fail "setup.sh without sudo ran $(cat "$scratch/calls")"
fi
[ "$failures" = 0 ]

#!/bin/bash
# Makes the pictures in docs/images that the README and the guide show. Run it again after
# the artwork, the dialogs, their texts or the prefix's fonts change, look at the pictures,
# and commit them:
#
#   scripts/make-screenshots.sh            builds, then makes every picture (under a minute)
#   scripts/make-screenshots.sh --faces    only the faces (native, seconds, no Wine)
#   scripts/make-screenshots.sh --help     prints this and does nothing else
#
# The faces (docs/images/faces.txt names each picture with its time, ALARM label and
# read-out) are composed by tests/tools/face_check from the artwork with the clock's own
# hand drawing. The end-to-end scenario display_face_24 checks that very composition
# against the running clock pixel for pixel, so these are the pixels the clock shows at
# that moment, without waiting for the moment to come; docs.pictures_and_links checks at
# every test run that the committed faces still match the artwork and drawing code.
#
# The menu, the About box and the settings dialog are screenshots of the real program
# under Wine, taken through the end-to-end harness (tests/e2e/lib.sh) and cropped to the
# window. Nothing in them depends on the time of day: the clock's face is not in them,
# the settings file is fixed and the pointer is moved off the menu before the shot.
# They depend on Wine's rendering and the prefix's fonts, so the tests do not compare
# them; this script is where they are brought up to date.
#
# Every PNG is written without time stamps and optimised with optipng, so running the
# script twice gives the same files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/usage.sh"
pelio_check_args "$0" 0 "--faces --windows-inside-harness" "$@"
images=$root/docs/images
build=$(realpath -m "${PELIO_BUILD:-$root/build}")

# png_from <input> <output.png>: a small, reproducible PNG.
png_from() {
    convert "$1" -strip -define png:exclude-chunks=date,time "$2"
    optipng -quiet -o2 -strip all "$2"
}

make_faces() {
    local face_check=$build/native/tests/tools/face_check scratch name time alarm readout _
    [ -x "$face_check" ] || { echo "make-screenshots: no $face_check; run scripts/build.sh" >&2; exit 1; }
    scratch=$(mktemp -d)
    while read -r name time alarm readout _; do
        case $name in '' | '#'*) continue ;; esac
        "$face_check" --compose "$root/resources" "$time" "$alarm" "$readout" "$scratch/face.pam"
        png_from "$scratch/face.pam" "$images/$name"
    done <"$images/faces.txt"
    rm -rf "$scratch"
    # At 192 dpi the clock shows each pixel of its face as a 2 x 2 block (the scenario
    # display_face_192dpi checks the running clock against exactly this enlargement).
    convert "$images/face-1210.png" -scale 200% "$scratch.png"
    png_from "$scratch.png" "$images/face-1210-192dpi.png"
    rm -f "$scratch.png"
}

# crop_window <screenshot> <hwnd> <output.png>: the window's rectangle out of a screenshot.
crop_window() {
    local left top right bottom
    read -r left top right bottom <<<"$(e2e_driver rect "$2")"
    convert "$1" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$E2E_ROOT/crop.png"
    png_from "$E2E_ROOT/crop.png" "$3"
}

# Runs inside the end-to-end harness (a private Xvfb and prefix, torn down at the end).
make_windows() {
    . "$root/tests/e2e/lib.sh"
    # Tall enough for the settings dialog, whose top edge is at half the screen's height.
    export E2E_SCREEN=1280x1024
    e2e_begin 24
    local wav
    for wav in pelio.wav morning.wav lunch.wav; do cp "$root/resources/pelio.wav" "$E2E_WORK/$wav"; done
    # Alarms that name files which exist, so an alarm falling due during the run plays
    # quietly into the capture instead of putting a message over a dialog.
    printf '%s\r\n' '[PelioClock]' 'ALM00=06:45 morning.wav' 'ALM01=07:30 pelio.wav' \
        'ALM02=12:00 lunch.wav' 'ALM03=18:15 pelio.wav' 'ALM04=99:99 ' \
        'UseDirectSound=0' 'Alarm=1' 'OnTop=1' >"$E2E_WORK/PelioClock.ini"
    e2e_start_clock
    local shot

    # The clock's own face, now, is the composed one: else the faces above are not what
    # it shows. The face may be up to a tick old, so the second before counts too.
    local before after s times=()
    sleep 1.2
    before=$(date +%s)
    shot=$(e2e_shot face-screen)
    after=$(date +%s)
    for ((s = before - 1; s <= after; s++)); do times+=("$(date -d "@$s" +%T)"); done
    convert "$shot" -depth 8 "$E2E_ROOT/face.ppm"
    "$build/native/tests/tools/face_check" "$root/resources" 32 "$E2E_ROOT/face.ppm" 0 0 1 no \
        "${times[@]}" >&2 || e2e_fail "the running clock does not draw the composed face"

    # The menu, opened with the right button as a user opens it; the pointer then leaves
    # it so that no item is lit.
    e2e_click 3 100 110
    local menu
    menu=$(e2e_driver find "#32768" - 3000) || e2e_fail "no popup menu after a right click"
    xdotool mousemove 700 600
    sleep 0.5
    shot=$(e2e_shot menu-screen)
    crop_window "$shot" "$menu" "$images/menu.png"
    e2e_menu Escape >/dev/null
    e2e_driver wait-gone "$menu" 3000 || e2e_fail "the menu did not close"

    local about
    e2e_driver command "$E2E_CLOCK_WINDOW" 201 >/dev/null
    about=$(e2e_driver find "#32770" "ﾊﾞｰｼﾞｮﾝ情報" 3000) || e2e_fail "the About box did not open"
    sleep 0.5
    shot=$(e2e_shot about-screen)
    crop_window "$shot" "$about" "$images/about.png"
    e2e_driver click "$about" 1 >/dev/null
    e2e_driver wait-gone "$about" 3000 || e2e_fail "the About box did not close"

    # The settings dialog with the file's alarms listed and the next one half typed in.
    local dialog
    e2e_driver command "$E2E_CLOCK_WINDOW" 200 >/dev/null
    dialog=$(e2e_driver find "#32770" "ペリオクロック設定" 3000) || e2e_fail "the settings dialog did not open"
    e2e_driver set-text "$dialog" 1018 21 >/dev/null
    e2e_driver set-text "$dialog" 1019 30 >/dev/null
    e2e_driver set-text "$dialog" 1005 pelio.wav >/dev/null
    e2e_driver list-select "$dialog" 1016 1 >/dev/null
    sleep 0.5
    shot=$(e2e_shot settings-screen)
    crop_window "$shot" "$dialog" "$images/settings.png"
    e2e_driver click "$dialog" 2 >/dev/null
    e2e_driver wait-gone "$dialog" 3000 || e2e_fail "the settings dialog did not close"

    e2e_driver key "$E2E_CLOCK_WINDOW" ESCAPE >/dev/null
    e2e_expect_eq "exit code" 1 "$(e2e_wait_exit 5)"
}

case ${1:-} in
--windows-inside-harness)
    make_windows
    ;;
--faces)
    make_faces
    ;;
"")
    "$root/scripts/setup.sh"
    # Only what the pictures need: the whole build also runs the Wine-hosted tests to
    # list them, which a machine that cannot run the clock fails before the faces.
    if [ ! -f "$build/native/CMakeCache.txt" ] || [ ! -f "$build/win32/CMakeCache.txt" ]; then
        PELIO_BUILD=$build "$root/scripts/build.sh"
    fi
    cmake --build "$build/native" --target face_check >/dev/null
    cmake --build "$build/win32" --target PelioClock e2e_driver >/dev/null
    make_faces
    # Its own process: the harness sets traps and options of its own.
    if ! PELIO_BUILD=$build bash "$0" --windows-inside-harness; then
        echo "make-screenshots: the faces are made, the menu and dialog pictures are not:" \
            "the clock did not run under Wine here (see above)" >&2
        exit 1
    fi
    pictures=("$images"/*.png)
    echo "make-screenshots: ${#pictures[@]} pictures, $(cat "${pictures[@]}" | wc -c) bytes"
    ;;
esac

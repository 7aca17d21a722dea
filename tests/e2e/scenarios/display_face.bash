# Sourced by the display_face_<depth> scenarios: the clock's face on screen against the
# face that tests/tools/face_check composes from the same bitmap files.
. "$(dirname "$0")/../lib.sh"

FACE_CHECK=$PELIO_NATIVE_BUILD/tests/tools/face_check
FACE_DEPTH=32
FACE_SCALE=1

# face_shot <name> <left> <top> <readout yes|no> [alarm 0|1]: a screenshot between two
# readings of the clock; the face may be up to a tick old, so the second before the first
# reading counts too. Prints face_check's answer ("match <time> <colon state>").
face_shot() {
    local name=$1 left=$2 top=$3 readout=$4 alarm=${5:-0} before after png s
    before=$(date +%s)
    png=$(e2e_shot "$name")
    after=$(date +%s)
    convert "$png" -depth 8 "$E2E_RESULT_DIR/$name.ppm"
    local times=()
    for ((s = before - 1; s <= after; s++)); do times+=("$(date -d "@$s" +%T)"); done
    "$FACE_CHECK" --scale "$FACE_SCALE" "$PELIO_SOURCE_DIR/resources" "$FACE_DEPTH" \
        "$E2E_RESULT_DIR/$name.ppm" "$left" "$top" "$alarm" "$readout" "${times[@]}" \
        >"$E2E_RESULT_DIR/$name.txt" \
        || e2e_fail "$name: the screen does not show the face: $(cat "$E2E_RESULT_DIR/$name.txt")"
    cat "$E2E_RESULT_DIR/$name.txt"
}

pointer() { xdotool mousemove "$1" "$2"; }

# face_scenario <xvfb depth> <face_check depth> [dpi]: the face with the pointer away, the
# read-out with its blinking colon while the pointer is over the clock, none with the
# pointer on the window's left column, and the face following a drag. At 192 dpi all of
# it is twice the size, each pixel of the face a 2 x 2 block.
face_scenario() {
    e2e_begin "$1"
    FACE_DEPTH=$2
    [ -z "${3:-}" ] || e2e_registry 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$3"
    FACE_SCALE=$(((${3:-96} + 48) / 96))
    e2e_start_clock
    local size=$((160 * FACE_SCALE))
    e2e_expect_eq "rectangle" "0 0 $size $size" "$(e2e_driver rect "$E2E_CLOCK_WINDOW")"
    pointer 600 500
    sleep 1.2
    face_shot away 0 0 no >/dev/null

    pointer 100 60
    sleep 1.2
    local colon=0 nocolon=0 i answer
    for i in 1 2 3 4; do
        answer=$(face_shot "over$i" 0 0 yes)
        case $answer in
        *" colon") colon=1 ;;
        *" nocolon") nocolon=1 ;;
        esac
        sleep 0.4
    done
    # At 8 bits the glyphs' colours are not checked, so the colon may not be told apart.
    if [ "$FACE_DEPTH" != 8 ]; then
        e2e_expect_eq "colon shown on some faces" 1 "$colon"
        e2e_expect_eq "colon hidden on others" 1 "$nocolon"
    fi

    pointer 0 80
    sleep 1.2
    face_shot left_column 0 0 no >/dev/null

    e2e_drag 80 80 380 280
    sleep 1.2
    local rect left top
    rect=$(e2e_driver rect "$E2E_CLOCK_WINDOW")
    read -r left top _ <<<"$rect"
    [ "$left" -gt 160 ] && [ "$top" -gt 160 ] || e2e_fail "the clock did not move: $rect"
    face_shot dragged "$left" "$top" yes >/dev/null
    local shot desktop
    shot=$(e2e_shot after_drag)
    desktop=$(e2e_pixel "$shot" 1000 700)
    e2e_expect_eq "the old place shows the desktop" "$desktop" "$(e2e_pixel "$shot" 80 80)"
}

#!/bin/bash
# A 256-colour screen: the clock settles at 8 bits and builds its lighten table; the hands'
# black and white outlines, the see-through pixels, the read-out and the drag are checked,
# the colours GDI picks from the system palette are not.
. "$(dirname "$0")/display_face.bash"
face_scenario 8 8

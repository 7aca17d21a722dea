#!/bin/bash
# At 192 dpi the clock is drawn twice its size: window, shape, face and read-out.
. "$(dirname "$0")/display_face.bash"
face_scenario 24 32 192

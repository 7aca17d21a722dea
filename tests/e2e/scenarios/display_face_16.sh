#!/bin/bash
# At a 16-bit 5-6-5 screen the bitmaps arrive truncated to 5-6-5 and the hands are blended
# in 5-6-5; the face matches pixel for pixel.
. "$(dirname "$0")/display_face.bash"
face_scenario 16 16

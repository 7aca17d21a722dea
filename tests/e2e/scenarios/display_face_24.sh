#!/bin/bash
# At a 24-bit screen (32 bits per pixel under Wine) the face matches pixel for pixel.
. "$(dirname "$0")/display_face.bash"
face_scenario 24 32

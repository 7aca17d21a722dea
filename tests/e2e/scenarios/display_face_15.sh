#!/bin/bash
# A 15-bit X screen: Wine offers the program a 5-6-5 format and converts to 5-5-5 itself,
# so the clock draws as at 16 bits and the screen shows that face with green at 5 bits.
# (The clock's own 5-5-5 drawing cannot be had from Wine; the unit tests cover it.)
. "$(dirname "$0")/display_face.bash"
face_scenario 15 15

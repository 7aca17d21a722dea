#!/bin/bash
# Regenerates the committed artwork and chime in resources/ from the drawing code in
# resources/art, after checking the painter and the file writers. Pass names (frame font
# panel icons chime) to make only some of them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
art=$root/resources/art
(cd "$art" && python3 -B -m unittest -q test_generator)
exec python3 -B "$art/make_art.py" "$root/resources" "$@"

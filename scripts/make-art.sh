#!/bin/bash
# Regenerates the committed artwork and chime in resources/ from the drawing code in
# resources/art. Pass names (frame font panel icons chime) to make only some of them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec python3 -B "$root/resources/art/make_art.py" "$root/resources" "$@"

"""The clock's frame: a blue hexagon with a light blue ring around a see-through dial.

Everything outside the hexagon is pure red, which the program cuts away from the window;
the dial is pure black, which the colour key turns into a window onto the picture below.
"""

import math

from glyphs import HEIGHT, WIDTH, draw_text, text_width
from raster import TRANSPARENT, Canvas, inset_convex, quantise

SIZE = 160
CENTRE = 80.0
RED = (255, 0, 0)
BLACK = (0, 0, 0)

DIAL_RADIUS = 60.2      # see-through inside this circle; the minute hand reaches 54
RING_INNER = 61.2
RING_OUTER = 66.3
RING_EDGE = 67.5
NUMERAL_RADIUS = 48.5
NUMERAL_HEIGHT = 9.0

EDGE_BLUE = (28, 44, 120)
HILITE_BLUE = (120, 170, 240)
FRAME_BLUE = (48, 94, 198)
RING_DARK = (30, 56, 140)
RING_LIGHT = (160, 212, 250)
RING_LINE = (74, 124, 212)
MARK_WHITE = (250, 252, 255)
RIVET = (196, 226, 255)
NUMERAL_GREEN = (110, 232, 100)
NUMERAL_SHADOW = (18, 84, 36)


def hexagon_spans():
    """First and last non-red column of each row.

    The top point is symmetric about column 80; the bottom point leans one column left,
    and its right flank is a little steeper than its left. Integer arithmetic keeps every
    row exact.
    """
    spans = []
    for y in range(SIZE):
        d = SIZE - 1 - y
        left = max(0, 79 - (165 * y) // 100, 78 - (5 * d) // 3)
        right = min(SIZE - 1, 160 - (79 - (165 * y) // 100), 81 + (64 * d) // 39)
        spans.append((left, right))
    return spans


# Rows whose spans the window shape depends on, checked on every build.
REQUIRED_SPANS = {0: (79, 81), 1: (78, 82), 2: (76, 84), 40: (13, 147), 80: (0, 159),
                  120: (13, 145), 159: (78, 81)}

# The hexagon as a vector outline, clockwise, hugging the spans above.
HEXAGON = [(80.0, -0.6), (160.4, 48.3), (160.4, 111.4), (79.5, 160.6), (-0.4, 112.0), (-0.4, 48.0)]


def _check(spans, pixels):
    for y, want in REQUIRED_SPANS.items():
        assert spans[y] == want, 'row %d spans %s, not %s' % (y, spans[y], want)
    for y, row in enumerate(pixels):
        left, right = spans[y]
        inside = [x for x, c in enumerate(row) if c != RED]
        assert inside == list(range(left, right + 1)), 'row %d is not one run %d..%d' % (y, left, right)
        for x in inside:
            c = row[x]
            if c == BLACK:
                assert math.hypot(x + 0.5 - CENTRE, y + 0.5 - CENTRE) < RING_INNER, \
                    'see-through pixel (%d, %d) outside the dial' % (x, y)


def draw():
    """Returns (palette, index rows) of the frame bitmap."""
    spans = hexagon_spans()
    cv = Canvas(SIZE, SIZE, ss=4)
    cv.fill_rows(spans, EDGE_BLUE)
    cv.fill(inset_convex(HEXAGON, 1.9), HILITE_BLUE)
    cv.fill(inset_convex(HEXAGON, 3.3), FRAME_BLUE)

    # A rivet in each corner, halfway between the ring and the frame's point.
    for vx, vy in inset_convex(HEXAGON, 3.3):
        dx, dy = vx - CENTRE, vy - CENTRE
        d = math.hypot(dx, dy)
        r = (RING_EDGE + d - 2) / 2
        cv.circle(CENTRE + dx / d * r, CENTRE + dy / d * r, 2.2, RIVET, outline=EDGE_BLUE, ow=0.9)

    cv.circle(CENTRE, CENTRE, RING_EDGE, RING_DARK)
    cv.circle(CENTRE, CENTRE, RING_OUTER, RING_LIGHT)
    cv.circle(CENTRE, CENTRE, RING_INNER, RING_LINE)
    for h in range(12):
        a = math.radians(h * 30)
        r = (RING_INNER + RING_OUTER) / 2
        cv.circle(CENTRE + r * math.sin(a), CENTRE - r * math.cos(a), 1.5 if h % 3 else 1.9, MARK_WHITE)
    cv.circle(CENTRE, CENTRE, DIAL_RADIUS, TRANSPARENT)

    unit = NUMERAL_HEIGHT / HEIGHT
    for h in range(1, 13):
        a = math.radians(h * 30)
        text = str(h)
        w = text_width(text, unit, advance=6.0) if len(text) > 1 else WIDTH * unit
        x = CENTRE + NUMERAL_RADIUS * math.sin(a) - w / 2
        y = CENTRE - NUMERAL_RADIUS * math.cos(a) - NUMERAL_HEIGHT / 2
        draw_text(cv, text, x + 0.8, y + 0.8, unit, 1.6, NUMERAL_SHADOW, advance=6.0)
        draw_text(cv, text, x, y, unit, 1.6, NUMERAL_GREEN, advance=6.0)

    pixels = cv.pixels()
    for y, (left, right) in enumerate(spans):
        row = pixels[y]
        for x in range(SIZE):
            if x < left or x > right:
                row[x] = RED
    _check(spans, pixels)
    return quantise(pixels, [BLACK, RED])

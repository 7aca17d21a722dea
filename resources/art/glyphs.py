"""Stroke outlines of the digits and the colon, shared by the dial numerals and the read-out.

Each glyph is a list of polylines in a box 6 units wide and 10 units tall (y down); the
painter strokes them with round ends, so the same outlines serve at any size.
"""

from raster import bezier, ellipse_points, path

WIDTH, HEIGHT = 6.0, 10.0


def _closed(pts):
    return pts + [pts[0]]


def _six():
    return [bezier((5.0, 1.0), (3.6, -0.3), (0.7, 0.3), (0.55, 6.3), 10),
            _closed(ellipse_points(3.0, 6.95, 2.45, 2.6, n=28))]


def _turned(strokes):
    return [[(WIDTH - x, HEIGHT - y) for x, y in s] for s in strokes]


DIGITS = {
    '0': [_closed(ellipse_points(3.0, 5.0, 2.55, 4.55, n=36))],
    '1': [[(1.5, 2.3), (3.5, 0.45), (3.5, 9.55)]],
    '2': [path(bezier((0.7, 2.5), (1.0, 0.1), (5.3, -0.1), (5.2, 2.7)),
               bezier((5.2, 2.7), (5.1, 4.6), (1.6, 6.8), (0.5, 9.55)), [(5.6, 9.55)])],
    '3': [path(bezier((0.7, 1.5), (2.0, -0.4), (5.5, 0.2), (5.1, 2.6)),
               bezier((5.1, 2.6), (4.8, 4.3), (3.3, 4.65), (2.3, 4.65))),
          path(bezier((2.3, 4.65), (4.3, 4.65), (5.7, 5.7), (5.4, 7.5)),
               bezier((5.4, 7.5), (5.0, 10.2), (1.3, 10.3), (0.45, 8.3)))],
    '4': [[(4.3, 9.55), (4.3, 0.45), (0.4, 6.8), (5.7, 6.8)]],
    '5': [path([(5.2, 0.45), (1.35, 0.45), (0.95, 4.3)],
               bezier((0.95, 4.3), (2.8, 3.1), (5.6, 3.8), (5.5, 6.6)),
               bezier((5.5, 6.6), (5.4, 10.1), (1.5, 10.4), (0.45, 8.3)))],
    '6': _six(),
    '7': [[(0.5, 0.45), (5.6, 0.45), (2.4, 9.55)]],
    '8': [_closed(ellipse_points(3.0, 2.55, 2.1, 2.1, n=28)),
          _closed(ellipse_points(3.0, 7.15, 2.5, 2.4, n=30))],
    '9': _turned(_six()),
}

COLON_DOTS = [(3.0, 2.9), (3.0, 7.3)]


def draw_text(canvas, text, x, y, unit, width, colour, advance=6.6):
    """Strokes `text` with its top-left at (x, y), `unit` pixels per glyph unit."""
    for k, ch in enumerate(text):
        canvas.push()
        canvas.translate(x + k * advance * unit, y)
        canvas.scale(unit)
        if ch == ':':
            for cx, cy in COLON_DOTS:
                canvas.circle(cx, cy, width / unit * 0.75, colour)
        else:
            for s in DIGITS[ch]:
                canvas.stroke(s, width / unit, colour)
        canvas.pop()


def text_width(text, unit, advance=6.6):
    return ((len(text) - 1) * advance + WIDTH) * unit


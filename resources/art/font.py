"""The read-out strip: red italic digits and a colon in 16-pixel cells, the ALARM label and a
blue diamond, all on see-through black."""

import math

from glyphs import draw_text
from raster import TRANSPARENT, Canvas, ellipse_points, quantise

WIDTH, HEIGHT = 224, 18
CELL = 16
GLYPH_W, GLYPH_H = 15, 17     # the part of a cell the program copies
LABEL_X, LABEL_W = 176, 32
DIAMOND_X = 208

BLACK = (0, 0, 0)
DIGIT_RED = (244, 52, 52)
DIGIT_SHADOW = (104, 14, 26)
BADGE_RED = (222, 40, 58)
BADGE_EDGE = (116, 16, 34)
LETTER_WHITE = (255, 246, 240)
DIAMOND_BLUE = (64, 112, 232)
DIAMOND_EDGE = (170, 204, 255)

ITALIC = 0.2
UNIT = 1.42          # pixels per glyph unit: digits 14 pixels tall
STROKE = 2.1

# Pixel letters of the label, 7 rows each.
LETTERS = {
    'A': ['.###.', '#...#', '#...#', '#####', '#...#', '#...#', '#...#'],
    'L': ['#...', '#...', '#...', '#...', '#...', '#...', '####'],
    'R': ['####.', '#...#', '#...#', '####.', '#.#..', '#..#.', '#...#'],
    'M': ['#...#', '##.##', '#.#.#', '#.#.#', '#...#', '#...#', '#...#'],
}


def _glyph(cv, k, text):
    cv.push()
    cv.translate(CELL * k + 4.3, 1.4)
    cv.shear(ITALIC)
    draw_text(cv, text, 0.9, 0.9, UNIT, STROKE, DIGIT_SHADOW)
    draw_text(cv, text, 0, 0, UNIT, STROKE, DIGIT_RED)
    cv.pop()


def _rounded_rect(x0, y0, x1, y1, r):
    pts = []
    for cx, cy, a in ((x1 - r, y0 + r, -math.pi / 2), (x1 - r, y1 - r, 0.0),
                      (x0 + r, y1 - r, math.pi / 2), (x0 + r, y0 + r, math.pi)):
        pts += ellipse_points(cx, cy, r, r, a0=a, a1=a + math.pi / 2, n=8)
    return pts


def _label_letters(pixels):
    x = LABEL_X + 2
    for ch in 'ALARM':
        rows = LETTERS[ch]
        for dy, bits in enumerate(rows):
            for dx, b in enumerate(bits):
                if b == '#':
                    pixels[5 + dy][x + dx] = LETTER_WHITE
        x += len(rows[0]) + 1


def _check(pixels):
    for k in range(11):
        for y in range(HEIGHT):
            for x in range(CELL * k, CELL * k + CELL):
                if pixels[y][x] != BLACK:
                    assert x < CELL * k + GLYPH_W and y < GLYPH_H, 'glyph %d spills at (%d, %d)' % (k, x, y)


def draw():
    cv = Canvas(WIDTH, HEIGHT, ss=4)
    cv.fill([(0, 0), (WIDTH, 0), (WIDTH, HEIGHT), (0, HEIGHT)], TRANSPARENT)
    for k in range(10):
        _glyph(cv, k, str(k))
    _glyph(cv, 10, ':')
    cv.poly(_rounded_rect(LABEL_X + 0.5, 2.5, LABEL_X + LABEL_W - 0.5, 14.5, 3.0), BADGE_RED,
            outline=BADGE_EDGE, ow=1.0)
    cx, cy = DIAMOND_X + 8.0, 9.0
    cv.poly([(cx, cy - 7.2), (cx + 7.2, cy), (cx, cy + 7.2), (cx - 7.2, cy)], DIAMOND_BLUE,
            outline=DIAMOND_EDGE, ow=1.2)
    pixels = cv.pixels()
    _label_letters(pixels)
    _check(pixels)
    return quantise(pixels, [BLACK])

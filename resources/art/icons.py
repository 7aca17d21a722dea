"""The program's icons: the girl's face, and a little alarm clock for the About box.

Icons are 16-colour images with a mask; a pixel is opaque when at least half of it is
covered, and takes the colour of what covers it, so the edges stay crisp at 1:1.
"""

import girl as g
from raster import TRANSPARENT, Canvas, map_to_palette, quantise

BLACK = (0, 0, 0)
CLOCK_RED = (232, 62, 74)
CLOCK_LINE = (104, 30, 44)
BELL = (255, 212, 84)
FACE = (255, 252, 246)


# Her icon keeps her own flat colours; blends at the edges snap to the nearest of them.
FACE_PALETTE = [BLACK, g.LINE, g.SKIN, g.SKIN_SHADE, g.HAIR, g.HAIR_DARK, g.HAIR_LIGHT, g.EYE, g.EYE_LIGHT,
                g.BLUSH, g.MOUTH, g.TONGUE, g.BOW, g.BOW_LIGHT, (200, 140, 120), (136, 92, 96)]

# A 16 x 16 face set by hand (left half, mirrored): at this size a drawn face turns to mud.
SMALL_FACE_LEFT = ['......dd', '....ddHH', '...dHhhH', '..dHhHHH', '.dHHHHHH', '.dHHHHHH', '.dHHsHHs',
                   'dHHsssss', 'dHHsEsss', 'dHHsEsss', 'dHpsssss', 'dHHsssss', '.dHsssss', '.dHdssss',
                   '..d.dLLL', '........']
# (row, column, key) drawn over the mirrored half: her bow, her mouth, one-sided shine.
SMALL_FACE_PATCH = [(0, 11, 'B'), (0, 13, 'B'), (1, 11, 'B'), (1, 12, 'b'), (1, 13, 'B'), (2, 11, 'B'),
                    (2, 13, 'B'), (11, 7, 'm'), (11, 8, 'm'), (2, 9, 'H'), (2, 10, 'H'), (3, 11, 'H')]
SMALL_KEYS = {'H': g.HAIR, 'h': g.HAIR_LIGHT, 'd': g.HAIR_DARK, 's': g.SKIN, 'E': g.EYE, 'p': g.BLUSH,
              'm': g.MOUTH, 'L': g.LINE, 'B': g.BOW, 'b': g.BOW_LIGHT}


def _image(size, paint, palette=None, ss=8):
    cv = Canvas(size, size, ss=ss)
    cv.fill([(0, 0), (size, 0), (size, size), (0, size)], TRANSPARENT)
    paint(cv, size)
    colours, mask = [], []
    for row in cv.pixels_and_cover():
        colours.append([c if cover >= 0.5 else BLACK for c, cover in row])
        mask.append([0 if cover >= 0.5 else 1 for _, cover in row])
    if palette is None:
        palette, index_rows = quantise(colours, [BLACK], size=16, exact_min=2)
    else:
        index_rows = map_to_palette(colours, palette, keep=[BLACK])
    for y, row in enumerate(mask):
        for x, clear in enumerate(row):
            assert not clear or index_rows[y][x] == 0, 'see-through pixel (%d, %d) is not black' % (x, y)
    return palette, index_rows, mask


def _face(cv, size):
    r = size * 0.375
    g.head(cv, size / 2, size * 0.52, r, eyes='dot', mouth='open')


def _clock(cv, size):
    cv.scale(size / 32)
    for x in (10.5, 21.5):
        cv.line((16, 20), (x + (x - 16) * 0.5, 30), 2.2, CLOCK_LINE)
    cv.line((16, 2.6), (16, 6), 2.0, CLOCK_LINE)
    cv.circle(16, 2.8, 1.8, BELL, outline=CLOCK_LINE, ow=1.0)
    for x in (8.0, 24.0):
        cv.circle(x, 8.5, 5.2, BELL, outline=CLOCK_LINE, ow=1.2)
    cv.circle(16, 18, 12.2, CLOCK_RED, outline=CLOCK_LINE, ow=1.3)
    cv.circle(16, 18, 8.8, FACE, outline=CLOCK_LINE, ow=1.0)
    for x, y in ((16, 11.6), (22.4, 18), (16, 24.4), (9.6, 18)):
        cv.circle(x, y, 0.9, CLOCK_LINE)
    cv.line((16, 18), (16, 12.8), 1.5, CLOCK_LINE)
    cv.line((16, 18), (20.6, 19.8), 1.5, CLOCK_LINE)
    cv.circle(16, 18, 1.3, CLOCK_RED)


def face_icon():
    """Icon 115: her face at 32 x 32 and 16 x 16."""
    grid = [list(half + half[::-1]) for half in SMALL_FACE_LEFT]
    for y, x, key in SMALL_FACE_PATCH:
        grid[y][x] = key
    index_rows = [[0 if k == '.' else FACE_PALETTE.index(SMALL_KEYS[k]) for k in row] for row in grid]
    mask = [[1 if k == '.' else 0 for k in row] for row in grid]
    return [_image(32, _face, FACE_PALETTE, ss=1), (FACE_PALETTE, index_rows, mask)]


def clock_icon():
    """The About box's second icon: an alarm clock at 32 x 32."""
    return [_image(32, _clock)]

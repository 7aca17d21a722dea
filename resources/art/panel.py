"""The nine pictures of the girl behind the dial, side by side in one 1440 x 160 strip.

Only the round dial shows them, so each scene is composed inside a circle of radius 62
around the picture's centre (the ring hides the rest) and everything outside is black.
"""

import math

import girl as g
from raster import Canvas, bezier, ellipse_points, path, quantise

SIZE = 160
PICTURES = 9
SCENE_RADIUS = 62.5
BLACK = (0, 0, 0)
WHITE = (255, 252, 246)
STAR = (255, 236, 140)


def _rect(cv, x0, y0, x1, y1, colour, outline=None, ow=1.0):
    cv.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], colour, outline=outline, ow=ow)


def _room(cv, wall, floor, floor_y, skirting):
    _rect(cv, 0, 0, SIZE, floor_y, wall)
    _rect(cv, 0, floor_y, SIZE, SIZE, floor)
    _rect(cv, 0, floor_y - 2, SIZE, floor_y, skirting)


def _window(cv, x0, y0, x1, y1, sky, frame=WHITE):
    _rect(cv, x0 - 2, y0 - 2, x1 + 2, y1 + 2, frame, outline=g.LINE, ow=0.9)
    _rect(cv, x0, y0, x1, y1, sky)
    cv.line(((x0 + x1) / 2, y0), ((x0 + x1) / 2, y1), 1.6, frame)
    cv.line((x0, (y0 + y1) / 2), (x1, (y0 + y1) / 2), 1.6, frame)


def _cloud(cv, x, y, s):
    for dx, dy, r in ((0, 0, 3.2), (3.6, -1.2, 3.8), (7.2, 0.2, 3.0), (3.6, 1.4, 3.2)):
        cv.circle(x + dx * s, y + dy * s, r * s, WHITE)


def _stars(cv, points, colour=STAR):
    for x, y, r in points:
        cv.poly([(x, y - r), (x + r * 0.3, y - r * 0.3), (x + r, y), (x + r * 0.3, y + r * 0.3),
                 (x, y + r), (x - r * 0.3, y + r * 0.3), (x - r, y), (x - r * 0.3, y - r * 0.3)], colour)


def _moon(cv, x, y, r, sky):
    cv.circle(x, y, r, (255, 240, 170))
    cv.circle(x + r * 0.45, y - r * 0.3, r * 0.85, sky)


def _bowl(cv, x, y, w, colour, filling):
    """A bowl seen slightly from above, heaped with `filling`."""
    cv.ellipse(x, y - w * 0.12, w * 0.46, w * 0.22, filling, outline=g.LINE, ow=0.9)
    body = path(bezier((x - w / 2, y - w * 0.1), (x - w * 0.45, y + w * 0.42), (x + w * 0.45, y + w * 0.42),
                       (x + w / 2, y - w * 0.1), 12))
    cv.poly(body, colour, outline=g.LINE, ow=0.9)


def _low_table(cv, y, colour, top):
    """A low round-cornered table across the front of the picture."""
    cv.poly([(36, y + 10), (40, y + 30), (47, y + 30), (47, y + 10)], colour, outline=g.LINE, ow=0.9)
    cv.poly([(124, y + 10), (120, y + 30), (113, y + 30), (113, y + 10)], colour, outline=g.LINE, ow=0.9)
    cv.poly(path(bezier((14, y + 4), (14, y - 4), (20, y - 6), (30, y - 6), 6), [(130, y - 6)],
                 bezier((130, y - 6), (140, y - 6), (146, y - 4), (146, y + 4), 6),
                 [(146, y + 11), (14, y + 11)]), top, outline=g.LINE, ow=1.0)
    cv.line((14, y + 6), (146, y + 6), 1.0, colour)


def _seated_eater(cv, eyes, mouth, bowl_colour, food):
    """She sits behind the low table, bowl in one hand, chopsticks at her mouth in the other."""
    g.back_hair(cv, 80, 50, 18)
    g.shirt(cv, (80, 67), 30, (80, 104), 34)
    g.head(cv, 80, 50, 18, eyes=eyes, mouth=mouth, hair_back=False)
    g.arm(cv, (67, 74), (60, 90), (68, 92))
    _bowl(cv, 68, 89, 16, bowl_colour, food)
    cv.circle(68, 93, 3.2 + g.OUTLINE_PX, g.LINE)
    cv.circle(68, 93, 3.2, g.SKIN)
    g.arm(cv, (93, 74), (101, 88), (95, 78))
    cv.line((95, 80), (84, 64), 1.3, (150, 92, 52))
    cv.line((97, 79), (87, 63), 1.3, (150, 92, 52))
    cv.circle(95, 78, 3.2, g.SKIN)


def standing(cv):
    cv.push()
    cv.translate(80, 80)
    cv.scale(1.12)
    cv.translate(-80, -82)
    _standing(cv)
    cv.pop()


def _standing(cv):
    _room(cv, (246, 204, 160), (204, 150, 104), 116, (170, 118, 80))
    _window(cv, 28, 38, 60, 76, (156, 212, 255))
    _cloud(cv, 34, 50, 1.0)
    cv.poly([(120, 104), (132, 104), (130, 116), (122, 116)], (214, 120, 84), outline=g.LINE, ow=0.9)
    for a in (-30, 0, 30):
        cv.push()
        cv.translate(126, 104)
        cv.rotate(a)
        cv.ellipse(0, -8, 3.2, 8, (104, 184, 96), outline=g.LINE, ow=0.9)
        cv.pop()
    g.back_hair(cv, 80, 49, 17)
    g.limb(cv, [(75, 100), (75, 125)], 5.4, g.SKIN)
    g.limb(cv, [(85, 100), (85, 125)], 5.4, g.SKIN)
    for x in (75, 85):
        cv.line((x, 118), (x, 125), 5.4, g.SOCK)
        cv.ellipse(x + (x - 80) * 0.3, 128, 4.6, 2.8, g.SHOE, outline=g.LINE, ow=0.9)
    g.skirt(cv, (80, 86), 21, 104, 38)
    g.shirt(cv, (80, 65), 26, (80, 88), 22)
    g.arm(cv, (70, 71), (66, 82), (66, 93))
    g.arm(cv, (90, 71), (100, 68), (104, 55))
    g.head(cv, 80, 49, 17, eyes='open', mouth='open', hair_back=False)


def brushing_teeth(cv):
    _rect(cv, 0, 0, SIZE, SIZE, (150, 206, 228))
    for k in range(0, SIZE, 12):
        cv.line((k, 0), (k, SIZE), 0.8, (122, 182, 210))
        cv.line((0, k), (SIZE, k), 0.8, (122, 182, 210))
    cv.ellipse(120, 44, 14, 18, (236, 248, 255), outline=(150, 170, 190), ow=2.0)
    cv.line((113, 36), (119, 30), 1.4, WHITE)
    g.back_hair(cv, 80, 58, 20)
    g.skirt(cv, (80, 122), 30, 146, 50)
    g.shirt(cv, (80, 77), 32, (80, 124), 32)
    g.head(cv, 80, 58, 20, eyes='happy', mouth='open', hair_back=False)
    g.arm(cv, (94, 84), (104, 100), (102, 108))
    cv.poly([(97, 96), (109, 96), (108, 110), (98, 110)], (255, 214, 96), outline=g.LINE, ow=0.9)
    cv.stroke(bezier((109, 99), (113, 99), (113, 106), (108.5, 106), 6), 1.4, g.LINE)
    cv.circle(102, 108, 3.2 + g.OUTLINE_PX, g.LINE)
    cv.circle(102, 108, 3.2, g.SKIN)
    g.arm(cv, (66, 84), (56, 96), (63, 78))
    cv.line((60, 82), (78, 71), 2.6, (96, 190, 236))
    cv.poly([(75, 68), (81, 67), (82, 71), (76, 72)], WHITE, outline=(150, 170, 190), ow=0.7)
    cv.circle(63, 78, 3.2, g.SKIN)
    for x, y, r in ((86.0, 72.0, 2.2), (89.5, 68.5, 1.6), (88.5, 75.5, 1.3), (92.0, 72.0, 1.0)):
        cv.circle(x, y, r, WHITE, outline=(150, 186, 214), ow=0.6)


def eating_lunch(cv):
    _room(cv, (244, 206, 146), (178, 192, 112), 96, (150, 120, 76))
    _window(cv, 100, 30, 132, 62, (156, 212, 255))
    _cloud(cv, 108, 40, 0.9)
    _seated_eater(cv, 'open', 'open', (208, 64, 64), WHITE)
    _low_table(cv, 108, (150, 92, 58), (186, 122, 76))
    cv.ellipse(104, 110, 12, 4.5, WHITE, outline=g.LINE, ow=0.8)
    cv.ellipse(104, 109, 7, 2.6, (255, 200, 80), outline=g.LINE, ow=0.7)
    cv.ellipse(58, 110, 6, 3, (120, 176, 96), outline=g.LINE, ow=0.8)


def holding_pot(cv):
    _room(cv, (172, 222, 194), (214, 184, 140), 120, (140, 176, 150))
    _rect(cv, 0, 70, SIZE, 74, (146, 200, 172))
    _rect(cv, 22, 62, 56, 65, (196, 150, 104), outline=g.LINE, ow=0.8)
    for x, colour in ((29, (255, 200, 110)), (39, (170, 214, 120)), (49, (255, 170, 150))):
        cv.poly([(x - 3.5, 62), (x + 3.5, 62), (x + 3.5, 53), (x - 3.5, 53)], colour, outline=g.LINE, ow=0.8)
        cv.poly([(x - 4, 53), (x + 4, 53), (x + 4, 50.5), (x - 4, 50.5)], WHITE, outline=g.LINE, ow=0.8)
    cv.line((118, 30), (118, 52), 1.8, (150, 160, 170))
    cv.ellipse(118, 56, 5, 4, (170, 180, 190), outline=g.LINE, ow=0.8)
    g.back_hair(cv, 80, 46, 17)
    g.limb(cv, [(75, 110), (75, 128)], 5.4, g.SKIN)
    g.limb(cv, [(85, 110), (85, 128)], 5.4, g.SKIN)
    for x in (75, 85):
        cv.line((x, 122), (x, 128), 5.4, g.SOCK)
        cv.ellipse(x + (x - 80) * 0.3, 131, 4.6, 2.8, g.SHOE, outline=g.LINE, ow=0.9)
    g.skirt(cv, (80, 86), 21, 112, 40)
    g.shirt(cv, (80, 62), 26, (80, 90), 22)
    g.head(cv, 80, 46, 17, eyes='open', mouth='open', hair_back=False)
    pot = (226, 58, 58)
    g.arm(cv, (70, 68), (60, 80), (58, 94))
    g.arm(cv, (90, 68), (100, 80), (102, 94))
    cv.ellipse(56, 94, 5, 3.4, pot, outline=g.LINE, ow=0.9)
    cv.ellipse(104, 94, 5, 3.4, pot, outline=g.LINE, ow=0.9)
    cv.circle(80, 98, 23, pot, outline=g.LINE, ow=1.2)
    cv.stroke(ellipse_points(80, 98, 17, 17, a0=math.radians(200), a1=math.radians(250), n=8), 3.0,
              (255, 140, 130))
    cv.ellipse(80, 80, 20, 5, (196, 44, 48), outline=g.LINE, ow=0.9)
    cv.ellipse(80, 76, 4, 2.4, (250, 214, 100), outline=g.LINE, ow=0.8)
    for x in (58, 102):
        cv.circle(x, 95, 3.2 + g.OUTLINE_PX, g.LINE)
        cv.circle(x, 95, 3.2, g.SKIN)
    _stars(cv, [(92, 90, 2.4)], WHITE)


def eating_dinner(cv):
    night = (54, 64, 128)
    _room(cv, (240, 172, 124), (190, 138, 92), 96, (150, 100, 66))
    _window(cv, 100, 30, 132, 62, night)
    _moon(cv, 122, 40, 5, night)
    _stars(cv, [(108, 38, 1.6), (112, 54, 1.3), (126, 56, 1.2)])
    _rect(cv, 30, 40, 52, 58, (255, 248, 230), outline=(150, 100, 70), ow=2.0)
    cv.poly([(32, 57), (40, 47), (46, 53), (50, 57)], (120, 180, 110))
    cv.circle(46, 46, 2.2, (255, 170, 90))
    _seated_eater(cv, 'happy', 'chew', (92, 120, 200), WHITE)
    _low_table(cv, 108, (150, 92, 58), (186, 122, 76))
    cv.ellipse(104, 110, 12, 4.5, WHITE, outline=g.LINE, ow=0.8)
    cv.ellipse(104, 109, 8, 2.8, (196, 120, 60), outline=g.LINE, ow=0.7)
    cv.ellipse(58, 110, 5, 3, (255, 236, 200), outline=g.LINE, ow=0.8)


def asleep(cv):
    sky = (46, 54, 114)
    _rect(cv, 0, 0, SIZE, SIZE, sky)
    _moon(cv, 46, 34, 8, sky)
    _stars(cv, [(70, 28, 2.2), (94, 22, 1.6), (136, 62, 1.8), (28, 60, 1.4), (132, 42, 1.3)])
    cv.ellipse(80, 62, 38, 15, WHITE, outline=g.LINE, ow=1.0)
    g.head(cv, 80, 60, 19, eyes='sleep', mouth='smile')
    blanket = (108, 150, 228)
    cv.poly(path([(14, 84)], bezier((14, 84), (50, 76), (110, 76), (146, 84), 12), [(150, 160), (10, 160)]),
            blanket, outline=g.LINE, ow=1.1)
    cv.stroke(bezier((15, 88), (50, 80), (110, 80), (145, 88), 12), 4.0, WHITE)
    for x, y in ((40, 104), (64, 98), (96, 100), (120, 106), (52, 124), (80, 118), (108, 126), (30, 126),
                 (132, 124), (70, 140), (96, 140)):
        cv.circle(x, y, 3.2, (255, 236, 140))
    for x in (66, 94):
        cv.circle(x, 86, 3.6 + g.OUTLINE_PX, g.LINE)
        cv.circle(x, 86, 3.6, g.SKIN)
    g.zzz(cv, 102, 46, 5, STAR)
    g.zzz(cv, 109, 32, 7, STAR)


def hugging_knees(cv):
    night = (54, 64, 128)
    _room(cv, (182, 162, 222), (142, 120, 188), 104, (120, 100, 164))
    _window(cv, 102, 28, 132, 60, night)
    _stars(cv, [(110, 36, 1.6), (124, 50, 1.3), (114, 54, 1.0)])
    _moon(cv, 126, 36, 4, night)
    cv.ellipse(80, 118, 46, 10, (240, 180, 200), outline=g.LINE, ow=0.9)
    g.back_hair(cv, 80, 50, 17, tilt=-8)
    g.shirt(cv, (80, 66), 28, (80, 104), 34)
    g.skirt(cv, (80, 102), 34, 116, 56)
    for x in (74, 86):
        g.limb(cv, [(x, 82), (x, 108)], 8.0, g.SKIN)
        cv.ellipse(x, 112, 5.0, 3.4, g.SHOE, outline=g.LINE, ow=0.9)
        cv.line((x, 104), (x, 108), 8.0, g.SOCK)
    g.head(cv, 80, 50, 17, eyes='open', mouth='smile', tilt=-8, hair_back=False)
    g.arm(cv, (67, 71), (63, 86), (77, 94))
    g.arm(cv, (93, 71), (97, 86), (83, 94))


def yawning(cv):
    _room(cv, (140, 150, 214), (110, 118, 186), 112, (92, 100, 164))
    _window(cv, 22, 36, 48, 66, (54, 64, 128))
    _stars(cv, [(30, 44, 1.5), (40, 58, 1.2)])
    g.back_hair(cv, 80, 62, 18)
    g.skirt(cv, (80, 126), 32, 150, 52)
    g.shirt(cv, (80, 80), 32, (80, 128), 32)
    g.arm(cv, (67, 86), (56, 62), (72, 32))
    g.arm(cv, (93, 86), (104, 62), (88, 32))
    g.head(cv, 80, 62, 18, eyes='squeeze', mouth='yawn', hair_back=False)
    cv.ellipse(64, 60, 1.6, 2.4, (170, 220, 255), outline=(110, 160, 210), ow=0.6)
    for y in (46, 52):
        cv.stroke(bezier((106, y), (110, y - 3), (113, y + 3), (117, y), 6), 1.2, WHITE)


def close_up(cv):
    _rect(cv, 0, 0, SIZE, SIZE, (246, 176, 200))
    for x, y, s in ((34, 50, 1.0), (128, 46, 1.2), (120, 118, 0.9), (40, 116, 0.8)):
        cv.push()
        cv.translate(x, y)
        cv.scale(s)
        cv.poly(path(bezier((0, 4), (-8, -2), (-4, -8), (0, -3), 8), bezier((0, -3), (4, -8), (8, -2), (0, 4), 8)),
                (255, 214, 226))
        cv.pop()
    _stars(cv, [(56, 28, 2.4), (106, 22, 2.0), (140, 84, 2.2), (20, 84, 2.0)], WHITE)
    g.back_hair(cv, 80, 72, 40)
    cv.poly([(70, 100), (90, 100), (90, 128), (70, 128)], g.SKIN_SHADE, outline=g.LINE, ow=g.OUTLINE_PX)
    cv.poly(path(bezier((20, 170), (24, 138), (48, 126), (68, 123), 10), [(92, 123)],
                 bezier((92, 123), (112, 126), (136, 138), (140, 170), 10)), g.TOP, outline=g.LINE, ow=g.OUTLINE_PX)
    for side in (-1, 1):
        cv.poly([(80, 136), (80 + 13 * side, 122), (80 + 21 * side, 129)], g.COLLAR, outline=g.LINE,
                ow=g.OUTLINE_PX)
    g.head(cv, 80, 72, 40, eyes='open', mouth='open', hair_back=False)


SCENES = [standing, brushing_teeth, eating_lunch, holding_pot, eating_dinner, asleep, hugging_knees, yawning,
          close_up]


def scene_pixels(k):
    cv = Canvas(SIZE, SIZE, ss=4)
    SCENES[k](cv)
    rows = cv.pixels()
    for y in range(SIZE):
        for x in range(SIZE):
            if math.hypot(x + 0.5 - 80, y + 0.5 - 80) > SCENE_RADIUS:
                rows[y][x] = BLACK
    return rows


def draw():
    rows = [[] for _ in range(SIZE)]
    for k in range(PICTURES):
        for y, r in enumerate(scene_pixels(k)):
            rows[y] += r
    return quantise(rows, [BLACK])

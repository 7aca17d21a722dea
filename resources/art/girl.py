"""The girl of the pictures: her colours, her head and the pieces her poses are built from.

Every picture and the program icon draw her with these pieces, so her hair, face and
clothes stay the same from one hour to the next.
"""

import math

from raster import bezier, ellipse_points, path

LINE = (92, 52, 54)            # outlines
SKIN = (255, 224, 200)
SKIN_SHADE = (244, 190, 170)
HAIR = (156, 86, 52)
HAIR_DARK = (112, 58, 40)
HAIR_LIGHT = (206, 134, 86)
EYE = (72, 44, 62)
EYE_LIGHT = (255, 255, 255)
BLUSH = (255, 166, 176)
MOUTH = (204, 72, 84)
TONGUE = (255, 142, 150)
BOW = (238, 72, 112)
BOW_LIGHT = (255, 150, 176)
TOP = (255, 150, 176)          # her shirt
TOP_SHADE = (232, 116, 148)
COLLAR = (255, 252, 246)
SKIRT = (74, 94, 174)
SKIRT_SHADE = (56, 72, 142)
SOCK = (255, 252, 246)
SHOE = (196, 62, 66)

OUTLINE_PX = 1.15


def _arc(cx, cy, rx, ry, a0, a1, n=10):
    return ellipse_points(cx, cy, rx, ry, a0=math.radians(a0), a1=math.radians(a1), n=n)


def _eyes(cv, kind, o):
    for side in (-1, 1):
        x = 0.38 * side
        if kind == 'open':
            cv.ellipse(x, 0.24, 0.13, 0.2, EYE)
            cv.circle(x - 0.045, 0.15, 0.058, EYE_LIGHT)
            cv.circle(x + 0.05, 0.32, 0.03, EYE_LIGHT)
        elif kind == 'dot':
            cv.ellipse(x, 0.24, 0.15, 0.22, EYE)
            cv.circle(x - 0.05, 0.16, 0.07, EYE_LIGHT)
        elif kind == 'happy':
            cv.stroke(bezier((x - 0.14, 0.3), (x - 0.08, 0.13), (x + 0.08, 0.13), (x + 0.14, 0.3), 8), o * 1.5, EYE)
        elif kind == 'sleep':
            cv.stroke(bezier((x - 0.14, 0.22), (x - 0.08, 0.36), (x + 0.08, 0.36), (x + 0.14, 0.22), 8), o * 1.5, EYE)
        elif kind == 'squeeze':
            cv.stroke([(x - 0.12 * side, 0.12), (x + 0.11 * side, 0.23), (x - 0.12 * side, 0.33)], o * 1.5, EYE)


def _mouth(cv, kind, o):
    if kind == 'smile':
        cv.stroke(bezier((-0.12, 0.53), (-0.05, 0.62), (0.05, 0.62), (0.12, 0.53), 8), o * 1.1, LINE)
    elif kind == 'open':
        pts = path(bezier((-0.13, 0.52), (-0.1, 0.74), (0.1, 0.74), (0.13, 0.52), 8))
        cv.poly(pts, MOUTH, outline=LINE, ow=o)
        cv.ellipse(0.0, 0.63, 0.06, 0.035, TONGUE)
    elif kind == 'yawn':
        cv.ellipse(0.0, 0.62, 0.13, 0.17, MOUTH, outline=LINE, ow=o)
        cv.ellipse(0.0, 0.71, 0.07, 0.05, TONGUE)
    elif kind == 'chew':
        cv.stroke([(-0.1, 0.56), (-0.05, 0.6), (0.0, 0.56), (0.05, 0.6), (0.1, 0.56)], o * 1.1, LINE)


def back_hair(cv, x, y, r, tilt=0.0):
    """The bob behind her face; drawn before anything that should pass in front of her hair."""
    o = OUTLINE_PX / r
    cv.push()
    cv.translate(x, y)
    cv.rotate(tilt)
    cv.scale(r)
    bob = path(_arc(0, -0.05, 1.17, 1.12, 180, 360, 24),
               bezier((1.17, -0.05), (1.28, 0.45), (1.26, 0.86), (0.98, 1.0), 8),
               bezier((0.98, 1.0), (0.5, 1.06), (-0.5, 1.06), (-0.98, 1.0), 8),
               bezier((-0.98, 1.0), (-1.26, 0.86), (-1.28, 0.45), (-1.17, -0.05), 8))
    cv.poly(bob, HAIR_DARK, outline=LINE, ow=o)
    cv.pop()


def head(cv, x, y, r, eyes='open', mouth='smile', tilt=0.0, hair_back=True, bow=True):
    """Her head with its centre at (x, y); r is half the width of her face in pixels."""
    o = OUTLINE_PX / r
    if hair_back:
        back_hair(cv, x, y, r, tilt)
    cv.push()
    cv.translate(x, y)
    cv.rotate(tilt)
    cv.scale(r)
    cv.ellipse(0.0, 0.12, 0.95, 0.87, SKIN, outline=LINE, ow=o)
    bangs = path(_arc(0, -0.05, 1.19, 1.14, 168, 372, 28),
                 [(1.0, 0.5), (0.8, 0.02), (0.56, -0.27), (0.4, -0.1), (0.2, -0.31), (0.02, -0.14),
                  (-0.2, -0.33), (-0.4, -0.11), (-0.57, -0.28), (-0.8, 0.02), (-1.0, 0.5)])
    cv.poly(bangs, HAIR, outline=LINE, ow=o)
    cv.stroke(_arc(0, -0.1, 0.86, 0.82, 205, 250, 8), o * 1.6, HAIR_LIGHT)
    if bow:
        cv.poly([(0.72, -0.9), (0.38, -1.22), (0.34, -0.74)], BOW, outline=LINE, ow=o)
        cv.poly([(0.72, -0.9), (1.08, -0.62), (0.98, -1.12)], BOW, outline=LINE, ow=o)
        cv.circle(0.72, -0.9, 0.12, BOW_LIGHT, outline=LINE, ow=o)
    _eyes(cv, eyes, o)
    for side in (-1, 1):
        cv.ellipse(0.6 * side, 0.48, 0.14, 0.08, BLUSH)
    _mouth(cv, mouth, o)
    cv.pop()


def limb(cv, pts, width, colour, end=None, end_colour=SKIN, end_r=None):
    """An arm or leg as a rounded stroke with an outline, optionally ending in a hand or foot."""
    cv.stroke(pts, width + 2 * OUTLINE_PX, LINE)
    if end is not None:
        cv.circle(end[0], end[1], end_r + OUTLINE_PX, LINE)
    cv.stroke(pts, width, colour)
    if end is not None:
        cv.circle(end[0], end[1], end_r, end_colour)


def arm(cv, shoulder, elbow, hand, width=5.0, hand_r=3.2):
    """A short pink sleeve over the shoulder, a bare forearm and a round hand."""
    cv.stroke([shoulder, elbow, hand], width + 2 * OUTLINE_PX, LINE)
    cv.circle(hand[0], hand[1], hand_r + OUTLINE_PX, LINE)
    cv.stroke([elbow, hand], width, SKIN)
    mid = ((shoulder[0] + elbow[0] * 2) / 3, (shoulder[1] + elbow[1] * 2) / 3)
    cv.stroke([shoulder, mid], width + 1.6, TOP, caps=True)
    cv.circle(hand[0], hand[1], hand_r, SKIN)


def shirt(cv, neck, shoulder_w, waist, waist_w):
    """The shirt's body from the base of her neck to her waist, with a white collar."""
    nx, ny = neck
    wx, wy = waist
    nw = shoulder_w * 0.13
    cv.poly([(nx - nw, ny - shoulder_w * 0.3), (nx + nw, ny - shoulder_w * 0.3), (nx + nw, ny + 1),
             (nx - nw, ny + 1)], SKIN_SHADE, outline=LINE, ow=OUTLINE_PX)
    body = path([(nx - shoulder_w * 0.35, ny)],
                bezier((nx - shoulder_w * 0.35, ny), (nx - shoulder_w * 0.5, ny), (nx - shoulder_w * 0.55, ny + 2),
                       (nx - shoulder_w * 0.55, ny + 5), 4),
                [(wx - waist_w / 2, wy), (wx + waist_w / 2, wy)],
                [(nx + shoulder_w * 0.55, ny + 5)],
                bezier((nx + shoulder_w * 0.55, ny + 5), (nx + shoulder_w * 0.55, ny + 2), (nx + shoulder_w * 0.5, ny),
                       (nx + shoulder_w * 0.35, ny), 4))
    cv.poly(body, TOP, outline=LINE, ow=OUTLINE_PX)
    collar_l = [(nx, ny + 3.5), (nx - shoulder_w * 0.36, ny - 0.3), (nx - shoulder_w * 0.3, ny + 3.2)]
    collar_r = [(nx, ny + 3.5), (nx + shoulder_w * 0.36, ny - 0.3), (nx + shoulder_w * 0.3, ny + 3.2)]
    cv.poly(collar_l, COLLAR, outline=LINE, ow=OUTLINE_PX * 0.8)
    cv.poly(collar_r, COLLAR, outline=LINE, ow=OUTLINE_PX * 0.8)


def skirt(cv, waist, waist_w, hem_y, hem_w):
    wx, wy = waist
    pts = path([(wx - waist_w / 2, wy), (wx + waist_w / 2, wy), (wx + hem_w / 2, hem_y)],
               bezier((wx + hem_w / 2, hem_y), (wx + hem_w / 4, hem_y + 2), (wx - hem_w / 4, hem_y + 2),
                      (wx - hem_w / 2, hem_y), 8))
    cv.poly(pts, SKIRT, outline=LINE, ow=OUTLINE_PX)
    for k in (-1, 0, 1):
        cv.line((wx + k * waist_w * 0.2, wy + 2), (wx + k * hem_w * 0.28, hem_y), 0.7, SKIRT_SHADE)


def zzz(cv, x, y, size, colour):
    """A sleeper's Z."""
    cv.stroke([(x, y), (x + size, y), (x, y + size), (x + size, y + size)], size * 0.22, colour)

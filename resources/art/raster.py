"""A small vector painter for the clock's artwork.

Shapes are filled at a supersampled resolution (painter's order, hard edges), then averaged
down to 1:1 and quantised to a palette of our own. Everything is plain Python so the
artwork regenerates anywhere, deterministically, from the drawing code alone.
"""

import math

# Samples of a pixel whose drawing colour is TRANSPARENT become pure black when every sample
# of the pixel is transparent; partly covered pixels blend toward a darkened tone of their
# other samples instead of toward black, so that an anti-aliased edge never turns
# see-through on a 15/16-bit screen.
TRANSPARENT = None

# Darkest tone allowed for a visible pixel: an 8-bit screen snaps anything much darker to
# palette index 0, and 5-5-5/5-6-5 conversion truncates channels below 8 to zero.
MIN_VISIBLE = 28


def lift(c):
    """Raise a visible colour until its brightest channel is at least MIN_VISIBLE."""
    m = max(c)
    if m >= MIN_VISIBLE:
        return c
    d = MIN_VISIBLE - m
    return (c[0] + d, c[1] + d, c[2] + d)


def bezier(p0, c0, c1, p1, n=12):
    """Points along a cubic curve, p0 included, p1 included."""
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * c0[0] + 3 * u * t * t * c1[0] + t * t * t * p1[0],
                    u * u * u * p0[1] + 3 * u * u * t * c0[1] + 3 * u * t * t * c1[1] + t * t * t * p1[1]))
    return pts


def path(*segments):
    """Joins point lists, dropping the repeated point where one segment starts at the last's end."""
    out = []
    for seg in segments:
        for p in seg:
            if out and abs(out[-1][0] - p[0]) < 1e-9 and abs(out[-1][1] - p[1]) < 1e-9:
                continue
            out.append(p)
    return out


def ellipse_points(cx, cy, rx, ry, rot=0.0, a0=0.0, a1=2 * math.pi, n=None):
    if n is None:
        n = max(16, int(2 * math.pi * max(rx, ry) * 1.5))
    cr, sr = math.cos(rot), math.sin(rot)
    pts = []
    full = abs(a1 - a0 - 2 * math.pi) < 1e-9
    steps = n if full else n + 1
    for i in range(steps):
        a = a0 + (a1 - a0) * i / n
        x, y = rx * math.cos(a), ry * math.sin(a)
        pts.append((cx + x * cr - y * sr, cy + x * sr + y * cr))
    return pts


def inset_convex(pts, d):
    """A convex polygon (clockwise on screen) moved inward by d along each edge's normal."""
    n = len(pts)
    lines = []
    for i in range(n):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
        ex, ey = x1 - x0, y1 - y0
        ln = math.hypot(ex, ey)
        nx, ny = -ey / ln, ex / ln  # inward normal for clockwise order with y down
        lines.append(((x0 + nx * d, y0 + ny * d), (ex, ey)))
    out = []
    for i in range(n):
        (p, r), (q, s) = lines[i - 1], lines[i]
        den = r[0] * s[1] - r[1] * s[0]
        t = ((q[0] - p[0]) * s[1] - (q[1] - p[1]) * s[0]) / den
        out.append((p[0] + r[0] * t, p[1] + r[1] * t))
    return out


class Canvas:
    """An RGB canvas of w x h pixels held as ss x ss samples per pixel."""

    def __init__(self, w, h, ss=4, bg=(0, 0, 0)):
        self.w, self.h, self.ss = w, h, ss
        self.W, self.H = w * ss, h * ss
        self.planes = [[bytearray([bg[k]]) * self.W for _ in range(self.H)] for k in range(3)]
        self.key = [bytearray(self.W) for _ in range(self.H)]
        self.m = (1.0, 0.0, 0.0, 1.0, 0.0, 0.0)
        self.stack = []

    # --- transform -------------------------------------------------------------------
    def push(self):
        self.stack.append(self.m)

    def pop(self):
        self.m = self.stack.pop()

    def _concat(self, a, b, c, d, e, f):
        m = self.m
        self.m = (m[0] * a + m[1] * c, m[0] * b + m[1] * d,
                  m[2] * a + m[3] * c, m[2] * b + m[3] * d,
                  m[0] * e + m[1] * f + m[4], m[2] * e + m[3] * f + m[5])

    def translate(self, x, y):
        self._concat(1, 0, 0, 1, x, y)

    def scale(self, sx, sy=None):
        self._concat(sx, 0, 0, sx if sy is None else sy, 0, 0)

    def rotate(self, degrees):
        a = math.radians(degrees)
        c, s = math.cos(a), math.sin(a)
        self._concat(c, -s, s, c, 0, 0)

    def shear(self, k):
        """x moves right by -k per unit of y: with k > 0 upright strokes lean right."""
        self._concat(1, -k, 0, 1, 0, 0)

    def _map(self, p):
        m = self.m
        return ((m[0] * p[0] + m[1] * p[1] + m[4]) * self.ss, (m[2] * p[0] + m[3] * p[1] + m[5]) * self.ss)

    def _unit(self):
        m = self.m
        return math.sqrt(abs(m[0] * m[3] - m[1] * m[2]))

    # --- filling ---------------------------------------------------------------------
    def fill(self, contours, colour):
        """Fills one polygon or several contours (even-odd, so inner contours cut holes)."""
        if contours and not isinstance(contours[0][0], (tuple, list)):
            contours = [contours]
        rows = {}
        for c in contours:
            pts = [self._map(p) for p in c]
            n = len(pts)
            for i in range(n):
                (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
                if y0 == y1:
                    continue
                if y0 > y1:
                    x0, y0, x1, y1 = x1, y1, x0, y0
                ja = max(0, math.ceil(y0 - 0.5))
                jb = min(self.H, math.ceil(y1 - 0.5))
                k = (x1 - x0) / (y1 - y0)
                for j in range(ja, jb):
                    rows.setdefault(j, []).append(x0 + (j + 0.5 - y0) * k)
        for j, xs in rows.items():
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                self._span(j, math.ceil(a - 0.5), math.ceil(b - 0.5), colour)

    def _span(self, j, i0, i1, colour):
        i0, i1 = max(0, i0), min(self.W, i1)
        if i1 <= i0:
            return
        n = i1 - i0
        if colour is TRANSPARENT:
            self.key[j][i0:i1] = b'\x01' * n
            return
        for k in range(3):
            self.planes[k][j][i0:i1] = bytes((colour[k],)) * n
        self.key[j][i0:i1] = bytes(n)

    def fill_rows(self, spans, colour):
        """Fills whole pixels: spans[y] = (first column, last column) or None."""
        s = self.ss
        for y, span in enumerate(spans):
            if span is None:
                continue
            for j in range(y * s, y * s + s):
                self._span(j, span[0] * s, (span[1] + 1) * s, colour)

    # --- shapes ----------------------------------------------------------------------
    def poly(self, pts, colour, outline=None, ow=1.0):
        self.fill(pts, colour)
        if outline is not None:
            self.stroke(pts, ow, outline, closed=True)

    def ellipse(self, cx, cy, rx, ry, colour, outline=None, ow=1.0, rot=0.0):
        if outline is not None:
            self.fill(ellipse_points(cx, cy, rx + ow / 2, ry + ow / 2, rot), outline)
            self.fill(ellipse_points(cx, cy, rx - ow / 2, ry - ow / 2, rot), colour)
        else:
            self.fill(ellipse_points(cx, cy, rx, ry, rot), colour)

    def circle(self, cx, cy, r, colour, outline=None, ow=1.0):
        self.ellipse(cx, cy, r, r, colour, outline, ow)

    def stroke(self, pts, width, colour, closed=False, caps=True):
        """A polyline of the given width with round joins (and round caps when caps is set)."""
        r = width / 2
        n = len(pts)
        segs = n if closed else n - 1
        for i in range(segs):
            (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
            ln = math.hypot(x1 - x0, y1 - y0)
            if ln < 1e-9:
                continue
            nx, ny = -(y1 - y0) / ln * r, (x1 - x0) / ln * r
            self.fill([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)
        joints = range(n) if (closed or caps) else range(1, n - 1)
        steps = max(10, int(r * self._unit() * self.ss * 2))
        for i in joints:
            self.fill(ellipse_points(pts[i][0], pts[i][1], r, r, n=steps), colour)

    def line(self, p0, p1, width, colour):
        self.stroke([p0, p1], width, colour)

    # --- result ----------------------------------------------------------------------
    def pixels(self):
        """Averages the samples down to rows of (r, g, b) tuples."""
        return self._average(False)

    def pixels_and_cover(self):
        """Rows of (colour of the drawn samples, fraction of samples drawn): for icons, whose
        mask decides what is see-through."""
        return self._average(True)

    def _average(self, cover):
        s = self.ss
        total = s * s
        out = []
        R, G, B = self.planes
        for y in range(self.h):
            js = range(y * s, y * s + s)
            row = []
            for x in range(self.w):
                a, b = x * s, x * s + s
                nkey = sum(self.key[j][a:b].count(1) for j in js)
                if nkey == total:
                    row.append(((0, 0, 0), 0.0) if cover else (0, 0, 0))
                    continue
                if nkey == 0:
                    c = ((sum(sum(R[j][a:b]) for j in js) + total // 2) // total,
                         (sum(sum(G[j][a:b]) for j in js) + total // 2) // total,
                         (sum(sum(B[j][a:b]) for j in js) + total // 2) // total)
                    row.append((c, 1.0) if cover else c)
                    continue
                acc = [0, 0, 0]
                for j in js:
                    kr = self.key[j]
                    for i in range(a, b):
                        if not kr[i]:
                            acc[0] += R[j][i]
                            acc[1] += G[j][i]
                            acc[2] += B[j][i]
                vis = total - nkey
                if cover:
                    row.append((tuple(int(round(acc[k] / vis)) for k in range(3)), vis / total))
                    continue
                dark = lift(tuple(int(acc[k] / vis * 0.3) for k in range(3)))
                row.append(tuple(int(round((acc[k] + dark[k] * nkey) / total)) for k in range(3)))
            out.append(row)
        return out


# --- palettes ----------------------------------------------------------------------------

def _median_cut(items, slots):
    """items: list of (colour, count). Returns up to `slots` count-weighted mean colours."""
    boxes = [items]
    while len(boxes) < slots:
        best, best_score = None, -1
        for bi, box in enumerate(boxes):
            if len(box) < 2:
                continue
            ranges = [max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3)]
            score = max(ranges) * sum(n for _, n in box)
            if score > best_score:
                best, best_score = bi, score
        if best is None:
            break
        box = boxes.pop(best)
        ranges = [max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3)]
        k = ranges.index(max(ranges))
        box.sort(key=lambda cn: (cn[0][k], cn[0]))
        half = sum(n for _, n in box) / 2
        acc, cut = 0, 1
        for i, (_, n) in enumerate(box):
            acc += n
            if acc >= half:
                cut = min(max(i + 1, 1), len(box) - 1)
                break
        boxes.append(box[:cut])
        boxes.append(box[cut:])
    out = []
    for box in boxes:
        w = sum(n for _, n in box)
        out.append(tuple(int(round(sum(c[k] * n for c, n in box) / w)) for k in range(3)))
    return out


def quantise(rows, reserved, size=256, exact_min=6):
    """Picks a palette of `size` entries for the image and maps every pixel to an index.

    `reserved` colours come first and are only ever used by pixels of exactly that colour
    (pure black for see-through, pure red for the outside of the window shape). Colours that
    cover many pixels (flat fills) keep their exact value; the anti-aliased rest shares the
    remaining entries. Every other entry is kept visibly above black.
    """
    hist = {}
    for row in rows:
        for c in row:
            hist[c] = hist.get(c, 0) + 1
    for c in reserved:
        hist.pop(c, None)
    free = size - len(reserved)
    common = sorted((c for c, n in hist.items() if n >= exact_min), key=lambda c: (-hist[c], c))
    exact = common[: free // 2]
    rest = [(c, n) for c, n in sorted(hist.items()) if c not in set(exact)]
    pal = [lift(c) for c in exact]
    if rest:
        pal += [lift(c) for c in _median_cut(rest, free - len(pal))]
    seen = set()
    uniq = []
    for c in pal:
        if c not in seen and c not in reserved:
            seen.add(c)
            uniq.append(c)
    palette = list(reserved) + uniq
    palette += [palette[-1]] * (size - len(palette))
    cache = {c: i for i, c in enumerate(reserved)}
    choices = list(enumerate(palette))[len(reserved):len(reserved) + len(uniq)]
    index_rows = []
    for row in rows:
        out = bytearray(len(row))
        for x, c in enumerate(row):
            i = cache.get(c)
            if i is None:
                i = min(choices, key=lambda e: (e[1][0] - c[0]) ** 2 * 3 + (e[1][1] - c[1]) ** 2 * 4
                        + (e[1][2] - c[2]) ** 2 * 2)[0]
                cache[c] = i
            out[x] = i
        index_rows.append(out)
    return palette, index_rows


def map_to_palette(rows, palette, keep=()):
    """Maps pixels to the nearest entry of a fixed palette; colours in `keep` map only exactly."""
    cache = {}
    allowed = [(i, c) for i, c in enumerate(palette) if c not in keep]
    out = []
    for row in rows:
        r = bytearray(len(row))
        for x, c in enumerate(row):
            i = cache.get(c)
            if i is None:
                if c in keep:
                    i = palette.index(c)
                else:
                    i = min(allowed, key=lambda e: (e[1][0] - c[0]) ** 2 * 3 + (e[1][1] - c[1]) ** 2 * 4
                            + (e[1][2] - c[2]) ** 2 * 2)[0]
                cache[c] = i
            r[x] = i
        out.append(r)
    return out

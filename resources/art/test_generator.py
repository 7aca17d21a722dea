"""Checks of the painter, the palette and the file writers (run by scripts/make-art.sh)."""

import struct
import unittest

import chime
import formats
from raster import MIN_VISIBLE, TRANSPARENT, Canvas, inset_convex, quantise

BLACK, RED = (0, 0, 0), (255, 0, 0)


class PainterTest(unittest.TestCase):
    def test_pixel_aligned_square_covers_exactly_its_pixels(self):
        cv = Canvas(6, 6, ss=4, bg=(20, 40, 60))
        cv.fill([(1, 1), (4, 1), (4, 3), (1, 3)], (200, 100, 50))
        px = cv.pixels()
        for y in range(6):
            for x in range(6):
                inside = 1 <= x < 4 and 1 <= y < 3
                self.assertEqual(px[y][x], (200, 100, 50) if inside else (20, 40, 60), (x, y))

    def test_even_odd_contours_cut_holes(self):
        cv = Canvas(6, 6, ss=2, bg=(30, 30, 30))
        cv.fill([[(0, 0), (6, 0), (6, 6), (0, 6)], [(2, 2), (4, 2), (4, 4), (2, 4)]], (90, 90, 90))
        px = cv.pixels()
        self.assertEqual(px[0][0], (90, 90, 90))
        self.assertEqual(px[3][3], (30, 30, 30))

    def test_edges_next_to_see_through_stay_visible(self):
        # Cases: coverage of a bright and of a dark colour across a see-through boundary.
        for colour in ((255, 255, 255), (40, 20, 10), (0, 0, 200)):
            for edge in (0.25, 0.5, 0.75, 0.9):
                cv = Canvas(3, 1, ss=4)
                cv.fill([(0, 0), (3, 0), (3, 1), (0, 1)], TRANSPARENT)
                cv.fill([(0, 0), (1 + edge, 0), (1 + edge, 1), (0, 1)], colour)
                px = cv.pixels()
                self.assertEqual(px[0][2], BLACK, (colour, edge))
                self.assertGreaterEqual(max(px[0][1]), MIN_VISIBLE, (colour, edge))

    def test_transform_moves_and_scales_shapes(self):
        cv = Canvas(8, 8, ss=2)
        cv.push()
        cv.translate(4, 4)
        cv.scale(2)
        cv.fill([(0, 0), (1, 0), (1, 1), (0, 1)], (100, 100, 100))
        cv.pop()
        cv.fill([(0, 0), (1, 0), (1, 1), (0, 1)], (50, 50, 50))
        px = cv.pixels()
        self.assertEqual([px[y][x] for x, y in ((4, 4), (5, 5), (6, 6), (0, 0))],
                         [(100, 100, 100), (100, 100, 100), BLACK, (50, 50, 50)])

    def test_inset_of_a_clockwise_square(self):
        got = inset_convex([(0, 0), (10, 0), (10, 10), (0, 10)], 2)
        want = [(2, 2), (8, 2), (8, 8), (2, 8)]
        for g, w in zip(got, want):
            self.assertAlmostEqual(g[0], w[0])
            self.assertAlmostEqual(g[1], w[1])


class PaletteTest(unittest.TestCase):
    def test_reserved_colours_are_only_taken_by_exact_pixels(self):
        rows = [[BLACK, RED, (250, 6, 4), (3, 3, 3), (6, 0, 0), (120, 130, 140)] * 4]
        palette, idx = quantise(rows, [BLACK, RED], size=16)
        self.assertEqual(palette[:2], [BLACK, RED])
        for x, c in enumerate(rows[0]):
            if c in (BLACK, RED):
                self.assertEqual(palette[idx[0][x]], c, c)
            else:
                self.assertGreaterEqual(idx[0][x], 2, c)
                self.assertGreaterEqual(max(palette[idx[0][x]]), MIN_VISIBLE, c)

    def test_many_colours_fit_in_256_entries(self):
        rows = [[(r, g, 128) for r in range(0, 256, 4)] for g in range(0, 256, 4)]
        palette, idx = quantise(rows, [BLACK])
        self.assertEqual(len(palette), 256)
        worst = max(max(abs(a - b) for a, b in zip(palette[idx[y][x]], rows[y][x]))
                    for y in range(len(rows)) for x in range(len(rows[0])))
        self.assertLess(worst, 24)


class FormatsTest(unittest.TestCase):
    def test_bmp_rows_are_stored_bottom_up_and_padded(self):
        palette = [(k, k, k) for k in range(256)]
        data = formats.bmp8(palette, [[1, 2, 3], [4, 5, 6]])
        off, = struct.unpack_from('<I', data, 10)
        w, h, planes, bits = struct.unpack_from('<iiHH', data, 18)
        self.assertEqual((w, h, planes, bits, off), (3, 2, 1, 8, 1078))
        self.assertEqual(data[off:], bytes([4, 5, 6, 0, 1, 2, 3, 0]))
        self.assertEqual(struct.unpack_from('<I', data, 2)[0], len(data))

    def test_icon_packs_two_pixels_a_byte_and_a_mask_bit_each(self):
        palette = [(k * 16, 0, 0) for k in range(16)]
        index_rows = [[1, 2] + [0] * 6] * 8
        mask = [[0, 0] + [1] * 6] * 8
        data = formats.ico4([(palette, index_rows, mask)])
        at, = struct.unpack_from('<I', data, 6 + 12)
        xor = data[at + 40 + 64:]
        self.assertEqual(xor[:4], bytes([0x12, 0, 0, 0]))
        self.assertEqual(xor[32:36], bytes([0x3F, 0, 0, 0]))

    def test_chime_peaks_at_three_decibels_below_full_scale(self):
        s = chime.samples()
        self.assertEqual(max(abs(v) for v in s), round(32767 * 10 ** (-3 / 20)))
        data = formats.wav16(chime.RATE, s[:10])
        self.assertEqual(len(data), 44 + 20)
        self.assertEqual(struct.unpack_from('<I', data, 40)[0], 20)


if __name__ == '__main__':
    unittest.main()

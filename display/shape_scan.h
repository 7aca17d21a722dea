// The clock's outline: the frame bitmap minus its pure red surround, as one rectangle
// per horizontal run of other pixels.
#pragma once
#include <cstdint>

// Right and bottom exclusive, relative to the scan's top-left corner.
struct ShapeRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Scans columns x0..x1-1 of rows y0..y1-1. isKey(x, y) tells whether a pixel is the red
// surround; addRect(rect) receives each run. The rectangles keep the outline the clock
// has always had: a run closed by a red pixel loses its last pixel, a run reaching the
// scan's right edge is added when x reaches x1 - 1 (so through column x1 - 2), and a run
// that starts in the last column is never added.
template <typename IsKey, typename AddRect>
void ScanWindowShape(int32_t x0, int32_t y0, int32_t x1, int32_t y1, IsKey isKey,
                     AddRect addRect)
{
    for (int32_t y = y0; y < y1; ++y) {
        bool inRun = false;
        int32_t runStart = 0;
        for (int32_t x = x0; x < x1;) {
            const bool key = isKey(x, y);
            if (!inRun && !key) {
                runStart = x;
                inRun = true;
            }
            if (inRun && key) {
                addRect(ShapeRect{runStart - x0, y - y0, x - x0 - 1, y - y0 + 1});
                inRun = false;
            }
            ++x;
            if (inRun && x == x1 - 1)
                addRect(ShapeRect{runStart - x0, y - y0, x1 - x0 - 1, y - y0 + 1});
        }
    }
}

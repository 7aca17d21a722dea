#include "display/raster.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace {

struct Store8 {
    static constexpr int bytes = 1;
    static void Put(uint8_t* p, uint32_t colour) { p[0] = static_cast<uint8_t>(colour); }
};

struct Store16 {
    static constexpr int bytes = 2;
    static void Put(uint8_t* p, uint32_t colour)
    {
        p[0] = static_cast<uint8_t>(colour);
        p[1] = static_cast<uint8_t>(colour >> 8);
    }
};

// Lines at 24 bits put the colour's bits 16-23 first, the reverse of the 32-bit word.
struct Store24 {
    static constexpr int bytes = 3;
    static void Put(uint8_t* p, uint32_t colour)
    {
        p[0] = static_cast<uint8_t>(colour >> 16);
        p[1] = static_cast<uint8_t>(colour >> 8);
        p[2] = static_cast<uint8_t>(colour);
    }
};

struct Store32 {
    static constexpr int bytes = 4;
    static void Put(uint8_t* p, uint32_t colour)
    {
        p[0] = static_cast<uint8_t>(colour);
        p[1] = static_cast<uint8_t>(colour >> 8);
        p[2] = static_cast<uint8_t>(colour >> 16);
        p[3] = static_cast<uint8_t>(colour >> 24);
    }
};

// The error term starts at 0, so the minor coordinate steps late. On an exact tie an
// x-major line steps at once at 24 and 32 bits and one pixel later at 8, 15 and 16.
template <class Store, bool StepOnTie>
void LineLoop(const PixelBuffer& target, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
              uint32_t colour)
{
    const int32_t dx = std::abs(x1 - x0);
    const int32_t dy = std::abs(y1 - y0);
    // The loops walk the byte offset of pixel (x, y) instead of x and y themselves:
    // x = x + sx is at += stepX, y = y + sy is at += stepY.
    const ptrdiff_t stepX = (x1 >= x0 ? 1 : -1) * Store::bytes;
    const ptrdiff_t stepY = (y1 >= y0 ? 1 : -1) * static_cast<ptrdiff_t>(target.pitch);
    ptrdiff_t at = static_cast<ptrdiff_t>(y0) * target.pitch + x0 * Store::bytes;
    int32_t err = 0;
    if (dx > dy) {
        // x-major: x steps at every pixel, y when the error passes dx (reaches it, StepOnTie).
        for (int32_t i = 0; i < dx; ++i) {
            err += dy;
            Store::Put(target.bits + at, colour);
            if (StepOnTie ? err >= dx : err > dx) {
                at += stepY;
                err -= dx;
            }
            at += stepX;
        }
    } else {
        // y-major: y steps at every pixel, x when the error reaches dy.
        for (int32_t i = 0; i < dy; ++i) {
            err += dx;
            Store::Put(target.bits + at, colour);
            if (err >= dy) {
                at += stepX;
                err -= dy;
            }
            at += stepY;
        }
    }
}

// One channel moved toward k by strength/255. Callers always blend toward a brighter
// colour; the mask keeps a darker one from spilling into the neighbouring channel.
inline uint32_t Toward(uint32_t v, uint32_t k, uint32_t strength, uint32_t mask)
{
    return (v + (k - v) * strength / 255u) & mask;
}

struct BlendIndexed {
    static constexpr int bytes = 1;
    const uint8_t* table;
    void operator()(uint8_t* p) const { p[0] = table[p[0]]; }
};

template <int RedShift, int GreenBits>
struct BlendWord {
    static constexpr int bytes = 2;
    static constexpr uint32_t greenMask = (1u << GreenBits) - 1;
    uint32_t red, green, blue, strength;

    BlendWord(uint32_t colour, uint32_t s)
        : red((colour >> RedShift) & 31), green((colour >> 5) & greenMask), blue(colour & 31),
          strength(s)
    {
    }
    void operator()(uint8_t* p) const
    {
        const uint32_t v = p[0] | static_cast<uint32_t>(p[1]) << 8;
        const uint32_t r = Toward((v >> RedShift) & 31, red, strength, 31);
        const uint32_t g = Toward((v >> 5) & greenMask, green, strength, greenMask);
        const uint32_t b = Toward(v & 31, blue, strength, 31);
        const uint32_t result = (v & ~((31u << RedShift) | (greenMask << 5) | 31u)) |
                                r << RedShift | g << 5 | b;
        p[0] = static_cast<uint8_t>(result);
        p[1] = static_cast<uint8_t>(result >> 8);
    }
};

// At 24 and 32 bits byte n of the pixel moves toward bits 8n to 8n+7 of the colour;
// the fourth byte of a 32-bit pixel is left alone.
template <int Bytes>
struct BlendBytes {
    static constexpr int bytes = Bytes;
    uint32_t k0, k1, k2, strength;

    BlendBytes(uint32_t colour, uint32_t s)
        : k0(colour & 0xFF), k1((colour >> 8) & 0xFF), k2((colour >> 16) & 0xFF), strength(s)
    {
    }
    void operator()(uint8_t* p) const
    {
        p[0] = static_cast<uint8_t>(Toward(p[0], k0, strength, 0xFF));
        p[1] = static_cast<uint8_t>(Toward(p[1], k1, strength, 0xFF));
        p[2] = static_cast<uint8_t>(Toward(p[2], k2, strength, 0xFF));
    }
};

// The two different crossings of row y with the outline, taken in edge order; equal
// crossings count once. The double arithmetic (quotient, product, sum) decides which
// pixel a crossing lands on, so each step is rounded to double on its own: this file is
// built with -ffloat-store (display/sources.cmake), without which the 32-bit x87 code
// keeps these steps in extended precision and a crossing can land on the next pixel.
bool RowCrossings(const HandPoint* points, int count, int32_t y, int32_t* left, int32_t* right)
{
    bool haveFirst = false;
    int32_t first = 0;
    for (int i = 0; i < count; ++i) {
        const int32_t xa = points[i].x, ya = points[i].y;
        const int32_t xb = points[i + 1].x, yb = points[i + 1].y;
        if (ya == yb) continue;
        if (y < std::min(ya, yb) || y > std::max(ya, yb)) continue;
        const double slope = static_cast<double>(xb - xa) / static_cast<double>(yb - ya);
        const double run = slope * static_cast<double>(y - ya);
        const double x = static_cast<double>(xa) + run;
        if (x < std::min(xa, xb) || x > std::max(xa, xb)) continue;
        const int32_t crossing = static_cast<int32_t>(x);
        if (!haveFirst) {
            first = crossing;
            haveFirst = true;
        } else if (crossing != first) {
            *left = std::min(first, crossing);
            *right = std::max(first, crossing);
            return true;
        }
    }
    return false;
}

// The pixel at the left crossing is outside the span, the one at the right crossing
// inside; the bottom row of the outline is never filled.
template <class Blend>
void FillLoop(const PixelBuffer& target, const HandPoint* points, int count, const Blend& blend)
{
    const PolygonExtent bounds = PolygonBounds(points, count);
    for (int32_t y = bounds.minY; y < bounds.maxY; ++y) {
        int32_t left = 0, right = 0;
        if (!RowCrossings(points, count, y, &left, &right)) continue;
        const int32_t start = std::max(left + 1, bounds.minX);
        const int32_t end = std::min(right, bounds.maxX);
        // row is pixel (0, y); pixel (x, y) of the span lies x pixels further on.
        uint8_t* row = target.bits + static_cast<ptrdiff_t>(y) * target.pitch;
        for (int32_t x = start; x <= end; ++x) blend(row + x * Blend::bytes);
    }
}

}  // namespace

PolygonExtent PolygonBounds(const HandPoint* points, int count)
{
    PolygonExtent bounds = {points[0].x, points[0].x, points[0].y, points[0].y};
    for (int i = 0; i < count; ++i) {
        bounds.minX = std::min<int32_t>(bounds.minX, points[i].x);
        bounds.maxX = std::max<int32_t>(bounds.maxX, points[i].x);
        bounds.minY = std::min<int32_t>(bounds.minY, points[i].y);
        bounds.maxY = std::max<int32_t>(bounds.maxY, points[i].y);
    }
    return bounds;
}

void DrawLine(const PixelBuffer& target, int16_t x0, int16_t y0, int16_t x1, int16_t y1,
              uint32_t colour)
{
    switch (target.depth) {
    case 8: LineLoop<Store8, false>(target, x0, y0, x1, y1, colour); break;
    case 15:
    case 16: LineLoop<Store16, false>(target, x0, y0, x1, y1, colour); break;
    case 24: LineLoop<Store24, true>(target, x0, y0, x1, y1, colour); break;
    case 32: LineLoop<Store32, true>(target, x0, y0, x1, y1, colour); break;
    default: break;
    }
}

void FillPolygon(const PixelBuffer& target, const HandPoint* points, int count, uint32_t colour,
                 uint32_t strength)
{
    switch (target.depth) {
    case 8: FillLoop(target, points, count, BlendIndexed{target.lightenTable}); break;
    case 15: FillLoop(target, points, count, BlendWord<10, 5>(colour, strength)); break;
    case 16: FillLoop(target, points, count, BlendWord<11, 6>(colour, strength)); break;
    case 24: FillLoop(target, points, count, BlendBytes<3>(colour, strength)); break;
    case 32: FillLoop(target, points, count, BlendBytes<4>(colour, strength)); break;
    default: break;
    }
}

// Software line and translucent polygon drawing straight into locked surface memory,
// in the pixel format of the display. Neither routine clips: callers stay inside.
#pragma once
#include <cstdint>

struct HandPoint {
    int16_t x;
    int16_t y;
};

// A locked block of pixels. Pixel (x, y) starts at bits + y * pitch + x * bytes per pixel.
struct PixelBuffer {
    uint8_t* bits;
    int32_t pitch;                // bytes from one row to the next; may be negative
    int32_t depth;                // 8, 15, 16, 24 or 32; any other value draws nothing
    const uint8_t* lightenTable;  // depth 8: the lightened palette index of each index
};

// Bytes per pixel of a drawing depth, 0 for a depth nothing is drawn at.
inline int32_t BytesPerPixel(int32_t depth)
{
    switch (depth) {
    case 8: return 1;
    case 15:
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
    }
}

struct PolygonExtent {
    int32_t minX;
    int32_t maxX;
    int32_t minY;
    int32_t maxY;
};

PolygonExtent PolygonBounds(const HandPoint* points, int count);

// A one-pixel line from (x0, y0) toward (x1, y1); the end point itself is not drawn.
void DrawLine(const PixelBuffer& target, int16_t x0, int16_t y0, int16_t x1, int16_t y1,
              uint32_t colour);

// Lightens the inside of the closed outline points[0..count] (points[count] == points[0])
// toward colour by strength/255; at depth 8 through the buffer's lighten table instead.
void FillPolygon(const PixelBuffer& target, const HandPoint* points, int count, uint32_t colour,
                 uint32_t strength);

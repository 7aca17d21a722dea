// The size of one pixel at each drawing depth, for the tests, tools and benchmarks that
// make pixel buffers of their own.
#pragma once
#include <cstdint>

// Bytes per pixel of a drawing depth, 0 for a depth nothing is drawn at.
inline int BytesPerPixel(int32_t depth)
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

// A reader for the 8-bit palette BMP files the clock's pictures are kept in, for the
// tools and tests that work on the pictures without the window system.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/lighten.h"

struct Bmp8Image {
    int32_t width = 0;
    int32_t height = 0;
    PaletteColour palette[PaletteSize] = {};
    std::vector<uint8_t> indices;  // row 0 first, width bytes per row

    uint8_t IndexAt(int32_t x, int32_t y) const
    {
        return indices[static_cast<size_t>(y) * static_cast<size_t>(width) +
                       static_cast<size_t>(x)];
    }
    const PaletteColour& ColourAt(int32_t x, int32_t y) const { return palette[IndexAt(x, y)]; }
};

// Uncompressed 8-bit files only, bottom-up or top-down. False for anything else,
// including a file cut short.
bool ReadBmp8(const char* path, Bmp8Image* image);

// What the shape scan sees at (x, y): positions outside the picture are never red.
bool IsShapeKeyPixel(const Bmp8Image& image, int32_t x, int32_t y);

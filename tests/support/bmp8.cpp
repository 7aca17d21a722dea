#include "tests/support/bmp8.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;

uint32_t ReadU32(const uint8_t* p)
{
    return p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "rb"), std::fclose);
    if (!file) return false;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes->insert(bytes->end(), chunk, chunk + got);
    return !std::ferror(file.get());
}

}  // namespace

bool ReadBmp8(const char* path, Bmp8Image* image)
{
    std::vector<uint8_t> file;
    if (!ReadWholeFile(path, &file)) return false;
    if (file.size() < FileHeaderSize + InfoHeaderSize || file[0] != 'B' || file[1] != 'M')
        return false;
    const uint8_t* info = file.data() + FileHeaderSize;
    const uint32_t infoSize = ReadU32(info);
    const int32_t width = static_cast<int32_t>(ReadU32(info + 4));
    const int32_t rawHeight = static_cast<int32_t>(ReadU32(info + 8));
    const uint16_t bitCount = ReadU16(info + 14);
    const uint32_t compression = ReadU32(info + 16);
    uint32_t colours = ReadU32(info + 32);
    if (infoSize < InfoHeaderSize || bitCount != 8 || compression != 0) return false;
    if (width <= 0 || width > 65536 || rawHeight == 0 || std::abs(rawHeight) > 65536)
        return false;
    if (colours == 0) colours = PaletteSize;
    if (colours > PaletteSize) return false;

    // Sizes are worked out in 64 bits: a header's sizes overflow a 32-bit size_t.
    const uint64_t fileSize = file.size();
    const uint64_t paletteAt = FileHeaderSize + uint64_t{infoSize};
    if (paletteAt + uint64_t{colours} * 4 > fileSize) return false;
    const uint8_t* palette = file.data() + static_cast<size_t>(paletteAt);
    for (uint32_t i = 0; i < colours; ++i) {
        const uint8_t* quad = palette + i * 4;  // blue, green, red, unused
        image->palette[i] = {quad[2], quad[1], quad[0]};
    }
    for (uint32_t i = colours; i < PaletteSize; ++i) image->palette[i] = {};

    const int32_t height = std::abs(rawHeight);
    const uint64_t stride = (static_cast<uint64_t>(width) + 3) & ~uint64_t{3};
    const uint64_t pixelsAt = ReadU32(file.data() + 10);
    if (pixelsAt > fileSize || stride * static_cast<uint64_t>(height) > fileSize - pixelsAt)
        return false;

    image->width = width;
    image->height = height;
    // Checked above: the rows lie inside the file, so these sizes fit in size_t.
    const uint8_t* pixels = file.data() + static_cast<size_t>(pixelsAt);
    const size_t rowBytes = static_cast<size_t>(stride);
    image->indices.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        // Rows are stored bottom row first unless the height is negative.
        const int32_t stored = rawHeight > 0 ? height - 1 - y : y;
        const uint8_t* row = pixels + static_cast<size_t>(stored) * rowBytes;
        std::copy(row, row + width, image->indices.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    return true;
}

bool IsShapeKeyPixel(const Bmp8Image& image, int32_t x, int32_t y)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return false;
    const PaletteColour& c = image.ColourAt(x, y);
    return c.red == 255 && c.green == 0 && c.blue == 0;
}

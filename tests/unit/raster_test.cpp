#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "display/raster.h"

namespace {

using Pixel = std::pair<int, int>;  // x, y
using PixelSet = std::set<Pixel>;

// A zeroed block of pixels with a row pitch wider than the row, so a wrong pitch shows.
struct Canvas {
    static constexpr int Size = 160;
    static constexpr int Slack = 12;
    int32_t depth;
    int bytes;
    int32_t pitch;
    std::vector<uint8_t> memory;
    uint8_t table[256];

    explicit Canvas(int32_t d)
        : depth(d), bytes(std::max(BytesPerPixel(d), 1)), pitch(Size * bytes + Slack),
          memory(static_cast<size_t>(pitch) * Size, 0)
    {
        for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(255 - i);
    }
    PixelBuffer Buffer() { return {memory.data(), pitch, depth, table}; }
    uint8_t* At(int x, int y) { return memory.data() + y * pitch + x * bytes; }
    uint32_t Value(int x, int y)
    {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(At(x, y)[i]) << (8 * i);
        return v;
    }
    PixelSet Changed()
    {
        PixelSet changed;
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
                if (Value(x, y) != 0) changed.insert({x, y});
        return changed;
    }
};

const int32_t kAllDepths[] = {8, 15, 16, 24, 32};

std::string Describe(const PixelSet& pixels)
{
    std::string text;
    for (const Pixel& p : pixels)
        text += "(" + std::to_string(p.first) + "," + std::to_string(p.second) + ") ";
    return text;
}

PixelSet Column(int x, int fromY, int toY)
{
    PixelSet pixels;
    for (int y = fromY; y <= toY; ++y) pixels.insert({x, y});
    return pixels;
}

struct LineCase {
    const char* name;
    int16_t x0, y0, x1, y1;
    PixelSet narrowDepths;  // 8, 15, 16
    PixelSet wideDepths;    // 24, 32
};

const LineCase kLines[] = {
    {"horizontal, end point left out", 10, 5, 13, 5,
     {{10, 5}, {11, 5}, {12, 5}}, {{10, 5}, {11, 5}, {12, 5}}},
    {"horizontal drawn right to left", 13, 5, 10, 5,
     {{13, 5}, {12, 5}, {11, 5}}, {{13, 5}, {12, 5}, {11, 5}}},
    {"second hand at twelve", 80, 32, 80, 100, Column(80, 32, 99), Column(80, 32, 99)},
    {"x-major tie keeps the row at 8-16 bits and steps at 24-32", 0, 0, 4, 2,
     {{0, 0}, {1, 0}, {2, 0}, {3, 1}}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
    {"y-major tie steps at every depth", 0, 0, 2, 4,
     {{0, 0}, {0, 1}, {1, 2}, {1, 3}}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
    {"diagonal", 20, 20, 25, 25,
     {{20, 20}, {21, 21}, {22, 22}, {23, 23}, {24, 24}},
     {{20, 20}, {21, 21}, {22, 22}, {23, 23}, {24, 24}}},
    {"diagonal up and left", 25, 25, 20, 20,
     {{25, 25}, {24, 24}, {23, 23}, {22, 22}, {21, 21}},
     {{25, 25}, {24, 24}, {23, 23}, {22, 22}, {21, 21}}},
    {"x-major up and left", 104, 52, 100, 50,
     {{104, 52}, {103, 52}, {102, 52}, {101, 51}},
     {{104, 52}, {103, 52}, {102, 51}, {101, 51}}},
    {"zero length", 7, 7, 7, 7, {}, {}},
};

TEST(DrawLine, StoresExactlyTheListedPixelsAtEveryDepth)
{
    for (const LineCase& c : kLines) {
        for (int32_t depth : kAllDepths) {
            Canvas canvas(depth);
            DrawLine(canvas.Buffer(), c.x0, c.y0, c.x1, c.y1, 0xFFFFFFFF);
            const PixelSet& expected = depth >= 24 ? c.wideDepths : c.narrowDepths;
            EXPECT_EQ(canvas.Changed(), expected)
                << c.name << " at depth " << depth << ": drew " << Describe(canvas.Changed());
        }
    }
}

struct StoreCase {
    int32_t depth;
    uint32_t colour;
    std::vector<uint8_t> bytes;
};

TEST(DrawLine, StoresTheColourInEachDepthsByteOrder)
{
    const StoreCase cases[] = {
        {8, 0xFFE48081, {0x81}},
        {15, 0xFFE44210, {0x10, 0x42}},
        {16, 0xFFE48410, {0x10, 0x84}},
        {24, 0xFFE48080, {0xE4, 0x80, 0x80}},  // bits 16-23 first
        {32, 0xFFE48080, {0x80, 0x80, 0xE4, 0xFF}},
    };
    for (const StoreCase& c : cases) {
        Canvas canvas(c.depth);
        DrawLine(canvas.Buffer(), 3, 9, 6, 9, c.colour);
        DrawLine(canvas.Buffer(), 50, 60, 50, 57, c.colour);  // upward
        for (const Pixel& p : {Pixel{3, 9}, Pixel{5, 9}, Pixel{50, 60}, Pixel{50, 58}}) {
            const std::vector<uint8_t> stored(canvas.At(p.first, p.second),
                                              canvas.At(p.first, p.second) + c.bytes.size());
            EXPECT_EQ(stored, c.bytes) << "depth " << c.depth << " at " << p.first << ","
                                       << p.second;
        }
    }
}

TEST(DrawLine, WritesNothingAtOtherDepths)
{
    for (int32_t depth : {0, 1, 4, 12, 31}) {
        Canvas canvas(depth);
        DrawLine(canvas.Buffer(), 0, 0, 40, 17, 0xFFFFFFFF);
        EXPECT_TRUE(canvas.Changed().empty()) << "depth " << depth;
    }
}

// The minute hand at twelve o'clock.
const HandPoint kMinuteHand[5] = {{80, 100}, {76, 80}, {80, 26}, {84, 80}, {80, 100}};

struct RowCase {
    int y;
    int from;  // -1: row untouched
    int to;
};

const RowCase kMinuteRows[] = {
    {25, -1, -1}, {26, -1, -1}, {27, 80, 80}, {50, 79, 81},
    {80, 77, 84}, {99, 80, 80}, {100, -1, -1},
};

TEST(FillPolygon, FillsTheMinuteHandRowsAtEveryDepth)
{
    for (int32_t depth : kAllDepths) {
        Canvas canvas(depth);
        FillPolygon(canvas.Buffer(), kMinuteHand, 4, 0xFFFFFFFF, 255);
        const PixelSet changed = canvas.Changed();
        for (const RowCase& row : kMinuteRows) {
            PixelSet inRow;
            for (const Pixel& p : changed)
                if (p.second == row.y) inRow.insert(p);
            PixelSet expected;
            for (int x = row.from; row.from >= 0 && x <= row.to; ++x) expected.insert({x, row.y});
            EXPECT_EQ(inRow, expected)
                << "depth " << depth << " row " << row.y << ": filled " << Describe(inRow);
        }
        int firstRow = Canvas::Size, lastRow = -1;
        for (const Pixel& p : changed) {
            firstRow = std::min(firstRow, p.second);
            lastRow = std::max(lastRow, p.second);
        }
        EXPECT_EQ(firstRow, 27) << "depth " << depth;
        EXPECT_EQ(lastRow, 99) << "depth " << depth;
    }
}

struct BlendCase {
    const char* name;
    int32_t depth;
    uint32_t before;
    uint32_t colour;
    uint32_t strength;
    uint32_t after;
};

const BlendCase kBlends[] = {
    {"5-6-5 black toward white", 16, 0x0000, 0xFFFF, 150, 0x94B2},
    {"5-6-5 white stays white", 16, 0xFFFF, 0xFFFF, 150, 0xFFFF},
    {"5-5-5 black toward white", 15, 0x0000, 0x7FFF, 150, 0x4A52},
    {"5-5-5 keeps bit 15", 15, 0x8000, 0x7FFF, 150, 0xCA52},
    {"5-5-5 white stays white", 15, 0x7FFF, 0x7FFF, 150, 0x7FFF},
    {"5-6-5 grey toward white", 16, 0x8410, 0xFFFF, 150, 0xC658},
    {"24 bits each byte from its own colour byte", 24, 0x000000, 0xFF0000, 150, 0x960000},
    {"24 bits black toward white", 24, 0x000000, 0xFFFFFF, 150, 0x969696},
    {"32 bits leaves the fourth byte", 32, 0x5A000000, 0xFFFFFFFF, 150, 0x5A969696},
    {"32 bits grey toward white", 32, 0x00808080, 0xFFFFFFFF, 150, 0x00CACACA},
    {"full strength reaches the colour", 32, 0x00102030, 0xFFFFFFFF, 255, 0x00FFFFFF},
    {"zero strength changes nothing", 16, 0x1234, 0xFFFF, 0, 0x1234},
    {"8 bits looks the index up, whatever the colour", 8, 0x05, 0x00, 0, 250},
};

TEST(FillPolygon, BlendsEachPixelTowardTheColour)
{
    for (const BlendCase& c : kBlends) {
        Canvas canvas(c.depth);
        for (int i = 0; i < canvas.bytes; ++i)
            canvas.At(80, 50)[i] = static_cast<uint8_t>(c.before >> (8 * i));
        FillPolygon(canvas.Buffer(), kMinuteHand, 4, c.colour, c.strength);
        EXPECT_EQ(canvas.Value(80, 50), c.after) << c.name;
    }
}

TEST(FillPolygon, LeavesRowsWithOneCrossingAndFlatOutlinesAlone)
{
    const HandPoint flat[5] = {{10, 10}, {20, 10}, {30, 10}, {15, 10}, {10, 10}};
    const HandPoint sliver[5] = {{40, 10}, {40, 30}, {40, 50}, {40, 30}, {40, 10}};
    for (int32_t depth : kAllDepths) {
        Canvas canvas(depth);
        FillPolygon(canvas.Buffer(), flat, 4, 0xFFFFFFFF, 255);
        FillPolygon(canvas.Buffer(), sliver, 4, 0xFFFFFFFF, 255);
        EXPECT_TRUE(canvas.Changed().empty()) << "depth " << depth << ": "
                                              << Describe(canvas.Changed());
    }
}

TEST(PolygonBounds, CoversTheCornersOnly)
{
    const HandPoint points[5] = {{64, 92}, {77, 76}, {121, 46}, {83, 84}, {0, 0}};
    const PolygonExtent bounds = PolygonBounds(points, 4);
    EXPECT_EQ(bounds.minX, 64);
    EXPECT_EQ(bounds.maxX, 121);
    EXPECT_EQ(bounds.minY, 46);
    EXPECT_EQ(bounds.maxY, 92);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/bmp8.h"
#include "display/shape_scan.h"
#include "shell/placement.h"
#include "shell/tick_timing.h"

// Found by lookup from std::vector's comparison, so not in the unnamed namespace.
static bool operator==(const ShapeRect& a, const ShapeRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace {

std::string Text(const std::vector<ShapeRect>& rects)
{
    std::string text;
    for (const ShapeRect& r : rects)
        text += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                std::to_string(r.right) + "," + std::to_string(r.bottom) + ") ";
    return text;
}

// Rows of 'R' (the red surround) and '.' (the clock); positions beyond a row read as
// not red, as they do outside the bitmap.
std::vector<ShapeRect> Scan(const std::vector<std::string>& rows, int x0, int y0, int x1, int y1)
{
    std::vector<ShapeRect> rects;
    auto isKey = [&](int x, int y) {
        return y < static_cast<int>(rows.size()) && x < static_cast<int>(rows[y].size()) &&
               rows[y][x] == 'R';
    };
    ScanWindowShape(x0, y0, x1, y1, isKey, [&](const ShapeRect& r) { rects.push_back(r); });
    return rects;
}

struct ScanCase {
    const char* name;
    std::vector<std::string> rows;
    int x0, y0, x1, y1;
    std::vector<ShapeRect> expected;
};

TEST(ScanWindowShape, RunsBecomeRectanglesTheClocksWay)
{
    const ScanCase cases[] = {
        {"red edge to edge adds nothing", {"RRRRRRRR"}, 0, 0, 8, 1, {}},
        {"a run closed by red loses its last pixel", {"RR...RRR"}, 0, 0, 8, 1, {{2, 0, 4, 1}}},
        {"two runs, two rectangles", {"R..RR...RR"}, 0, 0, 10, 1, {{1, 0, 2, 1}, {5, 0, 7, 1}}},
        {"a run to the right edge ends one column short", {"RRR....."}, 0, 0, 8, 1,
         {{3, 0, 7, 1}}},
        {"a run starting in the last column is never added", {"RRRRRRR."}, 0, 0, 8, 1, {}},
        {"one column beyond the bitmap reads as not red", {"RR..RR"}, 0, 0, 7, 1,
         {{2, 0, 3, 1}}},
        {"a row beyond the bitmap is one run", {"RRRR"}, 0, 0, 4, 2, {{0, 1, 3, 2}}},
        {"runs are not carried to the next row", {"RR..", "..RR"}, 0, 0, 5, 2,
         {{2, 0, 4, 1}, {0, 1, 1, 2}}},
        // The right-edge rule adds the run before the last column is looked at.
        {"a run reaching the last column, which is red", {"RR..R"}, 0, 0, 5, 1,
         {{2, 0, 4, 1}, {2, 0, 3, 1}}},
        {"coordinates are relative to the scan's corner", {"RRRRRR", "RR...R", "RRRRRR"},
         1, 1, 7, 2, {{1, 0, 3, 1}}},
    };
    for (const ScanCase& c : cases) {
        const std::vector<ShapeRect> rects = Scan(c.rows, c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(rects, c.expected) << c.name << ": got " << Text(rects);
    }
}

bool HasRed(const Bmp8Image& image)
{
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (IsShapeKeyPixel(image, x, y)) return true;
    return false;
}

TEST(WindowShape, FrameBitmapGivesTheHexagon)
{
    Bmp8Image frame;
    ASSERT_TRUE(ReadBmp8(PELIO_SOURCE_DIR "/resources/IDB_FRAME.bmp", &frame));
    ASSERT_EQ(frame.width, 160);
    ASSERT_EQ(frame.height, 160);
    if (!HasRed(frame)) GTEST_SKIP() << "IDB_FRAME.bmp is still the all-black placeholder";

    std::vector<std::vector<ShapeRect>> byRow(161);
    ScanWindowShape(0, 0, 161, 161, [&](int x, int y) { return IsShapeKeyPixel(frame, x, y); },
                    [&](const ShapeRect& r) { byRow.at(static_cast<size_t>(r.top)).push_back(r); });
    for (int y = 0; y <= 160; ++y)
        EXPECT_EQ(byRow[static_cast<size_t>(y)].size(), 1u)
            << "row " << y << ": " << Text(byRow[static_cast<size_t>(y)]);

    const ShapeRect expected[] = {
        {79, 0, 81, 1},     {78, 1, 82, 2},     {76, 2, 84, 3},     {13, 40, 147, 41},
        {0, 80, 160, 81},   {13, 120, 145, 121}, {78, 159, 81, 160}, {0, 160, 160, 161},
    };
    for (const ShapeRect& r : expected) {
        const std::vector<ShapeRect>& got = byRow[static_cast<size_t>(r.top)];
        EXPECT_EQ(got, std::vector<ShapeRect>{r}) << "row " << r.top << ": got " << Text(got);
    }
}

// A 3 x 2 picture written by hand: palette of two colours, rows padded to 4 bytes.
std::vector<uint8_t> SmallBmp(bool topDown, size_t cutAt = 0)
{
    std::vector<uint8_t> b = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 14 + 40 + 8, 0, 0, 0};
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    u32(40);
    u32(3);
    u32(topDown ? static_cast<uint32_t>(-2) : 2u);
    b.insert(b.end(), {1, 0, 8, 0});
    u32(0);  // uncompressed
    u32(0);
    u32(0);
    u32(0);
    u32(2);  // two palette entries
    u32(0);
    b.insert(b.end(), {0, 0, 0, 0, 0, 0, 255, 0});  // black, red (blue, green, red order)
    const uint8_t top[4] = {1, 0, 1, 9}, bottom[4] = {0, 1, 0, 9};
    const uint8_t* first = topDown ? top : bottom;
    const uint8_t* second = topDown ? bottom : top;
    b.insert(b.end(), first, first + 4);
    b.insert(b.end(), second, second + 4);
    if (cutAt) b.resize(cutAt);
    return b;
}

std::string WriteTemp(const std::vector<uint8_t>& bytes, const char* name)
{
    const std::string path = testing::TempDir() + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

TEST(ReadBmp8, ReadsBothRowOrdersAndRejectsShortFiles)
{
    for (bool topDown : {false, true}) {
        Bmp8Image image;
        const std::string path = WriteTemp(SmallBmp(topDown), "small.bmp");
        ASSERT_TRUE(ReadBmp8(path.c_str(), &image)) << "top-down " << topDown;
        EXPECT_EQ(image.width, 3);
        EXPECT_EQ(image.height, 2);
        const bool redTop[3] = {true, false, true};
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(IsShapeKeyPixel(image, x, 0), redTop[x]) << "top-down " << topDown << " x " << x;
            EXPECT_EQ(IsShapeKeyPixel(image, x, 1), !redTop[x]) << "top-down " << topDown << " x " << x;
        }
        EXPECT_FALSE(IsShapeKeyPixel(image, 3, 0)) << "beyond the right edge";
        EXPECT_FALSE(IsShapeKeyPixel(image, 0, 2)) << "below the bottom";
    }
    for (size_t cut : {size_t{10}, size_t{60}, size_t{65}, size_t{69}}) {
        Bmp8Image image;
        const std::string path = WriteTemp(SmallBmp(false, cut), "short.bmp");
        EXPECT_FALSE(ReadBmp8(path.c_str(), &image)) << "cut at " << cut;
    }
    // Header sizes that overflow 32-bit arithmetic: the palette's offset would wrap into
    // the file header, and the picture's size to 0 bytes with rows copied past its end.
    const struct {
        const char* name;
        size_t offset;
        std::vector<uint32_t> fields;  // consecutive 32-bit fields from offset
    } oversized[] = {
        {"header size 0xFFFFFFF8", 14, {0xFFFFFFF8u}},
        {"65536 x 65536", 18, {65536, 65536}},
    };
    for (const auto& c : oversized) {
        std::vector<uint8_t> bytes = SmallBmp(false);
        for (size_t k = 0; k < c.fields.size(); ++k)
            for (size_t i = 0; i < 4; ++i)
                bytes[c.offset + 4 * k + i] = static_cast<uint8_t>(c.fields[k] >> (8 * i));
        Bmp8Image image;
        const std::string path = WriteTemp(bytes, "oversized.bmp");
        EXPECT_FALSE(ReadBmp8(path.c_str(), &image)) << c.name;
    }
    Bmp8Image image;
    EXPECT_FALSE(ReadBmp8("/nonexistent/file.bmp", &image));
}

// The clock's scale from the dots per inch, and a stored place brought whole into a
// monitor's work area (here with a panel of 30 pixels at the top).
TEST(ClockPlacement, ScaleAndFitIntoTheWorkArea)
{
    for (const auto& d : {std::pair{0, 1}, {96, 1}, {143, 1}, {144, 2}, {192, 2}, {240, 3}})
        EXPECT_EQ(ScaleForDpi(d.first), d.second) << d.first << " dpi";
    const ScreenBox area = {0, 30, 1024, 768};
    const std::pair<ScreenBox, ScreenBox> cases[] = {
        {{864, 608, 1024, 768}, {864, 608, 1024, 768}},  // whole inside stays
        {{-500, 0, -340, 160}, {0, 30, 160, 190}},       // beyond the left edge, under the panel
        {{100, 100, 1380, 1380}, {0, 30, 1280, 1310}},   // larger: its corner shows
    };
    for (const auto& [box, fitted] : cases) {
        const ScreenBox f = FitBoxInside(box, area);
        EXPECT_EQ(Text({{f.left, f.top, f.right, f.bottom}}),
                  Text({{fitted.left, fitted.top, fitted.right, fitted.bottom}}));
    }
}

// The timer is set again only when a tick falls more than 8 ms from its place 20 ms into
// the second, or when a tick in its place finds the timer without its period of a second.
TEST(ClockTickTimer, SetAgainOnlyOffItsPlace)
{
    struct Case {
        unsigned millisecond, period, setting;
    };
    const Case cases[] = {
        {20, 1000, 0},   {12, 1000, 0},  {28, 1000, 0},  {11, 1000, 1009}, {29, 1000, 991},
        {20, 985, 1000}, {28, 1012, 1000}, {0, 1000, 1020}, {995, 1000, 25},  {500, 1000, 520},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TimerAfterTick(c.millisecond, c.period), c.setting)
            << "tick at " << c.millisecond << " ms, period " << c.period;
}

}  // namespace

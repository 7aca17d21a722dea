// Checks the committed pictures, icons and chime for what the program relies on: sizes and
// layouts, pure red only around the window shape, see-through black only where the picture
// below should show, and no visible colour that a 15/16-bit screen would turn into black.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

const Rgb kBlack{0, 0, 0};
const Rgb kRed{255, 0, 0};

std::vector<uint8_t> ReadFile(const std::string& name)
{
    std::ifstream in(std::string(PELIO_SOURCE_DIR "/resources/") + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t U32(const std::vector<uint8_t>& d, size_t at)
{
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<uint32_t>(d[at + 3]) << 24;
}

uint16_t U16(const std::vector<uint8_t>& d, size_t at)
{
    return static_cast<uint16_t>(d[at] | d[at + 1] << 8);
}

// An 8-bit BI_RGB bitmap as the resource compiler takes it, decoded to colours.
struct Picture {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;  // top row first
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

Picture LoadBmp8(const std::string& name)
{
    std::vector<uint8_t> d = ReadFile(name);
    Picture p;
    if (d.size() < 54 + 1024 || d[0] != 'B' || d[1] != 'M') return p;
    EXPECT_EQ(U32(d, 14), 40u) << name << ": info header size";
    EXPECT_EQ(U16(d, 28), 8) << name << ": bits per pixel";
    EXPECT_EQ(U32(d, 30), 0u) << name << ": compression";
    int w = static_cast<int>(U32(d, 18)), h = static_cast<int>(U32(d, 22));
    size_t offset = U32(d, 10), stride = (static_cast<size_t>(w) + 3) / 4 * 4;
    if (w <= 0 || h <= 0 || offset + stride * static_cast<size_t>(h) > d.size()) return p;
    p.width = w;
    p.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            size_t entry = 54 + 4 * size_t{d[offset + stride * static_cast<size_t>(h - 1 - y) +
                                            static_cast<size_t>(x)]};
            p.pixels.push_back({d[entry + 2], d[entry + 1], d[entry]});
        }
    return p;
}

// GDI converts 8-bit colours to 5-6-5 and 5-5-5 by dropping low bits: a visible colour
// whose every channel is below 8 lands on 0 and turns see-through under the colour key.
bool TurnsBlackAt16Bits(Rgb c) { return c.r < 8 && c.g < 8 && c.b < 8; }

double Distance(int x, int y, double cx, double cy) { return std::hypot(x + 0.5 - cx, y + 0.5 - cy); }

struct PictureCase {
    const char* file;
    int width, height;
};

const PictureCase kPictures[] = {
    {"IDB_FRAME.bmp", 160, 160},
    {"IDB_PANEL.bmp", 1440, 160},
    {"IDB_FONT.bmp", 224, 18},
};

TEST(Artwork, PicturesHaveTheirSizesAndNoColourThatVanishesAt16Bits)
{
    for (const PictureCase& c : kPictures) {
        Picture p = LoadBmp8(c.file);
        ASSERT_EQ(p.width, c.width) << c.file;
        ASSERT_EQ(p.height, c.height) << c.file;
        int vanishing = 0;
        for (const Rgb& px : p.pixels)
            if (!(px == kBlack) && TurnsBlackAt16Bits(px)) ++vanishing;
        EXPECT_EQ(vanishing, 0) << c.file << ": near-black pixels that would turn see-through";
    }
}

// The window shape is cut from these rows; a changed frame would change the clock's outline.
struct SpanCase {
    int row, first, last;
};

const SpanCase kFrameSpans[] = {
    {0, 79, 81}, {1, 78, 82}, {2, 76, 84}, {40, 13, 147}, {80, 0, 159}, {120, 13, 145}, {159, 78, 81},
};

TEST(Artwork, FrameIsOneHexagonalRunPerRowInsideRed)
{
    Picture f = LoadBmp8("IDB_FRAME.bmp");
    ASSERT_EQ(f.width, 160);
    for (const SpanCase& c : kFrameSpans) {
        int first = -1, last = -1;
        for (int x = 0; x < 160; ++x)
            if (!(f.At(x, c.row) == kRed)) {
                if (first < 0) first = x;
                last = x;
            }
        EXPECT_EQ(first, c.first) << "row " << c.row;
        EXPECT_EQ(last, c.last) << "row " << c.row;
    }
    int prevWidth = 0;
    for (int y = 0; y < 160; ++y) {
        int runs = 0, width = 0;
        for (int x = 0; x < 160; ++x) {
            bool in = !(f.At(x, y) == kRed);
            if (in) ++width;
            if (in && (x == 0 || f.At(x - 1, y) == kRed)) ++runs;
        }
        EXPECT_EQ(runs, 1) << "row " << y;
        // Widening to the middle and narrowing after it: no notch in the outline.
        if (y <= 80) {
            EXPECT_GE(width, prevWidth) << "row " << y;
        } else {
            EXPECT_LE(width, prevWidth) << "row " << y;
        }
        prevWidth = width;
    }
}

TEST(Artwork, FrameIsSeeThroughOnlyOnTheDial)
{
    Picture f = LoadBmp8("IDB_FRAME.bmp");
    ASSERT_EQ(f.width, 160);
    int dial = 0, clear = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x) {
            double r = Distance(x, y, 80, 80);
            bool black = f.At(x, y) == kBlack;
            if (r > 62) {
                EXPECT_FALSE(black) << "hole in the frame at (" << x << ", " << y << ")";
            }
            // Between the numerals and the hub, the picture must show through.
            if (r < 40) {
                ++dial;
                if (black) ++clear;
            }
        }
    EXPECT_EQ(clear, dial) << "the inner dial must be entirely see-through";
    // The hands reach 54 pixels: the dial must be at least that wide and mostly clear.
    int ring = 0, ringClear = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x) {
            double r = Distance(x, y, 80, 80);
            if (r >= 40 && r < 56) {
                ++ring;
                if (f.At(x, y) == kBlack) ++ringClear;
            }
        }
    EXPECT_GT(ringClear * 10, ring * 7) << ringClear << " of " << ring << " numeral-ring pixels clear";
}

TEST(Artwork, FontGlyphsStayInsideTheCellsTheProgramCopies)
{
    Picture f = LoadBmp8("IDB_FONT.bmp");
    ASSERT_EQ(f.width, 224);
    std::vector<std::vector<Rgb>> glyphs;
    for (int k = 0; k <= 10; ++k) {
        int lit = 0;
        std::vector<Rgb> cell;
        for (int y = 0; y < 18; ++y)
            for (int x = 16 * k; x < 16 * k + 16; ++x) {
                bool black = f.At(x, y) == kBlack;
                bool copied = x < 16 * k + 15 && y < 17;
                if (!black && copied) ++lit;
                EXPECT_TRUE(black || copied) << "glyph " << k << " spills to (" << x << ", " << y << ")";
                cell.push_back(f.At(x, y));
            }
        EXPECT_GT(lit, 8) << "glyph " << k << " is empty";
        for (size_t j = 0; j < glyphs.size(); ++j)
            EXPECT_FALSE(glyphs[j] == cell) << "glyphs " << j << " and " << k << " are the same";
        glyphs.push_back(cell);
    }
    int label = 0, bluish = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 176; x < 208; ++x)
            if (!(f.At(x, y) == kBlack)) ++label;
        for (int x = 208; x < 224; ++x)
            if (f.At(x, y).b > f.At(x, y).r + 40) ++bluish;
    }
    EXPECT_GT(label, 100) << "the ALARM label is missing";
    EXPECT_GT(bluish, 40) << "the blue diamond is missing";
}

TEST(Artwork, EveryPanelPictureFillsTheDialAndDiffersFromTheOthers)
{
    Picture p = LoadBmp8("IDB_PANEL.bmp");
    ASSERT_EQ(p.width, 1440);
    std::vector<std::vector<Rgb>> dials;
    for (int k = 0; k < 9; ++k) {
        std::vector<Rgb> dial;
        int holes = 0;
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 160; ++x)
                if (Distance(x, y, 80, 80) < 60) {
                    Rgb c = p.At(160 * k + x, y);
                    if (c == kBlack) ++holes;
                    dial.push_back(c);
                }
        EXPECT_EQ(holes, 0) << "picture " << k << " has black inside the dial";
        for (size_t j = 0; j < dials.size(); ++j) {
            size_t same = 0;
            for (size_t i = 0; i < dial.size(); ++i)
                if (dial[i] == dials[j][i]) ++same;
            EXPECT_LT(same * 10, dial.size() * 9) << "pictures " << j << " and " << k << " are alike";
        }
        dials.push_back(dial);
    }
}

struct IconCase {
    const char* file;
    int images;
};

const IconCase kIcons[] = {{"pelio.ico", 2}, {"about2.ico", 1}};

TEST(Artwork, IconsAre32By32In16ColoursWithAMask)
{
    for (const IconCase& c : kIcons) {
        std::vector<uint8_t> d = ReadFile(c.file);
        ASSERT_GE(d.size(), 6u + 16u) << c.file;
        EXPECT_EQ(U16(d, 2), 1) << c.file << ": not an icon";
        ASSERT_EQ(U16(d, 4), c.images) << c.file;
        EXPECT_EQ(d[6], 32) << c.file << ": the first image must be 32 wide";
        EXPECT_EQ(d[7], 32) << c.file << ": the first image must be 32 high";
        for (int i = 0; i < c.images; ++i) {
            size_t entry = 6 + 16 * static_cast<size_t>(i);
            size_t size = U32(d, entry + 8), at = U32(d, entry + 12);
            ASSERT_LE(at + size, d.size()) << c.file << " image " << i;
            int w = d[entry] ? d[entry] : 256;
            EXPECT_EQ(static_cast<int>(U32(d, at + 8)), 2 * w) << c.file << ": XOR and AND heights";
            EXPECT_EQ(U16(d, at + 14), 4) << c.file << " image " << i << ": bits per pixel";
            size_t xorBytes = (static_cast<size_t>(w) / 2 + 3) / 4 * 4 * static_cast<size_t>(w);
            size_t andBytes = (static_cast<size_t>(w) / 8 + 3) / 4 * 4 * static_cast<size_t>(w);
            EXPECT_EQ(size, 40 + 16 * 4 + xorBytes + andBytes) << c.file << " image " << i;
        }
    }
}

TEST(Artwork, ChimeIsATwoSecondUnclippedMonoPcmFile)
{
    std::vector<uint8_t> d = ReadFile("pelio.wav");
    ASSERT_GE(d.size(), 44u);
    ASSERT_EQ(std::string(d.begin(), d.begin() + 4), "RIFF");
    ASSERT_EQ(std::string(d.begin() + 8, d.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(U32(d, 4), d.size() - 8) << "RIFF size";
    EXPECT_EQ(U16(d, 20), 1) << "PCM";
    EXPECT_EQ(U16(d, 22), 1) << "channels";
    EXPECT_EQ(U32(d, 24), 22050u) << "rate";
    EXPECT_EQ(U16(d, 34), 16) << "bits";
    ASSERT_EQ(std::string(d.begin() + 36, d.begin() + 40), "data");
    size_t count = U32(d, 40) / 2;
    ASSERT_EQ(44 + count * 2, d.size());
    EXPECT_NEAR(static_cast<double>(count) / 22050, 2.0, 0.25) << "seconds";
    int peak = 0;
    for (size_t i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(static_cast<int16_t>(U16(d, 44 + 2 * i))));
    double dbfs = 20 * std::log10(peak / 32768.0);
    EXPECT_NEAR(dbfs, -3.0, 1.0) << "peak level";
    // Starts and ends at rest, so neither the start nor the end clicks.
    EXPECT_LT(std::abs(static_cast<int16_t>(U16(d, 44))), 200);
    EXPECT_LT(std::abs(static_cast<int16_t>(U16(d, 44 + 2 * (count - 1)))), 200);
}

}  // namespace

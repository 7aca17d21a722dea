#include <gtest/gtest.h>

#include "display/lighten.h"

namespace {

struct Palette {
    PaletteColour entries[PaletteSize] = {};  // black unless set
    uint8_t table[PaletteSize] = {};

    Palette& Set(int index, uint8_t r, uint8_t g, uint8_t b)
    {
        entries[index] = {r, g, b};
        return *this;
    }
    Palette& Build()
    {
        ComputeLightenTable(entries, table);
        return *this;
    }
};

struct LightenCase {
    const char* name;
    int index;
    int expected;
};

TEST(LightenTable, WhiteMapsToTheLowestWhiteEntry)
{
    Palette palette;
    palette.Set(7, 255, 255, 255).Set(9, 255, 255, 255).Set(12, 255, 255, 254)
        .Set(200, 255, 255, 255).Set(255, 255, 255, 255).Build();
    const LightenCase cases[] = {
        {"first white", 7, 7},
        {"a later white", 9, 7},
        {"the last white", 255, 7},
        // (255, 255, 254) lightens to itself: equal brightness beats the whites.
        {"almost white", 12, 12},
    };
    for (const LightenCase& c : cases) EXPECT_EQ(palette.table[c.index], c.expected) << c.name;
}

TEST(LightenTable, TiesNeverMoveTheChoice)
{
    // Black lightens to (200, 200, 200): the two equal greys tie, and black entries
    // (all indices not set) never come nearer than the first grey.
    Palette palette;
    palette.Set(30, 200, 200, 200).Set(31, 200, 200, 200).Set(40, 210, 190, 200).Build();
    EXPECT_EQ(palette.table[0], 30) << "black";
    EXPECT_EQ(palette.table[100], 30) << "another black";
}

TEST(LightenTable, NearerInEveryChannelOutranksBrightness)
{
    // Black lightens to (200, 200, 200), brightness 600; grey 100 lightens to
    // (221, 221, 221), brightness 663. Entry 2 matches black's target in brightness
    // exactly, but entry 3, nearer to it in every channel than entry 2, takes over
    // although its brightness is 30 off; no later entry beats 30 again.
    Palette palette;
    palette.Set(1, 100, 100, 100).Set(2, 255, 255, 90).Set(3, 190, 190, 190).Build();
    const LightenCase cases[] = {
        {"black", 0, 3},
        {"grey 100", 1, 3},
        {"yellowish", 2, 2},
    };
    for (const LightenCase& c : cases) EXPECT_EQ(palette.table[c.index], c.expected) << c.name;
}

TEST(LightenTable, LightensBy200Over255OfTheWayToWhite)
{
    // Each grey g sits alone beside black; its target is g + floor(200 (255 - g) / 255),
    // and a palette of every grey level maps each to exactly that level.
    Palette palette;
    for (int g = 0; g < PaletteSize; ++g)
        palette.Set(g, static_cast<uint8_t>(g), static_cast<uint8_t>(g), static_cast<uint8_t>(g));
    palette.Build();
    for (int g : {0, 1, 100, 128, 254, 255})
        EXPECT_EQ(palette.table[g], g + 200 * (255 - g) / 255) << "grey " << g;
}

}  // namespace

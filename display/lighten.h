// The table that stands in for translucency on 256-colour displays: for each palette
// index, the index of the entry that best matches that colour lightened toward white.
#pragma once
#include <cstdint>

constexpr int PaletteSize = 256;

struct PaletteColour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

void ComputeLightenTable(const PaletteColour palette[PaletteSize], uint8_t table[PaletteSize]);

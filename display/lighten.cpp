#include "display/lighten.h"

#include <cstdlib>

namespace {

// Each channel moves 200/255 of its way to white.
PaletteColour Lightened(const PaletteColour& c)
{
    auto toward = [](uint8_t v) { return static_cast<uint8_t>(v + 200 * (255 - v) / 255); };
    return {toward(c.red), toward(c.green), toward(c.blue)};
}

int Brightness(const PaletteColour& c) { return c.red + c.green + c.blue; }

bool NearerInEveryChannel(const PaletteColour& target, const PaletteColour& candidate,
                          const PaletteColour& best)
{
    return std::abs(target.red - candidate.red) < std::abs(target.red - best.red) &&
           std::abs(target.green - candidate.green) < std::abs(target.green - best.green) &&
           std::abs(target.blue - candidate.blue) < std::abs(target.blue - best.blue);
}

// An entry wins either by being nearer in every channel or by a closer overall
// brightness; only a strict improvement moves the choice, so among equals the lowest
// index stays.
uint8_t BestMatch(const PaletteColour palette[PaletteSize], const PaletteColour& target)
{
    const int targetBrightness = Brightness(target);
    int best = 0;
    int bestDistance = std::abs(targetBrightness - Brightness(palette[0]));
    for (int j = 1; j < PaletteSize; ++j) {
        const int distance = std::abs(targetBrightness - Brightness(palette[j]));
        if (NearerInEveryChannel(target, palette[j], palette[best])) {
            best = j;
            bestDistance = distance;
        }
        if (distance < bestDistance) {
            best = j;
            bestDistance = distance;
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace

void ComputeLightenTable(const PaletteColour palette[PaletteSize], uint8_t table[PaletteSize])
{
    for (int i = 0; i < PaletteSize; ++i) table[i] = BestMatch(palette, Lightened(palette[i]));
}

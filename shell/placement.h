// Where the clock sits and how large it is drawn: the arithmetic of its place and scale,
// apart from the calls that ask the system for monitors and dots per inch.
#pragma once
#include <cstdint>

// A rectangle of the screen; right and bottom are exclusive.
struct ScreenBox {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The whole-number factor the clock is drawn at on a screen of so many dots per inch:
// 96 is 1, and a half rounds up, so 144 is 2. Never less than 1.
int32_t ScaleForDpi(int32_t dpi);

// The box moved as little as it takes to lie whole inside the area: a box already inside
// stays. One larger than the area keeps its left or top edge on the area's, so its corner
// stays in sight.
ScreenBox FitBoxInside(const ScreenBox& box, const ScreenBox& area);

// What the clock face is made of, apart from the copies between surfaces: which
// picture each hour shows, where the hands point, their corners and their colours.
#pragma once
#include <cstdint>

#include "display/raster.h"

constexpr int FaceSize = 160;
constexpr int PictureCount = 9;

// Picture index in the panel strip for each hour of the day.
extern const uint8_t PictureByHour[24];

// Whole degrees clockwise from twelve o'clock.
struct HandAngles {
    int32_t second;
    int32_t minute;
    int32_t hour;
};

HandAngles ComputeHandAngles(int hour, int minute, int second);

// A filled hand: p[0] the tail, p[1] the side counter-clockwise of the hand's direction,
// p[2] the tip, p[3] the other side, p[4] == p[0] to close the outline.
struct KiteCorners {
    HandPoint p[5];
};

KiteCorners MinuteHandCorners(int32_t angle);
KiteCorners HourHandCorners(int32_t angle);

struct SecondHandEnds {
    HandPoint tip;
    HandPoint tail;
};

SecondHandEnds SecondHandLine(int32_t angle);

// Colours in the pixel format of a depth (palette indices at 8 bits).
struct HandColours {
    uint32_t light;
    uint32_t shade;
    uint32_t minuteClosingEdge;
    uint32_t fillStrength;
};

// False at a depth the hands are not drawn at.
bool HandColoursForDepth(int32_t depth, HandColours* colours);

// The second, minute and hour hands, in that order, so the hour hand lies on top.
// Reads the sine and cosine tables, which must have been built.
void DrawHands(const PixelBuffer& target, int hour, int minute, int second);

#include "display/face_geometry.h"

#include "shell/trig.h"

// Asleep at night and after lunch, up at nine, eating at noon and in the evening.
const uint8_t PictureByHour[24] = {
    5, 5, 5, 5, 5, 5, 5, 5, 5,  // 0 to 8
    1,                          // 9
    0, 0,                       // 10, 11
    2,                          // 12
    5, 5,                       // 13, 14
    3,                          // 15
    0, 0, 0,                    // 16 to 18
    4,                          // 19
    6,                          // 20
    7,                          // 21
    5, 5,                       // 22, 23
};

namespace {

constexpr int Centre = FaceSize / 2;
constexpr int KiteEdges = 4;

struct KiteShape {
    int tail;
    int halfWidth;
    int tip;
};

constexpr KiteShape MinuteShape = {20, 4, 54};
constexpr KiteShape HourShape = {16, 5, 40};
constexpr int SecondTail = 20;
constexpr int SecondTip = 48;

// k times a table entry over 256, rounded toward minus infinity: an arithmetic shift,
// so a small negative product lands one pixel further out than a division would.
int16_t Offset(int32_t k, int32_t tableEntry)
{
    return static_cast<int16_t>(Centre + ((k * tableEntry) >> 8));
}

KiteCorners KiteAt(int32_t angle, const KiteShape& shape)
{
    const int32_t sn = SinTable[angle];
    const int32_t cs = CosTable[angle];
    KiteCorners kite;
    kite.p[0] = {Offset(-shape.tail, sn), Offset(shape.tail, cs)};
    kite.p[1] = {Offset(-shape.halfWidth, cs), Offset(-shape.halfWidth, sn)};
    kite.p[2] = {Offset(shape.tip, sn), Offset(-shape.tip, cs)};
    // The far side is the near one mirrored through the centre, not computed on its own.
    kite.p[3] = {static_cast<int16_t>(FaceSize - kite.p[1].x),
                 static_cast<int16_t>(FaceSize - kite.p[1].y)};
    kite.p[4] = kite.p[0];
    return kite;
}

void DrawKite(const PixelBuffer& target, const KiteCorners& kite, const HandColours& colours,
              uint32_t closingEdge)
{
    const HandPoint* p = kite.p;
    FillPolygon(target, p, KiteEdges, colours.light, colours.fillStrength);
    DrawLine(target, p[0].x, p[0].y, p[1].x, p[1].y, colours.light);
    DrawLine(target, p[1].x, p[1].y, p[2].x, p[2].y, colours.light);
    DrawLine(target, p[2].x, p[2].y, p[3].x, p[3].y, colours.shade);
    DrawLine(target, p[3].x, p[3].y, p[0].x, p[0].y, closingEdge);
}

}  // namespace

HandAngles ComputeHandAngles(int hour, int minute, int second)
{
    HandAngles angles;
    // A leap second (60) points at twelve, like the second after it.
    angles.second = 6 * second;
    if (angles.second >= 360) angles.second -= 360;
    // The minute hand creeps one degree every ten seconds; seconds never move the hour hand.
    angles.minute = 6 * minute + second / 10;
    if (angles.minute >= 360) angles.minute -= 360;
    angles.hour = 30 * hour + minute / 2;
    if (angles.hour >= 360) angles.hour -= 360;
    return angles;
}

KiteCorners MinuteHandCorners(int32_t angle) { return KiteAt(angle, MinuteShape); }

KiteCorners HourHandCorners(int32_t angle) { return KiteAt(angle, HourShape); }

SecondHandEnds SecondHandLine(int32_t angle)
{
    const int32_t sn = SinTable[angle];
    const int32_t cs = CosTable[angle];
    return {{Offset(SecondTip, sn), Offset(-SecondTip, cs)},
            {Offset(-SecondTail, sn), Offset(SecondTail, cs)}};
}

bool HandColoursForDepth(int32_t depth, HandColours* colours)
{
    constexpr uint32_t strength = 150;
    switch (depth) {
    case 8: *colours = {255, 0, 0, strength}; return true;
    case 15: *colours = {0x7FFF, 0x4210, 0x4210, strength}; return true;
    case 16: *colours = {0xFFFF, 0x8410, 0x8410, strength}; return true;
    // The minute hand's closing edge is the one coloured line on the hands.
    case 24:
    case 32: *colours = {0xFFFFFFFF, 0xFF808080, 0xFFE48080, strength}; return true;
    default: return false;
    }
}

void DrawHands(const PixelBuffer& target, int hour, int minute, int second)
{
    HandColours colours;
    if (!HandColoursForDepth(target.depth, &colours)) return;
    const HandAngles angles = ComputeHandAngles(hour, minute, second);

    const SecondHandEnds secondHand = SecondHandLine(angles.second);
    DrawLine(target, secondHand.tip.x, secondHand.tip.y, secondHand.tail.x, secondHand.tail.y,
             colours.light);
    DrawKite(target, MinuteHandCorners(angles.minute), colours, colours.minuteClosingEdge);
    DrawKite(target, HourHandCorners(angles.hour), colours, colours.shade);
}

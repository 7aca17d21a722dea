#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display/face_change.h"
#include "display/face_geometry.h"
#include "shell/trig.h"
#include "display/raster.h"

namespace {

std::string Text(const HandPoint& p)
{
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

void ExpectPoint(const HandPoint& actual, HandPoint expected, const std::string& what)
{
    EXPECT_TRUE(actual.x == expected.x && actual.y == expected.y)
        << what << ": got " << Text(actual) << ", want " << Text(expected);
}

TEST(PictureByHour, ShowsTheDaysRoutine)
{
    const uint8_t expected[24] = {5, 5, 5, 5, 5, 5, 5, 5, 5, 1, 0, 0,
                                  2, 5, 5, 3, 0, 0, 0, 4, 6, 7, 5, 5};
    for (int hour = 0; hour < 24; ++hour)
        EXPECT_EQ(PictureByHour[hour], expected[hour]) << "hour " << hour;
}

struct AngleCase {
    int hour, minute, second;
    int32_t secondAngle, minuteAngle, hourAngle;
};

TEST(HandAngles, WholeDegreesFromTwelve)
{
    const AngleCase cases[] = {
        {0, 0, 0, 0, 0, 0},         {3, 15, 0, 0, 90, 97},     {10, 8, 30, 180, 51, 304},
        {21, 45, 59, 354, 275, 292}, {13, 0, 0, 0, 0, 30},     {23, 59, 59, 354, 359, 359},
        {12, 0, 0, 0, 0, 0},        {11, 59, 9, 54, 354, 359}, {6, 30, 10, 60, 181, 195},
        {23, 59, 60, 0, 0, 359}, // a leap second: both the second and the minute hand at twelve
    };
    for (const AngleCase& c : cases) {
        const HandAngles a = ComputeHandAngles(c.hour, c.minute, c.second);
        const std::string time = std::to_string(c.hour) + ":" + std::to_string(c.minute) + ":" +
                                 std::to_string(c.second);
        EXPECT_EQ(a.second, c.secondAngle) << time;
        EXPECT_EQ(a.minute, c.minuteAngle) << time;
        EXPECT_EQ(a.hour, c.hourAngle) << time;
    }
}

TEST(HandAngles, SecondsCreepTheMinuteHandButNeverTheHourHand)
{
    for (int second = 0; second < 60; ++second) {
        const HandAngles a = ComputeHandAngles(7, 20, second);
        EXPECT_EQ(a.minute, 120 + second / 10) << "second " << second;
        EXPECT_EQ(a.hour, 220) << "second " << second;
    }
}

struct CornerCase {
    const char* time;
    int32_t minuteAngle;
    HandPoint minute[4];
    int32_t hourAngle;
    HandPoint hour[4];
    int32_t secondAngle;
    HandPoint secondTip, secondTail;
};

const CornerCase kCorners[] = {
    {"00:00:00", 0, {{80, 100}, {76, 80}, {80, 26}, {84, 80}},
     0, {{80, 96}, {75, 80}, {80, 40}, {85, 80}},
     0, {80, 32}, {80, 100}},
    // The tip stops at 133 because the sine of 90 degrees is 255/256; the hour tail's y is
    // 78 because 16 x -31 / 256 is rounded toward minus infinity.
    {"03:15:00", 90, {{60, 80}, {80, 76}, {133, 80}, {80, 84}},
     97, {{64, 78}, {80, 75}, {119, 84}, {80, 85}},
     0, {80, 32}, {80, 100}},
    {"10:08:30", 51, {{64, 92}, {77, 76}, {121, 46}, {83, 84}},
     304, {{93, 88}, {77, 84}, {46, 57}, {83, 76}},
     180, {80, 127}, {80, 60}},
};

TEST(HandCorners, KitesAndSecondHand)
{
    BuildTrigTables();
    for (const CornerCase& c : kCorners) {
        const KiteCorners minute = MinuteHandCorners(c.minuteAngle);
        const KiteCorners hour = HourHandCorners(c.hourAngle);
        for (int i = 0; i < 4; ++i) {
            ExpectPoint(minute.p[i], c.minute[i],
                        std::string(c.time) + " minute p" + std::to_string(i));
            ExpectPoint(hour.p[i], c.hour[i], std::string(c.time) + " hour p" + std::to_string(i));
        }
        ExpectPoint(minute.p[4], c.minute[0], std::string(c.time) + " minute outline closed");
        ExpectPoint(hour.p[4], c.hour[0], std::string(c.time) + " hour outline closed");
        const SecondHandEnds second = SecondHandLine(c.secondAngle);
        ExpectPoint(second.tip, c.secondTip, std::string(c.time) + " second tip");
        ExpectPoint(second.tail, c.secondTail, std::string(c.time) + " second tail");
    }
}

TEST(HandCorners, StayInsideTheFaceAtEveryAngle)
{
    BuildTrigTables();
    for (int32_t angle = 0; angle < 360; ++angle) {
        const KiteCorners kites[] = {MinuteHandCorners(angle), HourHandCorners(angle)};
        const SecondHandEnds second = SecondHandLine(angle);
        std::vector<HandPoint> points = {second.tip, second.tail};
        for (const KiteCorners& k : kites) points.insert(points.end(), k.p, k.p + 5);
        for (const HandPoint& p : points) {
            EXPECT_TRUE(p.x >= 26 && p.x <= 134 && p.y >= 26 && p.y <= 134)
                << "angle " << angle << ": " << Text(p);
        }
    }
}

// A face-sized block of pixels at one depth, black to start with.
struct Face {
    int32_t depth;
    int bytes;
    std::vector<uint8_t> memory;
    uint8_t table[256];

    explicit Face(int32_t d)
        : depth(d), bytes(BytesPerPixel(d) ? BytesPerPixel(d) : 4),
          memory(static_cast<size_t>(FaceSize * FaceSize * bytes), 0)
    {
        for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(i == 0 ? 7 : i);
    }
    PixelBuffer Buffer() { return {memory.data(), FaceSize * bytes, depth, table}; }
    std::vector<uint8_t> Bytes(int x, int y)
    {
        const uint8_t* p = memory.data() + (y * FaceSize + x) * bytes;
        return std::vector<uint8_t>(p, p + bytes);
    }
};

struct HandColourCase {
    int32_t depth;
    std::vector<uint8_t> secondHand;       // light, on the bare second hand's tail
    std::vector<uint8_t> minuteClosing;    // the minute hand's closing edge
    std::vector<uint8_t> hourClosing;      // shade
    std::vector<uint8_t> bothFills;        // black lightened by the minute, then the hour hand
};

// At 00:00:00: the second hand's tail end (80, 99) lies beyond both kites; the minute
// hand's closing edge runs from (84, 80) to (80, 100) and reaches (81, 98) below the hour
// hand; the hour hand's closing edge from (85, 80) to (80, 96) passes (84, 85); (78, 60)
// lies inside both kites, so it is lightened twice.
TEST(DrawHands, ColoursEachPartByDepth)
{
    BuildTrigTables();
    const HandColourCase cases[] = {
        {8, {255}, {0}, {0}, {7}},
        {15, {0xFF, 0x7F}, {0x10, 0x42}, {0x10, 0x42}, {0x39, 0x67}},
        {16, {0xFF, 0xFF}, {0x10, 0x84}, {0x10, 0x84}, {0x99, 0xCE}},
        {24, {0xFF, 0xFF, 0xFF}, {0xE4, 0x80, 0x80}, {0x80, 0x80, 0x80}, {0xD3, 0xD3, 0xD3}},
        {32, {0xFF, 0xFF, 0xFF, 0xFF}, {0x80, 0x80, 0xE4, 0xFF}, {0x80, 0x80, 0x80, 0xFF},
         {0xD3, 0xD3, 0xD3, 0x00}},
    };
    for (const HandColourCase& c : cases) {
        Face face(c.depth);
        DrawHands(face.Buffer(), 0, 0, 0);
        EXPECT_EQ(face.Bytes(80, 99), c.secondHand) << "depth " << c.depth << " second hand";
        EXPECT_EQ(face.Bytes(81, 98), c.minuteClosing) << "depth " << c.depth << " minute edge";
        EXPECT_EQ(face.Bytes(84, 85), c.hourClosing) << "depth " << c.depth << " hour edge";
        EXPECT_EQ(face.Bytes(78, 60), c.bothFills) << "depth " << c.depth << " both fills";
    }
}

TEST(DrawHands, DrawsNothingAtOtherDepths)
{
    BuildTrigTables();
    for (int32_t depth : {0, 4, 12}) {
        Face face(depth);
        DrawHands(face.Buffer(), 10, 8, 30);
        EXPECT_EQ(std::count(face.memory.begin(), face.memory.end(), 0),
                  static_cast<long>(face.memory.size()))
            << "depth " << depth;
    }
}

std::string Text(const FaceBox& b)
{
    if (b.left >= b.right) return "empty";
    return std::to_string(b.left) + "," + std::to_string(b.top) + "-" + std::to_string(b.right) +
           "," + std::to_string(b.bottom);
}

// Only what differs from the face before goes to the screen: the box holds each changed
// pixel, however few of its bytes changed, and the copy follows the face.
TEST(ChangedPixels, BoxHoldsEveryChangedPixelAndTheCopyFollows)
{
    static uint8_t copy[FaceCopyBytes];
    for (int32_t depth : {8, 16, 24, 32}) {
        SCOPED_TRACE(testing::Message() << "depth " << depth);
        std::fill(std::begin(copy), std::end(copy), uint8_t{0});
        Face face(depth);
        EXPECT_EQ(Text(TakeChangedPixels(face.Buffer(), copy)), "empty");
        face.memory[static_cast<size_t>((7 * FaceSize + 5) * face.bytes)] = 1;
        face.memory[static_cast<size_t>((100 * FaceSize + 151) * face.bytes - 1)] = 1;
        EXPECT_EQ(Text(TakeChangedPixels(face.Buffer(), copy)), "5,7-151,101");
        EXPECT_EQ(Text(TakeChangedPixels(face.Buffer(), copy)), "empty");
        face.memory.back() = 2;
        EXPECT_EQ(Text(TakeChangedPixels(face.Buffer(), copy)), "159,159-160,160");
    }
    Face unknown(12);
    copy[0] = 9;
    EXPECT_EQ(Text(TakeChangedPixels(unknown.Buffer(), copy)), "0,0-160,160");
    EXPECT_EQ(copy[0], 9) << "a depth without hands leaves the copy alone";
    EXPECT_EQ(Text(UniteFaceBoxes({0, 0, 0, 0}, {1, 2, 3, 4})), "1,2-3,4");
    EXPECT_EQ(Text(UniteFaceBoxes({5, 0, 9, 4}, {1, 2, 3, 8})), "1,0-9,8");
}

}  // namespace

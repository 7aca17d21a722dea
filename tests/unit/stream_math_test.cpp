#include <gtest/gtest.h>

#include "sound/stream_math.h"

TEST(StreamSizes, QuarterIsThreeQuartersOfASecondInWholeFrames)
{
    struct Case {
        const char* name;
        uint16_t blockAlign;
        uint32_t rate;
        uint32_t quarter;
        uint32_t buffer;
    } cases[] = {
        {"44100 Hz 16-bit stereo", 4, 44100, 132300, 529200},
        {"192000 Hz 16-bit stereo", 4, 192000, 576000, 2304000},
        {"22050 Hz 8-bit mono", 1, 22050, 16537, 66148},
        {"11025 Hz 16-bit mono, raised to a whole frame", 2, 11025, 16538, 66152},
        {"8000 Hz 24-bit stereo, raised", 6, 8000, 36000, 144000},
        {"11025 Hz 24-bit stereo, raised", 6, 11025, 49614, 198456},
        {"one frame per second still makes a ring", 4, 1, 4, 16},
    };
    for (const Case& c : cases) {
        StreamSizes sizes{};
        ASSERT_TRUE(ComputeStreamSizes(c.blockAlign, c.rate, &sizes)) << c.name;
        EXPECT_EQ(sizes.quarterBytes, c.quarter) << c.name;
        EXPECT_EQ(sizes.bufferBytes, c.buffer) << c.name;
        EXPECT_EQ(sizes.quarterBytes % c.blockAlign, 0u) << c.name;
    }
}

TEST(StreamSizes, FormatsWithoutAUsableRingAreRefused)
{
    struct Case {
        const char* name;
        uint16_t blockAlign;
        uint32_t rate;
    } cases[] = {
        {"block alignment 0", 0, 44100},
        {"rate 0", 4, 0},
        {"a quarter of nothing", 1, 1},
        {"ring beyond 32 bits once raised to a whole frame", 5, 286331153},
    };
    for (const Case& c : cases) {
        StreamSizes sizes{7, 7};
        EXPECT_FALSE(ComputeStreamSizes(c.blockAlign, c.rate, &sizes)) << c.name;
        EXPECT_EQ(sizes.quarterBytes, 7u) << c.name << ": left untouched";
    }
}

TEST(StreamFormat, OnlyFormatsDirectSoundDocumentsArePlayed)
{
    struct Case {
        const char* name;
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
        uint16_t blockAlign;
        bool playable;
    } cases[] = {
        {"8-bit mono 11025 Hz", 1, 11025, 8, 1, true},
        {"16-bit stereo 44100 Hz", 2, 44100, 16, 4, true},
        {"24-bit 5.1 at 96000 Hz", 6, 96000, 24, 18, true},
        {"16-bit stereo at 192000 Hz", 2, 192000, 16, 4, true},
        {"32-bit 7.1 at the top rate", 8, 200000, 32, 32, true},
        {"above the top rate", 2, 200001, 16, 4, false},
        {"384000 Hz", 2, 384000, 16, 4, false},
        {"8-bit mono at the lowest rate", 1, 100, 8, 1, true},
        {"no channels", 0, 11025, 8, 0, false},
        {"41474 channels", 41474, 11025, 8, 138, false},
        {"12-bit samples", 1, 11025, 12, 2, false},
        {"block of two frames", 1, 11025, 16, 4, false},
        {"block short of a frame", 2, 11025, 16, 2, false},
        {"1 Hz", 2, 1, 16, 4, false},
        {"13981218 Hz", 2, 13981218, 16, 4, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StreamFormatPlayable(c.channels, c.rate, c.bits, c.blockAlign), c.playable) << c.name;
}

TEST(StreamNotify, OffsetsEndEachQuarterAndTheLastByteOfTheRing)
{
    uint32_t offsets[StreamQuarters];
    QuarterNotifyOffsets(16538, offsets);
    const uint32_t expected[StreamQuarters] = {16538, 33076, 49614, 66151};
    for (int i = 0; i < StreamQuarters; ++i) EXPECT_EQ(offsets[i], expected[i]) << "position " << i;
}

TEST(StreamSilence, EightBitRestsAtMidScaleOthersAtZero)
{
    struct Case {
        uint16_t bits;
        uint8_t silence;
    } cases[] = {{8, 0x80}, {16, 0x00}, {24, 0x00}, {32, 0x00}, {4, 0x00}, {0, 0x00}};
    for (const Case& c : cases) EXPECT_EQ(SilenceByte(c.bits), c.silence) << c.bits << " bits";
}

TEST(StreamCursor, AdvanceCountsAcrossTheWrap)
{
    struct Case {
        const char* name;
        uint32_t last;
        uint32_t cursor;
        uint32_t advance;
    } cases[] = {
        {"no movement", 500, 500, 0},
        {"forward within the ring", 100, 16638, 16538},
        {"from the start", 0, 33076, 33076},
        {"wrapped past the end", 49614, 100, 66152 - 49614 + 100},
        {"wrapped to exactly zero", 66151, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlayCursorAdvance(c.last, c.cursor, 66152), c.advance) << c.name;
}

TEST(StreamCursor, WriteOffsetWalksTheQuartersAndReturnsToZero)
{
    const uint32_t quarter = 16538, buffer = 66152;
    uint32_t offset = 0;
    const uint32_t expected[] = {16538, 33076, 49614, 0, 16538};
    for (uint32_t want : expected) {
        offset = AdvanceWriteOffset(offset, quarter, buffer);
        EXPECT_EQ(offset, want);
    }
    EXPECT_EQ(AdvanceWriteOffset(0, buffer, buffer), 0u) << "a whole-ring fill";
}

TEST(SubchunkChain, NextOffsetCountsThePadByteAndNeverWraps)
{
    struct Case {
        uint32_t dataOffset;
        uint32_t size;
        uint64_t next;
    } cases[] = {
        {20, 16, 36},
        {20, 3, 24},                        // odd size: one pad byte
        {20, 0, 20},
        {20, 0xFFFFFFF7u, 0x10000000Cull},  // a 32-bit sum would wrap back to offset 12
        {0x7FFFFFF0u, 0x10, 0x80000000ull},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextSubchunkOffset(c.dataOffset, c.size), c.next)
            << "offset " << c.dataOffset << " size " << c.size;
    }
    EXPECT_GT(NextSubchunkOffset(20, 0xFFFFFFF7u), MaxSubchunkOffset);
}

#include <gtest/gtest.h>

#include "shell/trig.h"

namespace {

struct TrigCase {
    int degree;
    int32_t sine;
    int32_t cosine;
};

// Truncation and the short value of pi make the tables lopsided: 90 degrees gives 255.
const TrigCase kTellingEntries[] = {
    {0, 0, 256},      {1, 4, 255},      {30, 127, 221},    {60, 221, 128},  {90, 255, 0},
    {150, 128, -221}, {180, 0, -255},   {210, -127, -221}, {225, -180, -181},
    {270, -255, 0},   {300, -221, 127}, {315, -181, 180},  {359, -4, 255},
};

TEST(TrigTables, TellingEntries)
{
    BuildTrigTables();
    for (const TrigCase& c : kTellingEntries) {
        EXPECT_EQ(SinTable[c.degree], c.sine) << "sine of " << c.degree;
        EXPECT_EQ(CosTable[c.degree], c.cosine) << "cosine of " << c.degree;
    }
}

TEST(TrigTables, EveryEntryWithinScaleAndNeverFull)
{
    BuildTrigTables();
    for (int d = 0; d < TrigTableSize; ++d) {
        EXPECT_LE(std::abs(SinTable[d]), 256) << d;
        EXPECT_LE(std::abs(CosTable[d]), 256) << d;
        // Only cos(0) reaches the full scale; every other extreme stops at 255.
        if (d != 0) {
            EXPECT_LT(std::abs(SinTable[d]), 256) << d;
            EXPECT_LT(std::abs(CosTable[d]), 256) << d;
        }
    }
}

}  // namespace

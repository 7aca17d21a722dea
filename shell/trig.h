// Whole-degree sine and cosine tables, scaled by 256, that the clock hands are drawn from.
#pragma once
#include <cstdint>

constexpr int TrigTableSize = 360;

extern int32_t SinTable[TrigTableSize];
extern int32_t CosTable[TrigTableSize];

void BuildTrigTables();

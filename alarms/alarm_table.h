// The alarm table and the three on/off settings, shared by the trigger, the settings
// file and the settings dialog.
#pragma once
#include <cstdint>

constexpr int AlarmSlots = 48;
constexpr int AlarmPathSize = 260;
constexpr uint8_t AlarmEndMark = 99;

#pragma pack(push, 1)
struct AlarmEntry {
    uint8_t hour;
    uint8_t minute;
    char path[AlarmPathSize];
};
#pragma pack(pop)
static_assert(sizeof(AlarmEntry) == 262, "AlarmEntry is byte-packed");

extern AlarmEntry AlarmTable[AlarmSlots];
extern int32_t AlarmCount;

// Settings: 0 off, any other value on.
extern int32_t OnTop;
extern int32_t Alarm;
extern int32_t UseDirectSound;

void SetDefaultAlarms();
void CountAlarms();

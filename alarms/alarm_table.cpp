// The alarm table, its defaults, its count and the once-a-minute trigger.
#include "alarms/alarm_table.h"

#include <cstdlib>
#include <cstring>

AlarmEntry AlarmTable[AlarmSlots];
int32_t AlarmCount;
int32_t OnTop;
int32_t Alarm;
int32_t UseDirectSound;
int32_t AlarmFired;
uint8_t AlarmFiredHour;
uint8_t AlarmFiredMinute;

static constexpr int DefaultAlarms = 24;

// Without a settings file the clock has one alarm on every full hour.
void SetDefaultAlarms()
{
    for (AlarmEntry& entry : AlarmTable) {
        entry.hour = AlarmEndMark;
        entry.minute = AlarmEndMark;
        std::memset(entry.path, 0, sizeof entry.path);
    }
    AlarmCount = 0;
    for (int slot = 0; slot < DefaultAlarms; ++slot) {
        AlarmTable[slot].hour = static_cast<uint8_t>(slot);
        AlarmTable[slot].minute = 0;
        std::memcpy(AlarmTable[slot].path, DefaultAlarmSound, sizeof DefaultAlarmSound);
    }
}

// The first hour of 99 ends the active part; whatever follows it is ignored.
void CountAlarms()
{
    int32_t count = 0;
    while (count < AlarmSlots && AlarmTable[count].hour != AlarmEndMark) ++count;
    AlarmCount = count;
}

int ReadTwoCharNumber(const char* text)
{
    char digits[3] = {};
    std::strncpy(digits, text, 2);
    return std::atoi(digits);
}

void TriggerAlarms(unsigned hour, unsigned minute, AlarmPlayer play)
{
    if (!Alarm) return;
    if (AlarmFired) {
        if (hour == AlarmFiredHour && minute == AlarmFiredMinute) return;
        AlarmFired = 0;
    }
    const int32_t count = AlarmCount < AlarmSlots ? AlarmCount : AlarmSlots;
    for (int32_t slot = 0; slot < count; ++slot) {
        const AlarmEntry& entry = AlarmTable[slot];
        if (entry.hour != hour || entry.minute != minute) continue;
        // Latched before the hand-over: a player that shows a message box keeps the
        // timer dispatching, and the ticks inside it must find this minute spent.
        AlarmFiredHour = static_cast<uint8_t>(hour);
        AlarmFiredMinute = static_cast<uint8_t>(minute);
        AlarmFired = 1;
        play(entry);
    }
}

// The alarm table and the three on/off settings, shared by the trigger, the settings
// file and the settings dialog.
#pragma once
#include <cstdint>

constexpr int AlarmSlots = 48;
constexpr int AlarmPathSize = 260;
constexpr uint8_t AlarmEndMark = 99;
// The default alarms' sound, and the chime an alarm plays when its own file cannot.
constexpr char DefaultAlarmSound[] = "pelio.wav";

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

// The trigger's latch: set when an alarm is handed to a player, released by the first
// tick in another minute of the day (a computer asleep from 07:00 to 08:00 still sounds
// the 08:00 alarm).
extern int32_t AlarmFired;
extern uint8_t AlarmFiredHour;
extern uint8_t AlarmFiredMinute;

void SetDefaultAlarms();
void CountAlarms();

// How an hour or a minute is read from text, in the settings file and in the settings
// dialog alike: at most the first two characters, the way atoi reads them (leading
// blanks skipped, an optional sign, digits up to the first non-digit; no digits give 0).
int ReadTwoCharNumber(const char* text);

// Starts playing one alarm's file; reads the entry only during the call.
using AlarmPlayer = void (*)(const AlarmEntry& entry);

// Hands every active alarm due at hour:minute to play, in table order, once per minute.
void TriggerAlarms(unsigned hour, unsigned minute, AlarmPlayer play);

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

// A tick's local date and time, as far as the alarms look at it.
struct AlarmTime {
    unsigned year, month, day, hour, minute;
};

constexpr int MinutesPerDay = 24 * 60;
// The trigger's latch. For each minute of the day, the day (counted from an era long
// before any clock's date, so never 0) on which that minute's alarms were last handed to
// a player: each alarm sounds at most once on each date, whatever the clock does. And
// the minute of the last tick, against which a jump forward is measured.
extern int32_t AlarmMinuteSpentOn[MinutesPerDay];
extern int64_t AlarmLastTickMinute;

void SetDefaultAlarms();
void CountAlarms();

// How an hour or a minute is read from text, in the settings file and in the settings
// dialog alike: at most the first two characters, the way atoi reads them (leading
// blanks skipped, an optional sign, digits up to the first non-digit; no digits give 0).
int ReadTwoCharNumber(const char* text);

// Minutes from the era's start to the given local date and time.
int64_t MinuteNumber(const AlarmTime& time);

// Starts playing one alarm's file; reads the entry only during the call.
using AlarmPlayer = void (*)(const AlarmEntry& entry);

// Hands every active alarm due at the tick's time to play, in table order, once on its
// date. A clock set forward by at most an hour (a short sleep, a time sync, the spring
// change of daylight saving time) hands over the alarms of the minutes it passed over,
// oldest first, at the first tick after the change.
void TriggerAlarms(const AlarmTime& time, AlarmPlayer play);

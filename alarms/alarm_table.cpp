// The alarm table, its defaults, its count and the once-a-minute trigger.
#include "alarms/alarm_table.h"

#include <cstdlib>
#include <cstring>

AlarmEntry AlarmTable[AlarmSlots];
int32_t AlarmCount;
int32_t OnTop;
int32_t Alarm;
int32_t UseDirectSound;
int32_t AlarmMinuteSpentOn[MinutesPerDay];
int64_t AlarmLastTickMinute;

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

// Days from 1 March of the year 0 in the proleptic Gregorian calendar (the year taken
// from March on, so that the leap day falls last).
static int64_t DayNumber(unsigned year, unsigned month, unsigned day)
{
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = y / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

int64_t MinuteNumber(const AlarmTime& time)
{
    return DayNumber(time.year, time.month, time.day) * MinutesPerDay + time.hour * 60 +
           time.minute;
}

// When a whole hour is passed over, the next tick lands 61 minutes past the last one's.
static constexpr int64_t LongestCaughtUpJump = 61;

static void TriggerMinute(int64_t minute, AlarmPlayer play)
{
    const auto day = static_cast<int32_t>(minute / MinutesPerDay);
    const auto ofDay = static_cast<int>(minute % MinutesPerDay);
    if (AlarmMinuteSpentOn[ofDay] == day) return;
    const int32_t count = AlarmCount < AlarmSlots ? AlarmCount : AlarmSlots;
    for (int32_t slot = 0; slot < count; ++slot) {
        const AlarmEntry& entry = AlarmTable[slot];
        if (entry.hour * 60 + entry.minute != ofDay || entry.minute >= 60) continue;
        // Spent before the hand-over: a player that shows a message box keeps the timer
        // dispatching, and the ticks inside it must find this minute spent.
        AlarmMinuteSpentOn[ofDay] = day;
        play(entry);
    }
}

void TriggerAlarms(const AlarmTime& time, AlarmPlayer play)
{
    const int64_t now = MinuteNumber(time);
    const int64_t last = AlarmLastTickMinute;
    // Alarms switched on do not make up for the minutes they were off.
    AlarmLastTickMinute = now;
    if (!Alarm) return;
    const bool caughtUp = last != 0 && now > last && now - last <= LongestCaughtUpJump;
    for (int64_t minute = caughtUp ? last + 1 : now; minute <= now; ++minute)
        TriggerMinute(minute, play);
}

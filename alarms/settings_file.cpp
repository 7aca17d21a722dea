// The settings file's layout: slot values by fixed positions, then the three switches.
#include "alarms/settings_file.h"

#include <cstdio>
#include <cstring>

static constexpr size_t PathOffset = 6;
static constexpr size_t MaxPathLength = AlarmPathSize - 1;

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Two characters read as a decimal number the way atoi reads them: blanks first, an
// optional sign, then digits up to the first non-digit. Characters past the end of
// the value count as absent. Only the low 8 bits are kept, so "-5" gives 251.
static uint8_t ReadTwoDigitField(const char* value, size_t length, size_t offset)
{
    size_t end = offset + 2 < length ? offset + 2 : length;
    size_t i = offset;
    while (i < end && IsBlank(value[i])) ++i;
    bool negative = false;
    if (i < end && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    unsigned number = 0;
    for (; i < end && value[i] >= '0' && value[i] <= '9'; ++i)
        number = number * 10 + static_cast<unsigned>(value[i] - '0');
    if (negative) number = 0u - number;
    return static_cast<uint8_t>(number & 0xFFu);
}

void FormatAlarmKey(int slot, char (&key)[AlarmKeySize])
{
    std::snprintf(key, sizeof key, "ALM%02d", slot);
}

void ParseAlarmValue(const char* value, size_t length, AlarmEntry* entry)
{
    entry->hour = ReadTwoDigitField(value, length, 0);
    entry->minute = ReadTwoDigitField(value, length, 3);
    size_t pathLength = length > PathOffset ? length - PathOffset : 0;
    if (pathLength > MaxPathLength) pathLength = MaxPathLength;
    if (pathLength) std::memcpy(entry->path, value + PathOffset, pathLength);
    entry->path[pathLength] = '\0';
}

void FormatAlarmValue(const AlarmEntry& entry, char (&value)[AlarmValueWriteSize])
{
    // The precision keeps a path without its NUL from running past the slot.
    std::snprintf(value, sizeof value, "%02u:%02u %.259s", unsigned{entry.hour},
                  unsigned{entry.minute}, entry.path);
}

void FormatSettingValue(int32_t setting, char (&value)[SettingValueSize])
{
    std::snprintf(value, sizeof value, "%u", static_cast<uint32_t>(setting));
}

void LoadSettingsFrom(const SettingsStore& store)
{
    for (int slot = 0; slot < AlarmSlots; ++slot) {
        char key[AlarmKeySize];
        char value[AlarmValueReadSize];
        FormatAlarmKey(slot, key);
        const uint32_t length = store.readString(key, value, sizeof value);
        if (length == 0) continue;
        ParseAlarmValue(value, length < sizeof value ? length : sizeof value - 1,
                        &AlarmTable[slot]);
    }
    UseDirectSound = store.readInt(UseDirectSoundKey);
    Alarm = store.readInt(AlarmKey);
    OnTop = store.readInt(OnTopKey);
}

static bool SaveSetting(const SettingsStore& store, const char* key, int32_t setting)
{
    char value[SettingValueSize];
    FormatSettingValue(setting, value);
    return store.writeString(key, value);
}

bool SaveSettingsTo(const SettingsStore& store)
{
    bool saved = true;
    for (int slot = 0; slot < AlarmSlots; ++slot) {
        char key[AlarmKeySize];
        char value[AlarmValueWriteSize];
        FormatAlarmKey(slot, key);
        FormatAlarmValue(AlarmTable[slot], value);
        saved = store.writeString(key, value) && saved;
    }
    saved = SaveSetting(store, UseDirectSoundKey, UseDirectSound) && saved;
    saved = SaveSetting(store, AlarmKey, Alarm) && saved;
    saved = SaveSetting(store, OnTopKey, OnTop) && saved;
    return saved;
}

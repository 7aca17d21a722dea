// The settings file's layout: slot values by fixed positions, then the three switches.
#include "alarms/settings_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static constexpr size_t PathOffset = 6;
static constexpr size_t MaxPathLength = AlarmPathSize - 1;

void FormatAlarmKey(int slot, char (&key)[AlarmKeySize])
{
    std::snprintf(key, sizeof key, "ALM%02d", slot);
}

void ParseAlarmValue(const char* value, size_t length, AlarmEntry* entry)
{
    // The numbers' characters, with a NUL wherever the value ends before them.
    char numbers[6] = {};
    std::memcpy(numbers, value, length < 5 ? length : 5);
    entry->hour = static_cast<uint8_t>(ReadTwoCharNumber(numbers));
    entry->minute = static_cast<uint8_t>(ReadTwoCharNumber(numbers + 3));
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

// Window coordinates are 16-bit on every version of the system.
static bool ReadCoordinate(const SettingsStore& store, const char* key, int32_t* coordinate)
{
    char value[SettingValueSize];
    if (store.readString(key, value, sizeof value) == 0) return false;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(value, &end, 10);
    if (end == value || *end != '\0' || errno != 0 || number < -32768 || number > 32767)
        return false;
    *coordinate = static_cast<int32_t>(number);
    return true;
}

bool LoadPlaceFrom(const SettingsStore& store, int32_t* x, int32_t* y)
{
    int32_t storedX, storedY;
    if (!ReadCoordinate(store, WindowXKey, &storedX)) return false;
    if (!ReadCoordinate(store, WindowYKey, &storedY)) return false;
    *x = storedX;
    *y = storedY;
    return true;
}

bool SavePlaceTo(const SettingsStore& store, int32_t x, int32_t y)
{
    char value[SettingValueSize];
    std::snprintf(value, sizeof value, "%d", static_cast<int>(x));
    if (!store.writeString(WindowXKey, value)) return false;
    std::snprintf(value, sizeof value, "%d", static_cast<int>(y));
    return store.writeString(WindowYKey, value);
}

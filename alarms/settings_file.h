// The settings file's layout: the keys, how a slot's value is read and written, and the
// order in which everything is loaded and saved. The profile calls themselves come in
// through SettingsStore, so the layout holds on any platform.
#pragma once
#include <cstddef>
#include <cstdint>

#include "alarms/alarm_table.h"

constexpr char SettingsFileName[] = ".\\PelioClock.ini";
constexpr char SettingsSection[] = "PelioClock";
constexpr char UseDirectSoundKey[] = "UseDirectSound";
constexpr char AlarmKey[] = "Alarm";
constexpr char OnTopKey[] = "OnTop";
// Where the clock was last left: its window's top-left corner in screen coordinates.
constexpr char WindowXKey[] = "WindowX";
constexpr char WindowYKey[] = "WindowY";

constexpr int AlarmKeySize = 8;          // "ALM47" and its NUL, with room to spare
constexpr int AlarmValueReadSize = 266;  // a longer value comes back cut to 265 characters
constexpr int AlarmValueWriteSize = 268; // "255:255 " and a 259-character path
constexpr int SettingValueSize = 12;     // "%u" of 32 bits

struct SettingsStore {
    // Copies the key's value, NUL-terminated, into value and returns its length;
    // 0 when the key is absent or empty.
    uint32_t (*readString)(const char* key, char* value, uint32_t size);
    // The key's value as a number; 0 when absent.
    int32_t (*readInt)(const char* key);
    // Replaces or appends the key; false when the file could not be written.
    bool (*writeString)(const char* key, const char* value);
};

void FormatAlarmKey(int slot, char (&key)[AlarmKeySize]);

// Takes a stored value apart by fixed positions, without looking at the separators:
// hour from characters 1-2, minute from 4-5, path from the 7th on.
void ParseAlarmValue(const char* value, size_t length, AlarmEntry* entry);
void FormatAlarmValue(const AlarmEntry& entry, char (&value)[AlarmValueWriteSize]);
void FormatSettingValue(int32_t setting, char (&value)[SettingValueSize]);

// Reads every slot and the three settings over what the table and settings hold.
void LoadSettingsFrom(const SettingsStore& store);
// Writes all 48 slots, free ones too, then the three settings; false when any write
// failed (the others are still made).
bool SaveSettingsTo(const SettingsStore& store);

// The stored place; false unless both keys hold a whole number of the screen's range.
bool LoadPlaceFrom(const SettingsStore& store, int32_t* x, int32_t* y);
// Writes the place's two keys and nothing else; false when either write failed.
bool SavePlaceTo(const SettingsStore& store, int32_t x, int32_t y);

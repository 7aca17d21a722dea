// LoadSettings and SaveSettings through the profile functions on the settings file in
// the current directory. A missing file reads as the defaults; a failed write (a
// read-only file or folder) is reported to the caller, and the settings stay in effect
// in memory.
#include "alarms/alarms.h"
#include "alarms/settings_file.h"

static uint32_t ReadProfileString(const char* key, char* value, uint32_t size)
{
    return GetPrivateProfileStringA(SettingsSection, key, "", value, size, SettingsFileName);
}

static int32_t ReadProfileInt(const char* key)
{
    return static_cast<int32_t>(GetPrivateProfileIntA(SettingsSection, key, 0, SettingsFileName));
}

static bool WriteProfileString(const char* key, const char* value)
{
    return WritePrivateProfileStringA(SettingsSection, key, value, SettingsFileName) != FALSE;
}

static constexpr SettingsStore ProfileStore = {ReadProfileString, ReadProfileInt,
                                               WriteProfileString};

void LoadSettings()
{
    LoadSettingsFrom(ProfileStore);
}

bool SaveSettings()
{
    return SaveSettingsTo(ProfileStore);
}

bool LoadPlace(int32_t* x, int32_t* y)
{
    return LoadPlaceFrom(ProfileStore, x, y);
}

bool SavePlace(int32_t x, int32_t y)
{
    return SavePlaceTo(ProfileStore, x, y);
}

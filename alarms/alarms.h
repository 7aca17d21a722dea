// Alarms and settings: the alarm table and its trigger, the settings file and the
// settings dialog. All of it runs on the window thread.
#pragma once
#include <windows.h>

#include <cstdint>

#include "alarms/alarm_table.h"

// Also gives up a sound whose device never reported its end, once its time is well past.
void CheckAlarms(const SYSTEMTIME& time);
// The play of that tag has ended, or was stopped (failed false); failed when the device
// broke it off. The end of a play other than the alarm's own under way is not the alarm's
// business, nor is a tag of 0.
void OnSoundEnded(uint32_t tag, bool failed);

// Notices of alarms that could not sound as they should: added on the window thread,
// shown one message box at a time outside the tick.
void AddAlarmNotice(uint8_t hour, uint8_t minute, const char* text);
void ShowAlarmNotices();

void LoadSettings();
// False when the settings file could not be written.
bool SaveSettings();
// The clock's place is kept apart from the settings: the settings dialog's OK leaves it
// alone, and a drag writes only its two keys.
bool LoadPlace(int32_t* x, int32_t* y);
bool SavePlace(int32_t x, int32_t y);

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Set by the settings dialog's OK when it has just made the clock topmost; cleared by
// whoever opens the dialog. Only then is the clock lifted again once the dialog is gone.
extern bool OkMadeClockTopmost;

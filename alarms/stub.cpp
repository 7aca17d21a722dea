// Placeholder until the alarms land: the default table, no file, no trigger.
#include "alarms/alarms.h"

#include <cstring>

AlarmEntry AlarmTable[AlarmSlots];
int32_t AlarmCount;
int32_t OnTop;
int32_t Alarm;
int32_t UseDirectSound;

void SetDefaultAlarms() {}
void CountAlarms() {}
void CheckAlarms(const SYSTEMTIME&) {}
void LoadSettings() {}
void SaveSettings() {}

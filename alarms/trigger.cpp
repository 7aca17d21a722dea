// The tick's hand-over to the alarm trigger, and the player the settings choose.
#include "alarms/alarms.h"
#include "sound/sound.h"

// Read at each hand-over, so a change of playback method counts from the next alarm on.
static void PlayAlarmSound(const char* path)
{
    if (UseDirectSound)
        PlayWaveStream(path);
    else
        PlayWaveMci(path);
}

void CheckAlarms(const SYSTEMTIME& time)
{
    TriggerAlarms(time.wHour, time.wMinute, PlayAlarmSound);
}

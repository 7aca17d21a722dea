// The tick's hand-over to the alarm trigger through the clock's two players, and the
// words in which the user is told of an alarm that could not sound as it should.
#include "alarms/alarm_sound.h"
#include "alarms/alarms.h"
#include "shell/shell.h"
#include "sound/sound.h"

#include <cstdio>

// A DirectSound object that could not be made before is tried again, so that alarms sound
// again once the device is back.
static SoundFailure StartSound(const char* name, bool throughDirectSound, uint32_t* tag)
{
    char path[MAX_PATH];
    ResolveFilePath(name, path);
    SoundFailure failure = SoundFailure::None;
    if (throughDirectSound) {
        OpenDSound();
        PlayWaveStream(path, &failure);
    } else {
        PlayWaveMci(path, &failure);
    }
    *tag = SoundPlayTag;
    return failure;
}

static void TellChimePlayed(const AlarmEntry& alarm, SoundFailure failure)
{
    char text[640];
    const char* reason = SoundFailureText(failure);
    std::snprintf(text, sizeof text,
                  "%02u:%02u のアラームのサウンド「%s」を再生できません。\r\n%s%s"
                  "代わりに標準のチャイム %s を鳴らしました。",
                  unsigned{alarm.hour}, unsigned{alarm.minute}, alarm.path, reason ? reason : "",
                  reason ? "\r\n" : "", DefaultAlarmSound);
    AddAlarmNotice(alarm.hour, alarm.minute, text);
}

// Nothing sounded: the notice is the alarm itself.
static void TellNothingSounded(const AlarmEntry& alarm)
{
    char text[640];
    std::snprintf(text, sizeof text,
                  "%02u:%02u のアラームです。\r\n「%s」も標準のチャイム %s も再生できず、"
                  "音を鳴らせませんでした。",
                  unsigned{alarm.hour}, unsigned{alarm.minute}, alarm.path, DefaultAlarmSound);
    AddAlarmNotice(alarm.hour, alarm.minute, text);
}

static void Tell(const AlarmEntry& alarm, SoundFailure failure, bool chimed)
{
    if (chimed)
        TellChimePlayed(alarm, failure);
    else
        TellNothingSounded(alarm);
}

static constexpr AlarmPlayers ClockPlayers = {StartSound, StopPlay, PlayOverdue, Tell};

void CheckAlarms(const SYSTEMTIME& time)
{
    const AlarmTime at = {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute};
    SoundDueAlarms(at, ClockPlayers);
}

void OnSoundEnded(uint32_t tag, bool failed)
{
    EndAlarmSound(ClockPlayers, tag, failed);
}

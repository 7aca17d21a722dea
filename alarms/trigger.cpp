// The tick's hand-over to the alarm trigger, and what becomes of an alarm whose own file
// cannot play: the chime sounds in its place, and the user is told once.
#include "alarms/alarms.h"
#include "sound/sound.h"

#include <cstdio>

// The alarm whose sound is under way, until the end of that sound has been reported.
// Window thread only.
struct AlarmSound {
    bool active;
    bool chime;  // the chime plays in place of the alarm's own file
    uint8_t hour;
    uint8_t minute;
    char path[AlarmPathSize];
    SoundFailure failure;  // why the alarm's own file did not play
};

static AlarmSound Sounding;

// Read at each hand-over, so a change of playback method counts from the next alarm on.
// A DirectSound object that could not be made before is tried again, so that alarms
// sound again once the device is back.
static SoundFailure StartSound(const char* path)
{
    SoundFailure failure = SoundFailure::None;
    if (UseDirectSound) {
        OpenDSound();
        PlayWaveStream(path, &failure);
    } else {
        PlayWaveMci(path, &failure);
    }
    return failure;
}

static void TellChimePlayed()
{
    char text[640];
    const char* reason = SoundFailureText(Sounding.failure);
    std::snprintf(text, sizeof text,
                  "%02u:%02u のアラームのサウンド「%s」を再生できません。\r\n%s%s"
                  "代わりに標準のチャイム %s を鳴らしました。",
                  unsigned{Sounding.hour}, unsigned{Sounding.minute}, Sounding.path, reason ? reason : "",
                  reason ? "\r\n" : "", DefaultAlarmSound);
    AddAlarmNotice(Sounding.hour, Sounding.minute, text);
}

// Nothing sounded: the notice is the alarm itself.
static void TellNothingSounded()
{
    char text[640];
    std::snprintf(text, sizeof text,
                  "%02u:%02u のアラームです。\r\n「%s」も標準のチャイム %s も再生できず、"
                  "音を鳴らせませんでした。",
                  unsigned{Sounding.hour}, unsigned{Sounding.minute}, Sounding.path, DefaultAlarmSound);
    AddAlarmNotice(Sounding.hour, Sounding.minute, text);
}

// The chime is taken from the working directory alone: a bare name would also be looked
// for beside the program and in the system's folders.
static void PlayChimeInstead()
{
    char chime[AlarmPathSize];
    std::snprintf(chime, sizeof chime, ".\\%s", DefaultAlarmSound);
    Sounding.chime = true;
    // Told once the chime has ended, when it is known to have sounded.
    Sounding.active = StartSound(chime) == SoundFailure::None;
    if (!Sounding.active) TellNothingSounded();
}

static void PlayAlarmSound(const AlarmEntry& entry)
{
    const SoundFailure failure = StartSound(entry.path);
    // Another sound of the clock's own plays: the alarm is spent for its minute.
    if (failure == SoundFailure::Busy) return;
    Sounding = {};
    Sounding.hour = entry.hour;
    Sounding.minute = entry.minute;
    lstrcpynA(Sounding.path, entry.path, AlarmPathSize);
    Sounding.failure = failure;
    Sounding.active = failure == SoundFailure::None;
    if (!Sounding.active) PlayChimeInstead();
}

void CheckAlarms(const SYSTEMTIME& time)
{
    TriggerAlarms(time.wHour, time.wMinute, PlayAlarmSound);
}

// A device may also give up after the play has started: the MCI device reports it in
// its notice, the streaming worker in its message.
void OnAlarmSoundEnded(bool failed)
{
    if (!Sounding.active) return;
    Sounding.active = false;
    if (!Sounding.chime) {
        if (!failed) return;
        Sounding.failure = SoundFailure::DeviceFailed;
        PlayChimeInstead();
        return;
    }
    if (failed)
        TellNothingSounded();
    else
        TellChimePlayed();
}

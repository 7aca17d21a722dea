// The tick's hand-over to the alarm trigger, and what becomes of an alarm whose own file
// cannot play: the chime sounds in its place, and the user is told once.
#include "alarms/alarms.h"
#include "shell/shell.h"
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
    uint32_t tag;          // the play whose end is this sound's
};

static AlarmSound Sounding;

// Through the player the setting chooses, or the other one. A DirectSound object that
// could not be made before is tried again, so that alarms sound again once the device
// is back.
static SoundFailure StartSound(const char* name, bool throughDirectSound)
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

static bool IsDeviceFailure(SoundFailure failure)
{
    return failure == SoundFailure::NoDevice || failure == SoundFailure::DeviceFailed;
}

// The chime is found as an alarm's relative name is. A player without a working device
// leaves the chime to the other one.
static void PlayChimeInstead()
{
    char chime[AlarmPathSize];
    std::snprintf(chime, sizeof chime, ".\\%s", DefaultAlarmSound);
    Sounding.chime = true;
    SoundFailure failure = StartSound(chime, UseDirectSound != 0);
    if (IsDeviceFailure(failure)) failure = StartSound(chime, UseDirectSound == 0);
    // Told once the chime has ended, when it is known to have sounded.
    Sounding.active = failure == SoundFailure::None;
    Sounding.tag = SoundPlayTag;
    if (!Sounding.active) TellNothingSounded();
}

static void PlayAlarmSound(const AlarmEntry& entry)
{
    SoundFailure failure = StartSound(entry.path, UseDirectSound != 0);
    if (failure == SoundFailure::Busy) {
        // Two alarms of one minute are one alarm to the user: the first one sounds.
        if (Sounding.active && Sounding.hour == entry.hour && Sounding.minute == entry.minute)
            return;
        // Any other sound of the clock's, a dropped file or an earlier alarm, gives way.
        StopClockSound();
        failure = StartSound(entry.path, UseDirectSound != 0);
    }
    Sounding = {};
    Sounding.hour = entry.hour;
    Sounding.minute = entry.minute;
    lstrcpynA(Sounding.path, entry.path, AlarmPathSize);
    Sounding.failure = failure;
    Sounding.active = failure == SoundFailure::None;
    Sounding.tag = SoundPlayTag;
    if (!Sounding.active) PlayChimeInstead();
}

void CheckAlarms(const SYSTEMTIME& time)
{
    if (const uint32_t tag = StopOverdueSound()) OnSoundEnded(tag, false);
    TriggerAlarms(time.wHour, time.wMinute, PlayAlarmSound);
}

void StopClockSound()
{
    if (const uint32_t tag = StopSound()) OnSoundEnded(tag, false);
}

// A device may also give up after the play has started: the MCI device reports it in
// its notice, the streaming worker in its message. A sound stopped before its end
// counts as played.
void OnSoundEnded(uint32_t tag, bool failed)
{
    if (!Sounding.active || tag != Sounding.tag) return;
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

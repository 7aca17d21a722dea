// The alarm's sound from its start to what the user is told.
#include "alarms/alarm_sound.h"

#include <cstdio>
#include <cstring>

// The alarm whose sound is under way, until the end of that sound has been reported.
struct AlarmSound {
    bool active;
    bool chime;              // the chime plays in place of the alarm's own file
    bool chimeOnOther;       // ... through the player the setting does not choose
    AlarmEntry alarm;
    SoundFailure failure;    // why the alarm's own file did not play
    uint32_t tag;            // the play whose end is this sound's
};

static AlarmSound Sounding;
// The players of the tick or the end under way, for the alarm player the trigger calls.
static const AlarmPlayers* Players;

static bool IsDeviceFailure(SoundFailure failure)
{
    return failure == SoundFailure::NoDevice || failure == SoundFailure::DeviceFailed;
}

// True when the player had no working device for it.
static bool StartChime(bool throughDirectSound)
{
    char chime[AlarmPathSize];
    std::snprintf(chime, sizeof chime, ".\\%s", DefaultAlarmSound);
    Sounding.chimeOnOther = throughDirectSound != (UseDirectSound != 0);
    Sounding.tag = 0;
    const SoundFailure failure = Players->play(chime, throughDirectSound, &Sounding.tag);
    Sounding.active = failure == SoundFailure::None;
    return IsDeviceFailure(failure);
}

// The chime is found as an alarm's relative name is. A player without a working device
// leaves the chime to the other one; told once the chime has ended, when it is known to
// have sounded.
static void PlayChimeInstead()
{
    Sounding.chime = true;
    const bool directSound = UseDirectSound != 0;
    if (StartChime(directSound)) StartChime(!directSound);
    if (!Sounding.active) Players->tell(Sounding.alarm, Sounding.failure, false);
}

static void StopAlarmSound()
{
    if (const uint32_t tag = Players->stop()) EndAlarmSound(*Players, tag, false);
}

static void PlayAlarmSound(const AlarmEntry& entry)
{
    // Two alarms of one minute are one alarm to the user: the first one sounds.
    if (Sounding.active && Sounding.alarm.hour == entry.hour && Sounding.alarm.minute == entry.minute)
        return;
    // Any other sound of the clock's, a dropped file or an earlier alarm, gives way, before
    // either player is tried: a player without its device would leave the other's sound on.
    StopAlarmSound();
    Sounding = {};
    std::memcpy(&Sounding.alarm, &entry, sizeof entry);
    Sounding.failure = Players->play(entry.path, UseDirectSound != 0, &Sounding.tag);
    Sounding.active = Sounding.failure == SoundFailure::None;
    if (!Sounding.active) PlayChimeInstead();
}

void SoundDueAlarms(const AlarmTime& time, const AlarmPlayers& players)
{
    Players = &players;
    if (players.overdue()) {
        // A device stalls when the sound server under it does, and the other player goes
        // through the same server: a stalled chime is not tried there.
        Sounding.chimeOnOther = Sounding.chimeOnOther || Sounding.chime;
        if (const uint32_t tag = players.stop()) EndAlarmSound(players, tag, true);
    }
    TriggerAlarms(time, PlayAlarmSound);
}

// A device may also give up after the play has started: the MCI device reports it in its
// notice, the streaming worker in its message, and a stalled one never reports at all. A
// sound stopped before its end by the user or the next sound counts as played.
void EndAlarmSound(const AlarmPlayers& players, uint32_t tag, bool failed)
{
    Players = &players;
    if (!Sounding.active || tag != Sounding.tag) return;
    Sounding.active = false;
    if (!Sounding.chime) {
        if (!failed) return;
        Sounding.failure = SoundFailure::DeviceFailed;
        PlayChimeInstead();
        return;
    }
    // The chime's own device gave up on it: the other player is tried once.
    if (failed && !Sounding.chimeOnOther) {
        StartChime(UseDirectSound == 0);
        if (Sounding.active) return;
    }
    players.tell(Sounding.alarm, Sounding.failure, !failed);
}

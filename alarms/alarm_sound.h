// What becomes of a due alarm's sound: which player plays it, the chime in place of a
// file that cannot play, and what the user is told. The players come in through
// AlarmPlayers, so these rules hold on any platform.
#pragma once
#include <cstdint>

#include "alarms/alarm_table.h"
#include "sound/sound_failure.h"

struct AlarmPlayers {
    // Starts the file through DirectSound or else through MCI; on None, *tag is the play's.
    SoundFailure (*play)(const char* path, bool throughDirectSound, uint32_t* tag);
    // Stops what plays, either player's; its tag, 0 when nothing played.
    uint32_t (*stop)();
    // The play under way has outlasted its length: its device has stalled.
    bool (*overdue)();
    // An alarm that could not sound as it should. chimed: the chime sounded in its place;
    // failure: why its own file did not play.
    void (*tell)(const AlarmEntry& alarm, SoundFailure failure, bool chimed);
};

// The tick's turn: a stalled sound is given up, then the due alarms sound.
void SoundDueAlarms(const AlarmTime& time, const AlarmPlayers& players);
// The play of that tag has ended; failed when the device broke it off or stalled. The
// end of a play other than the alarm's own under way is not the alarm's business.
void EndAlarmSound(const AlarmPlayers& players, uint32_t tag, bool failed);

// Why a play did not start, shared by the players and the alarms that use them. Free of
// the platform, so the alarms' handling of it is tested natively.
#pragma once

enum class SoundFailure {
    None,
    Busy,          // another sound of the clock's own is playing
    NoDevice,      // no DirectSound object
    NotOpened,     // the file cannot be opened
    NotWave,       // not a RIFF WAVE file of PCM sound
    BadFormat,     // a PCM format the player cannot use
    Unreadable,    // damaged or without sample data: nothing the user could be told
    DeviceFailed,  // the sound device refused the file or could not play it
};

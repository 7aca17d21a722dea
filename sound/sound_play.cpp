// What every play has whichever player makes it: its tag, its deadline, and the stop.
#include "sound/sound.h"

uint32_t SoundPlayTag;

// A device's clock, the start of a play on a busy machine and the stream's last quarter
// all make a play run a little longer than its sound.
static constexpr uint64_t PlayMarginMs = 10000;
// GetTickCount differences stay meaningful up to here.
static constexpr uint64_t LongestPlayMs = 0x7FFFFFFF;

static DWORD PlayStartedAt;
static DWORD PlayAllowedMs;

uint32_t BeginSoundPlay(uint64_t lengthMs)
{
    SoundPlayTag = SoundPlayTag + 1 != 0 ? SoundPlayTag + 1 : 1;
    PlayStartedAt = GetTickCount();
    const uint64_t allowed = lengthMs + PlayMarginMs;
    PlayAllowedMs = static_cast<DWORD>(allowed < LongestPlayMs ? allowed : LongestPlayMs);
    return SoundPlayTag;
}

uint32_t StopSound()
{
    const uint32_t tag = SoundPlaying ? SoundPlayTag : 0;
    StopWaveMci();
    StopWaveStream();
    return tag;
}

uint32_t StopOverdueSound()
{
    if (!SoundPlaying || GetTickCount() - PlayStartedAt <= PlayAllowedMs) return 0;
    return StopSound();
}

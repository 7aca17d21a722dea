// What every play has whichever player makes it: its tag, its deadline, its stop and its
// end.
#include "sound/sound.h"

#include "shell/shell.h"

uint32_t SoundPlayTag;

// A device's clock, the start of a play on a busy machine and the stream's last quarter
// all make a play run a little longer than its sound.
static constexpr uint64_t PlayMarginMs = 10000;

static uint64_t PlayDeadline;

// Milliseconds the computer has been awake: a sound paused by a sleep is not late. The
// count that includes sleep serves where the system has no other (before Windows 7).
using AwakeCounter = BOOL(WINAPI*)(PULONGLONG hundredNs);
static const AwakeCounter QueryAwakeTime = reinterpret_cast<AwakeCounter>(reinterpret_cast<void*>(
    GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryUnbiasedInterruptTime")));

static uint64_t AwakeMs()
{
    ULONGLONG hundredNs = 0;
    if (QueryAwakeTime && QueryAwakeTime(&hundredNs)) return hundredNs / 10000;
    return GetTickCount64();
}

uint32_t BeginSoundPlay(uint64_t lengthMs)
{
    SoundPlayTag = SoundPlayTag + 1 != 0 ? SoundPlayTag + 1 : 1;
    PlayDeadline = AwakeMs() + lengthMs + PlayMarginMs;
    return SoundPlayTag;
}

uint32_t StopPlay()
{
    const uint32_t tag = SoundPlaying ? SoundPlayTag : 0;
    StopMciPlay();
    StopStreamPlay();
    return tag;
}

uint32_t PlayEnded(UINT message, WPARAM wParam, LPARAM lParam, bool* failed)
{
    bool brokenOff = false;
    uint32_t tag = 0;
    if (message == MM_MCINOTIFY) {
        tag = EndMciPlay(wParam, lParam, &brokenOff);
    } else if (message == SoundEndedMessage) {
        tag = static_cast<uint32_t>(lParam);
        brokenOff = wParam != 0;
    }
    if (failed) *failed = brokenOff;
    return tag;
}

bool PlayOverdue()
{
    return SoundPlaying && AwakeMs() > PlayDeadline;
}

// Sound playback: the WAVE reader, the DirectSound streaming player and the MCI player.
// SoundPlaying is shared with the streaming worker thread.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>

#include "sound/sound_failure.h"

// Set while either player plays; every new play is refused meanwhile.
extern std::atomic<int32_t> SoundPlaying;

// The reader's own words for a fault of the file, shown with WaveErrorCaption; null for
// faults it has none for.
const char* SoundFailureText(SoundFailure failure);
constexpr char WaveErrorCaption[] = "Wave file open error - PelioClock";

// Every message box of the sound layer goes through this pointer (MessageBoxA unless a
// test has put a recorder in its place), so tests never block in a modal box.
using SoundMessageBoxProc = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
extern SoundMessageBoxProc SoundMessageBoxTestHook;

// Creates the DirectSound object if there is none; tells a failure in a message box.
BOOL InitDSound();
// The same without a word, for callers that tell the user themselves.
BOOL OpenDSound();
BOOL PlayWaveStream(const char* path, SoundFailure* failure = nullptr);
void ReleaseDSound();

BOOL PlayWaveMci(const char* path, SoundFailure* failure = nullptr);

// Every play that starts gets a tag of its own, the play under way SoundPlayTag. Its end
// comes back with it, so the end of one play that arrives after the next has begun is
// not taken for the next one's.
extern uint32_t SoundPlayTag;
// Stops what plays, through either player, without waiting on its device, and releases
// it as at its end; returns its tag, 0 when nothing played.
uint32_t StopPlay();
// A play's end has arrived: MM_MCINOTIFY or SoundEndedMessage. Returns the tag of the play
// that ended, and tells a caller that asks whether the device broke it off; 0 for the notice
// of a play already stopped, or one that reaches the next play of a device identifier reused.
uint32_t PlayEnded(UINT message, WPARAM wParam, LPARAM lParam, bool* failed = nullptr);
// The play under way has outlasted its length by a margin: a device that stalls never
// reports the end. Time the computer spent asleep does not count.
bool PlayOverdue();

// Inside the players: a play of lengthMs has started; its tag.
uint32_t BeginSoundPlay(uint64_t lengthMs);
// Each player's part of StopPlay; nothing when it plays nothing.
void StopStreamPlay();
void StopMciPlay();
// The MCI player's part of PlayEnded: the device's notice, its code and device.
uint32_t EndMciPlay(WPARAM code, LPARAM device, bool* failed);

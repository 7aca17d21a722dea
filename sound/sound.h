// Sound playback: the WAVE reader, the DirectSound streaming player and the MCI player.
// SoundPlaying is shared with the streaming worker thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

// Set while either player plays; every new play is refused meanwhile.
extern std::atomic<int32_t> SoundPlaying;

BOOL InitDSound();
BOOL PlayWaveStream(const char* path);
void ReleaseDSound();

void PlayWaveMci(const char* path);
DWORD CloseWaveMci();

// Placeholder until the players land: nothing plays.
#include "sound/sound.h"

std::atomic<int32_t> SoundPlaying{0};

BOOL InitDSound() { return FALSE; }
BOOL PlayWaveStream(const char*) { return FALSE; }
void ReleaseDSound() {}
void PlayWaveMci(const char*) {}
DWORD CloseWaveMci() { return 0; }

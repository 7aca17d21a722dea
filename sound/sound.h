// Sound playback: the WAVE reader, the DirectSound streaming player and the MCI player.
// SoundPlaying is shared with the streaming worker thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

// Set while either player plays; every new play is refused meanwhile.
extern std::atomic<int32_t> SoundPlaying;

// Why a play did not start. The players show nothing: their callers tell the user.
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
DWORD CloseWaveMci();

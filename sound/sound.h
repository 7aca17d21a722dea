// Sound playback: the WAVE reader, the DirectSound streaming player and the MCI player.
// SoundPlaying is shared with the streaming worker thread.
#pragma once
#include <windows.h>
#include <mmsystem.h>

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
// The device's notice of the end of a play: the device is closed when the notice is the
// play's under way, and that play's tag is returned; 0 for a notice of a play already
// stopped, which is ignored.
uint32_t EndWaveMci(MCIDEVICEID device);

// Every play that starts gets a tag of its own, the play under way SoundPlayTag. Its end
// comes back with it (SoundEndedMessage's lParam, EndWaveMci), so the end of one play
// that arrives after the next has begun is not taken for the next one's.
extern uint32_t SoundPlayTag;
// Stops the sound under way, through either player, and releases it as at its end;
// returns its tag, 0 when nothing played.
uint32_t StopSound();
// The same for a play that has outlasted its length by a margin: a device that stalls
// never reports the end, and would refuse every later play.
uint32_t StopOverdueSound();

// Inside the players: a play of lengthMs has started; its tag.
uint32_t BeginSoundPlay(uint64_t lengthMs);
// Window thread; each does nothing when its player plays nothing.
void StopWaveStream();
void StopWaveMci();

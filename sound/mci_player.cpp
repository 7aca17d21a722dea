// Plays a file through the MCI "waveaudio" device, which reads it by itself and tells
// the main window when it has finished, or failed on its way; the device is closed then.
#include "sound/sound.h"

#include <mmsystem.h>

#include "shell/shell.h"
#include "sound/chunk_chain.h"
#include "sound/wave_reader.h"

// The device of the last open; kept after the close, which then fails harmlessly.
static MCIDEVICEID MciDeviceId;
// The device is open and its play is the one under way, with this tag.
static bool MciPlaying;
static uint32_t MciTag;
// When the device cannot tell the sound's length, the play may last this long.
static constexpr uint64_t UnknownLengthMs = 60 * 60 * 1000;

// Hands the outcome to a caller that asked for it; TRUE when the sound started.
static BOOL Report(SoundFailure why, SoundFailure* failure)
{
    if (failure) *failure = why;
    return why == SoundFailure::None;
}

// A play that did not start leaves the next one free.
static BOOL Abandon(SoundFailure why, SoundFailure* failure)
{
    SoundPlaying = 0;
    return Report(why, failure);
}

BOOL PlayWaveMci(const char* path, SoundFailure* failure)
{
    if (!path) return Report(SoundFailure::NotOpened, failure);
    int32_t idle = 0;
    if (!SoundPlaying.compare_exchange_strong(idle, 1)) return Report(SoundFailure::Busy, failure);
    // The device walks the file's chunks by their stated sizes too; a damaged size that
    // leads its search back would hold this thread in the open for ever.
    if (!WaveChunksLeadForward(path)) return Abandon(SoundFailure::Unreadable, failure);

    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "waveaudio";
    open.lpstrElementName = path;
    const MCIERROR opened = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                            reinterpret_cast<DWORD_PTR>(&open));
    MciDeviceId = open.wDeviceID;
    // The device only says it could not open the file; the reader tells why, in the same
    // words as for the streaming player. A file it finds nothing wrong with was refused
    // by the device itself, or there is no device to play it.
    if (opened != 0) {
        const SoundFailure fault = WaveFileFault(path);
        return Abandon(fault == SoundFailure::None ? SoundFailure::DeviceFailed : fault, failure);
    }
    // The device's play thread posts the notification and only then returns through the
    // driver's code; closing at once on the notification would unload the driver under
    // it (seen under Wine as a fault in mciwave.dll). The driver stays loaded instead.
    HMODULE driver = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, "mciwave.dll", &driver);

    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(MainWindow);
    if (mciSendCommandA(MciDeviceId, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) != 0) {
        mciSendCommandA(MciDeviceId, MCI_CLOSE, MCI_WAIT, 0);
        return Abandon(SoundFailure::DeviceFailed, failure);
    }
    // Asked once the sound runs, so that it costs the start nothing; the device counts
    // in milliseconds unless told otherwise.
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_LENGTH;
    const bool measured = mciSendCommandA(MciDeviceId, MCI_STATUS, MCI_STATUS_ITEM,
                                          reinterpret_cast<DWORD_PTR>(&status)) == 0;
    MciTag = BeginSoundPlay(measured ? status.dwReturn : UnknownLengthMs);
    MciPlaying = true;
    return Report(SoundFailure::None, failure);
}

static bool DeviceStillPlays()
{
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_MODE;
    return mciSendCommandA(MciDeviceId, MCI_STATUS, MCI_STATUS_ITEM,
                           reinterpret_cast<DWORD_PTR>(&status)) == 0 &&
           status.dwReturn == MCI_MODE_PLAY;
}

// Under Wine a device's stop, pause and close each wait for the sound server, with no
// limit: a stalled server (a stopped PulseAudio) would hold the clock there. So a thread
// of its own closes the device, and the clock waits for it only a moment. Paused first,
// the device has no buffer left to wait for when the server is merely slow.
static constexpr DWORD CloseWaitMs = 200;

static DWORD WINAPI CloseMciDevice(void* device)
{
    const auto id = static_cast<MCIDEVICEID>(reinterpret_cast<uintptr_t>(device));
    mciSendCommandA(id, MCI_PAUSE, 0, 0);
    return mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, 0);
}

static void CloseMci()
{
    void* device = reinterpret_cast<void*>(uintptr_t{MciDeviceId});
    if (HANDLE closer = CreateThread(nullptr, 0, CloseMciDevice, device, 0, nullptr)) {
        WaitForSingleObject(closer, CloseWaitMs);
        CloseHandle(closer);
    } else {
        CloseMciDevice(device);
    }
    MciPlaying = false;
    SoundPlaying = 0;
}

// Wine gives the next device opened the identifier of the last one closed, so a late
// notice of an earlier play can name the device now playing: that play goes on.
uint32_t EndMciPlay(WPARAM code, LPARAM device, bool* failed)
{
    if (!MciPlaying || static_cast<MCIDEVICEID>(device) != MciDeviceId || DeviceStillPlays())
        return 0;
    CloseMci();
    *failed = code == MCI_NOTIFY_FAILURE;
    return MciTag;
}

void StopMciPlay()
{
    if (!MciPlaying) return;
    CloseMci();
    // The close has posted the stopped play's notice (aborted). It goes now: the next
    // device opened may be given the same identifier, and the notice would then seem
    // to be about that one's play.
    MSG notice;
    while (PeekMessageA(&notice, MainWindow, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
    }
}

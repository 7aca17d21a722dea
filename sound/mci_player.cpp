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

// Under Wine a device's pause, stop and close each wait for the sound server with no
// limit, and a stalled server (a stopped PulseAudio) would hold the clock there. Nor can
// another thread simply take the close over: a device closed by any thread but the one
// that opened it leaves the next open failing. So one thread of the player's own sends
// every command, and the clock waits for a close only a moment.
static constexpr DWORD CloseWaitMs = 200;

struct MciCommand {
    MCIDEVICEID device;
    UINT message;
    DWORD_PTR flags;
    DWORD_PTR parameters;
    MCIERROR result;
};

// Made with the first command and left to run for the process's life.
static HANDLE MciThread;
static HANDLE MciCommandDone;
static HANDLE MciClosed;

static DWORD WINAPI MciThreadBody(void*)
{
    for (;;) SleepEx(INFINITE, TRUE);
}

static bool StartMciThread()
{
    if (MciThread) return true;
    if (!MciCommandDone) MciCommandDone = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!MciClosed) MciClosed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (MciCommandDone && MciClosed)
        MciThread = CreateThread(nullptr, 0, MciThreadBody, nullptr, 0, nullptr);
    return MciThread != nullptr;
}

static void CALLBACK RunMciCommand(ULONG_PTR argument)
{
    auto* command = reinterpret_cast<MciCommand*>(argument);
    command->result =
        mciSendCommandA(command->device, command->message, command->flags, command->parameters);
    SetEvent(MciCommandDone);
}

// Without a thread of its own the player sends its commands itself.
static MCIERROR SendMci(MCIDEVICEID device, UINT message, DWORD_PTR flags, void* parameters)
{
    MciCommand command = {device, message, flags, reinterpret_cast<DWORD_PTR>(parameters), 0};
    if (StartMciThread() &&
        QueueUserAPC(RunMciCommand, MciThread, reinterpret_cast<ULONG_PTR>(&command)))
        WaitForSingleObject(MciCommandDone, INFINITE);
    else
        command.result = mciSendCommandA(device, message, flags, command.parameters);
    return command.result;
}

// Paused first, the device has no buffer left to wait for when the server is only slow.
static void CALLBACK CloseMciDevice(ULONG_PTR device)
{
    const auto id = static_cast<MCIDEVICEID>(device);
    mciSendCommandA(id, MCI_PAUSE, 0, 0);
    mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, 0);
    SetEvent(MciClosed);
}

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
    const MCIERROR opened = SendMci(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, &open);
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
    if (SendMci(MciDeviceId, MCI_PLAY, MCI_NOTIFY, &play) != 0) {
        SendMci(MciDeviceId, MCI_CLOSE, MCI_WAIT, nullptr);
        return Abandon(SoundFailure::DeviceFailed, failure);
    }
    // Asked once the sound runs, so that it costs the start nothing; the device counts
    // in milliseconds unless told otherwise.
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_LENGTH;
    const bool measured = SendMci(MciDeviceId, MCI_STATUS, MCI_STATUS_ITEM, &status) == 0;
    MciTag = BeginSoundPlay(measured ? status.dwReturn : UnknownLengthMs);
    MciPlaying = true;
    return Report(SoundFailure::None, failure);
}

static bool DeviceStillPlays()
{
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_MODE;
    return SendMci(MciDeviceId, MCI_STATUS, MCI_STATUS_ITEM, &status) == 0 &&
           status.dwReturn == MCI_MODE_PLAY;
}

static void CloseMci()
{
    if (StartMciThread() && ResetEvent(MciClosed) &&
        QueueUserAPC(CloseMciDevice, MciThread, MciDeviceId))
        WaitForSingleObject(MciClosed, CloseWaitMs);
    else
        CloseMciDevice(MciDeviceId);
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

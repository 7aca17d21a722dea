// Streams a WAVE file through DirectSound: a looping secondary buffer of four quarters,
// refilled a quarter at a time by a worker thread as the play cursor leaves each one.
#include "sound/sound.h"

#include <mmsystem.h>
#include <dsound.h>

#include <cstring>

#include "shell/shell.h"
#include "sound/stream_math.h"
#include "sound/wave_reader.h"

std::atomic<int32_t> SoundPlaying{0};
SoundMessageBoxProc SoundMessageBoxTestHook = MessageBoxA;

// The worker's wait set: the window thread's request to end comes first.
enum StreamEvent { QuitEvent, NotifyEvent, StopEvent, StreamEventCount };

// The window thread fills this before it starts the worker; from then on only the
// worker touches it, until the worker has ended or has cleared SoundPlaying as its last
// act. The quit event and the worker's handle belong to the window thread alone.
struct StreamState {
    WaveSource source;
    DWORD bufferBytes;
    DWORD quarterBytes;
    DWORD writeOffset;
    DWORD playedBytes;
    DWORD lastPlayCursor;
    // The stream ends once the play cursor has passed this many bytes: the RIFF chunk's
    // size, or what the file really holds when its header claims more.
    DWORD endBytes;
    HANDLE events[StreamEventCount];
    HANDLE worker;
    IDirectSound* dsound;
    IDirectSoundBuffer* buffer;
    IDirectSoundNotify* notify;
};

static StreamState Stream;

// The DirectX 3 description (20 bytes in the 32-bit program), which every DirectSound accepts.
#ifndef _WIN64
static_assert(sizeof(DSBUFFERDESC1) == 20, "the DirectX 3 buffer description");
#endif
static constexpr DWORD StreamBufferFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN |
    DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_GLOBALFOCUS |
    DSBCAPS_GETCURRENTPOSITION2;
static_assert(StreamBufferFlags == 0x181E0, "frequency, pan, volume, notify, focus, cursor");

BOOL OpenDSound()
{
    if (Stream.dsound) return TRUE;
    if (SUCCEEDED(DirectSoundCreate(nullptr, &Stream.dsound, nullptr))) return TRUE;
    Stream.dsound = nullptr;
    return FALSE;
}

BOOL InitDSound()
{
    if (OpenDSound()) return TRUE;
    SoundMessageBoxTestHook(nullptr, "DirectSoundオブジェクト作成失敗", "InitDSound - PelioClock",
                            MB_OK);
    return FALSE;
}

static void CloseStreamEvent(StreamEvent which)
{
    if (!Stream.events[which]) return;
    CloseHandle(Stream.events[which]);
    Stream.events[which] = nullptr;
}

// The buffer goes before the events it signals, so it never signals a closed handle.
static void StopWaveStream()
{
    if (Stream.notify) {
        Stream.notify->Release();
        Stream.notify = nullptr;
    }
    if (Stream.buffer) {
        Stream.buffer->Release();
        Stream.buffer = nullptr;
    }
    CloseWaveReader(&Stream.source.file, &Stream.source.format);
    CloseStreamEvent(NotifyEvent);
    CloseStreamEvent(StopEvent);
}

// Window thread: tells the worker to end and waits until it has, so that nothing it
// uses is released under it. A worker that ended by itself is only reaped.
static void EndStreamWorker()
{
    if (Stream.worker) {
        SetEvent(Stream.events[QuitEvent]);
        WaitForSingleObject(Stream.worker, INFINITE);
        CloseHandle(Stream.worker);
        Stream.worker = nullptr;
    }
    CloseStreamEvent(QuitEvent);
}

// Reads sample data into one locked part of the buffer and plays silence after the
// data's end, or in place of data the file does not really hold.
static void FillPart(void* part, DWORD partBytes)
{
    DWORD got = 0;
    ReadWaveData(Stream.source.file, partBytes, part, &Stream.source.dataChunk, &got);
    if (got < partBytes)
        std::memset(static_cast<BYTE*>(part) + got, SilenceByte(Stream.source.format->wBitsPerSample),
                    partBytes - got);
}

static BOOL FillWholeBuffer()
{
    void* part = nullptr;
    DWORD partBytes = 0;
    if (FAILED(Stream.buffer->Lock(0, Stream.bufferBytes, &part, &partBytes, nullptr, nullptr, 0)))
        return FALSE;
    FillPart(part, partBytes);
    Stream.buffer->Unlock(part, partBytes, nullptr, 0);
    Stream.writeOffset = AdvanceWriteOffset(Stream.writeOffset, partBytes, Stream.bufferBytes);
    Stream.playedBytes = 0;
    Stream.lastPlayCursor = 0;
    return TRUE;
}

static void UpdatePlayedBytes()
{
    DWORD playCursor = Stream.lastPlayCursor;
    DWORD writeCursor = 0;
    Stream.buffer->GetCurrentPosition(&playCursor, &writeCursor);
    Stream.playedBytes += PlayCursorAdvance(Stream.lastPlayCursor, playCursor, Stream.bufferBytes);
    Stream.lastPlayCursor = playCursor;
}

// The play cursor has just left the quarter at writeOffset: three quarters of queued
// sound stand between it and this write.
static HRESULT RefillQuarter()
{
    UpdatePlayedBytes();
    void* part = nullptr;
    DWORD partBytes = 0;
    const HRESULT locked = Stream.buffer->Lock(Stream.writeOffset, Stream.quarterBytes, &part,
                                               &partBytes, nullptr, nullptr, 0);
    if (FAILED(locked)) return locked;
    FillPart(part, partBytes);
    Stream.buffer->Unlock(part, partBytes, nullptr, 0);
    Stream.writeOffset = AdvanceWriteOffset(Stream.writeOffset, partBytes, Stream.bufferBytes);
    return DS_OK;
}

// Worker thread: silences and releases the stream, lets the next play begin, and tells
// the window whether the sound played to its end or the device broke it off.
static void EndStream(bool failed)
{
    Stream.buffer->Stop();
    StopWaveStream();
    SoundPlaying = 0;
    PostMessageA(MainWindow, SoundEndedMessage, failed, 0);
}

static DWORD WINAPI StreamWorker(void*)
{
    for (;;) {
        switch (WaitForMultipleObjects(StreamEventCount, Stream.events, FALSE, INFINITE)) {
        case WAIT_OBJECT_0 + QuitEvent:
            return 0;
        case WAIT_OBJECT_0 + NotifyEvent: {
            const HRESULT refilled = RefillQuarter();
            if (FAILED(refilled)) {
                EndStream(true);
                return static_cast<DWORD>(refilled);
            }
            if (Stream.playedBytes >= Stream.endBytes) {
                EndStream(false);
                return 0;
            }
            break;
        }
        // The buffer stopped by itself (its device went away), or the wait set broke.
        case WAIT_OBJECT_0 + StopEvent:
        case WAIT_FAILED:
            EndStream(true);
            return 0;
        default:
            break;
        }
    }
}

static BOOL StartStreamWorker()
{
    for (HANDLE& event : Stream.events) {
        // The quit request stays signalled until the worker has seen it.
        const BOOL manualReset = &event == &Stream.events[QuitEvent];
        event = CreateEventA(nullptr, manualReset, FALSE, nullptr);
    }

    uint32_t offsets[StreamQuarters];
    QuarterNotifyOffsets(Stream.quarterBytes, offsets);
    DSBPOSITIONNOTIFY positions[StreamQuarters + 1];
    for (int i = 0; i < StreamQuarters; ++i)
        positions[i] = {offsets[i], Stream.events[NotifyEvent]};
    positions[StreamQuarters] = {static_cast<DWORD>(DSBPN_OFFSETSTOP), Stream.events[StopEvent]};

    if (Stream.events[QuitEvent] && Stream.events[NotifyEvent] && Stream.events[StopEvent]) {
        Stream.worker = CreateThread(nullptr, 0, StreamWorker, nullptr, 0, nullptr);
        if (Stream.worker &&
            SUCCEEDED(Stream.notify->SetNotificationPositions(StreamQuarters + 1, positions)))
            return TRUE;
    }
    EndStreamWorker();
    CloseStreamEvent(NotifyEvent);
    CloseStreamEvent(StopEvent);
    return FALSE;
}

// Where the stream ends: the RIFF chunk's size, but never past the end of the file, so
// a damaged header cannot keep silence playing for hours.
static DWORD StreamEndBytes(HMMIO file, const MMCKINFO& riffChunk)
{
    const LONG fileBytes = mmioSeek(file, 0, SEEK_END);
    if (fileBytes < 0 || static_cast<DWORD>(fileBytes) < riffChunk.dwDataOffset)
        return riffChunk.cksize;
    const DWORD held = static_cast<DWORD>(fileBytes) - riffChunk.dwDataOffset;
    return held < riffChunk.cksize ? held : riffChunk.cksize;
}

static SoundFailure OpenStreamSource(const char* path)
{
    WaveSource& source = Stream.source;
    SoundFailure failure = SoundFailure::None;
    if (!OpenWaveReader(path, &source.file, &source.format, &source.riffChunk, &failure))
        return failure;
    Stream.endBytes = StreamEndBytes(source.file, source.riffChunk);
    const WAVEFORMATEX& format = *source.format;
    StreamSizes sizes{};
    if (!SeekWaveData(source.file, &source.dataChunk, &source.riffChunk))
        failure = SoundFailure::Unreadable;
    // A PCM file of a shape the device is not known to take is the reader's wrong format.
    else if (!StreamFormatPlayable(format.nChannels, format.nSamplesPerSec, format.wBitsPerSample,
                                   format.nBlockAlign) ||
             !ComputeStreamSizes(format.nBlockAlign, format.nSamplesPerSec, &sizes))
        failure = SoundFailure::BadFormat;
    if (failure != SoundFailure::None) {
        CloseWaveReader(&source.file, &source.format);
        return failure;
    }
    Stream.quarterBytes = sizes.quarterBytes;
    Stream.bufferBytes = sizes.bufferBytes;
    return SoundFailure::None;
}

static BOOL CreateStreamBuffer()
{
    DSBUFFERDESC1 description = {};
    description.dwSize = sizeof(description);
    description.dwFlags = StreamBufferFlags;
    description.dwBufferBytes = Stream.bufferBytes;
    description.lpwfxFormat = Stream.source.format;
    if (FAILED(Stream.dsound->CreateSoundBuffer(reinterpret_cast<LPCDSBUFFERDESC>(&description),
                                                &Stream.buffer, nullptr))) {
        Stream.buffer = nullptr;
        return FALSE;
    }
    Stream.writeOffset = 0;
    if (FAILED(Stream.buffer->QueryInterface(IID_IDirectSoundNotify,
                                             reinterpret_cast<void**>(&Stream.notify)))) {
        Stream.notify = nullptr;
        return FALSE;
    }
    return TRUE;
}

// Window thread, with SoundPlaying already claimed by the caller.
static SoundFailure StartStream(const char* path)
{
    EndStreamWorker();
    const SoundFailure opened = OpenStreamSource(path);
    if (opened != SoundFailure::None) return opened;
    if (FAILED(Stream.dsound->SetCooperativeLevel(MainWindow, DSSCL_NORMAL))) {
        ReleaseDSound();
        return SoundFailure::DeviceFailed;
    }
    if (!CreateStreamBuffer() || !FillWholeBuffer() || !StartStreamWorker()) {
        StopWaveStream();
        return SoundFailure::DeviceFailed;
    }
    Stream.buffer->SetCurrentPosition(0);
    if (FAILED(Stream.buffer->Play(0, 0, DSBPLAY_LOOPING))) {
        EndStreamWorker();
        StopWaveStream();
        return SoundFailure::DeviceFailed;
    }
    return SoundFailure::None;
}

// Hands the outcome to a caller that asked for it; TRUE when the sound started.
static BOOL Report(SoundFailure why, SoundFailure* failure)
{
    if (failure) *failure = why;
    return why == SoundFailure::None;
}

BOOL PlayWaveStream(const char* path, SoundFailure* failure)
{
    if (!path) return Report(SoundFailure::NotOpened, failure);
    if (!Stream.dsound) return Report(SoundFailure::NoDevice, failure);
    int32_t idle = 0;
    if (!SoundPlaying.compare_exchange_strong(idle, 1)) return Report(SoundFailure::Busy, failure);
    const SoundFailure started = StartStream(path);
    if (started != SoundFailure::None) SoundPlaying = 0;
    return Report(started, failure);
}

void ReleaseDSound()
{
    EndStreamWorker();
    // A stream cut off here will never clear the flag itself.
    const bool streaming = Stream.buffer != nullptr;
    if (streaming) Stream.buffer->Stop();
    StopWaveStream();
    if (Stream.dsound) {
        Stream.dsound->Release();
        Stream.dsound = nullptr;
    }
    if (streaming) SoundPlaying = 0;
}

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
    // From PlayWaveStream's claim of SoundPlaying until the stream gives it back.
    bool holdsSoundPlaying;
    WaveSource source;
    DWORD bufferBytes;
    DWORD quarterBytes;
    DWORD writeOffset;
    DWORD playedBytes;
    DWORD lastPlayCursor;
    // The stream ends once the play cursor has passed this many bytes: the RIFF chunk's
    // size, or what the file really holds when its header claims more.
    DWORD endBytes;
    uint32_t tag;
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

// Window thread: tells the worker to quit and waits until it has, so that nothing it
// uses is released under it. A worker that ended by itself is only reaped.
static void StopStreamWorker()
{
    if (Stream.worker) {
        SetEvent(Stream.events[QuitEvent]);
        WaitForSingleObject(Stream.worker, INFINITE);
        CloseHandle(Stream.worker);
        Stream.worker = nullptr;
    }
    CloseStreamEvent(QuitEvent);
}

// Silences the stream, releases what it holds and gives SoundPlaying back when the
// stream holds it; whatever the stream got as far as, and as often as it is called.
// Called by the worker as its last act, and by the window thread once no worker runs.
// The buffer goes before the events it signals, so it never signals a closed handle.
static void ReleaseStream()
{
    if (Stream.buffer) Stream.buffer->Stop();
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
    if (Stream.holdsSoundPlaying) {
        Stream.holdsSoundPlaying = false;
        SoundPlaying = 0;
    }
}

// Window thread: the one way down for a stream, on every path that ends one there (a
// start that fails, ReleaseDSound, and the next play, which reaps the last worker). A
// worker ending its stream by itself runs ReleaseStream alone: it is the worker.
static void EndStream()
{
    StopStreamWorker();
    ReleaseStream();
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

// Worker thread: releases the stream, which lets the next play begin, and tells the
// window whether the sound played to its end or the device broke it off.
static void FinishStream(bool failed)
{
    const uint32_t tag = Stream.tag;
    ReleaseStream();
    PostMessageA(MainWindow, SoundEndedMessage, failed, tag);
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
                FinishStream(true);
                return static_cast<DWORD>(refilled);
            }
            if (Stream.playedBytes >= Stream.endBytes) {
                FinishStream(false);
                return 0;
            }
            break;
        }
        // The buffer stopped by itself (its device went away), or the wait set broke.
        case WAIT_OBJECT_0 + StopEvent:
        case WAIT_FAILED:
            FinishStream(true);
            return 0;
        default:
            break;
        }
    }
}

// What it creates is left for EndStream when it fails.
static BOOL StartStreamWorker()
{
    // The quit request stays signalled (manual reset) until the worker has seen it.
    Stream.events[QuitEvent] = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Stream.events[NotifyEvent] = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    Stream.events[StopEvent] = CreateEventA(nullptr, FALSE, FALSE, nullptr);

    uint32_t offsets[StreamQuarters];
    QuarterNotifyOffsets(Stream.quarterBytes, offsets);
    DSBPOSITIONNOTIFY positions[StreamQuarters + 1];
    for (int i = 0; i < StreamQuarters; ++i)
        positions[i] = {offsets[i], Stream.events[NotifyEvent]};
    positions[StreamQuarters] = {static_cast<DWORD>(DSBPN_OFFSETSTOP), Stream.events[StopEvent]};

    if (!Stream.events[QuitEvent] || !Stream.events[NotifyEvent] || !Stream.events[StopEvent])
        return FALSE;
    Stream.worker = CreateThread(nullptr, 0, StreamWorker, nullptr, 0, nullptr);
    return Stream.worker &&
           SUCCEEDED(Stream.notify->SetNotificationPositions(StreamQuarters + 1, positions));
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
    if (failure != SoundFailure::None) return failure;
    Stream.quarterBytes = sizes.quarterBytes;
    Stream.bufferBytes = sizes.bufferBytes;
    return SoundFailure::None;
}

// The stream plays to the first quarter boundary past its end.
static uint64_t StreamLengthMs()
{
    const WAVEFORMATEX& format = *Stream.source.format;
    const uint64_t bytesPerSecond = uint64_t{format.nBlockAlign} * format.nSamplesPerSec;
    return (uint64_t{Stream.endBytes} + Stream.quarterBytes) * 1000 / bytesPerSecond;
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

// Window thread. A stream that does not start is left for EndStream.
static SoundFailure StartStream(const char* path)
{
    const SoundFailure opened = OpenStreamSource(path);
    if (opened != SoundFailure::None) return opened;
    // Before the worker starts: it reports the end with this tag.
    Stream.tag = BeginSoundPlay(StreamLengthMs());
    if (FAILED(Stream.dsound->SetCooperativeLevel(MainWindow, DSSCL_NORMAL))) {
        ReleaseDSound();
        return SoundFailure::DeviceFailed;
    }
    if (!CreateStreamBuffer() || !FillWholeBuffer() || !StartStreamWorker())
        return SoundFailure::DeviceFailed;
    Stream.buffer->SetCurrentPosition(0);
    if (FAILED(Stream.buffer->Play(0, 0, DSBPLAY_LOOPING))) return SoundFailure::DeviceFailed;
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
    // The last stream's worker, which ended by itself, is reaped before this one begins.
    EndStream();
    Stream.holdsSoundPlaying = true;
    const SoundFailure started = StartStream(path);
    if (started != SoundFailure::None) EndStream();
    return Report(started, failure);
}

void StopStreamPlay()
{
    EndStream();
}

void ReleaseDSound()
{
    EndStream();
    if (Stream.dsound) {
        Stream.dsound->Release();
        Stream.dsound = nullptr;
    }
}

#include "sound/wave_reader.h"

#include <cstring>

#include "sound/chunk_chain.h"

static constexpr FOURCC WaveForm = mmioFOURCC('W', 'A', 'V', 'E');
// The fixed part of a PCM format: tag, channels, rate, average rate, block alignment, bits.
static constexpr LONG PcmFormatBytes = 16;

static_assert(sizeof(WAVEFORMATEX) == 18, "the format record is handed to DirectSound as is");

const char* SoundFailureText(SoundFailure failure)
{
    switch (failure) {
    case SoundFailure::NotOpened: return "WAVファイルが開けません。";
    case SoundFailure::NotWave: return "WAVEファイルではありません。";
    case SoundFailure::BadFormat: return "正しいＷＡＶＥフォーマットではありません。";
    default: return nullptr;
    }
}

// The checks between opening and handing out the file; the caller releases whatever
// is held when this fails.
static SoundFailure CheckWaveFile(const char* path, HMMIO file, WAVEFORMATEX** format,
                                  MMCKINFO* riffChunk)
{
    if (mmioDescend(file, riffChunk, nullptr, 0) != MMSYSERR_NOERROR)
        return SoundFailure::Unreadable;
    if (riffChunk->ckid != FOURCC_RIFF || riffChunk->fccType != WaveForm)
        return SoundFailure::NotWave;
    if (!WaveChunksLeadForward(path)) return SoundFailure::Unreadable;

    MMCKINFO formatChunk = {};
    formatChunk.ckid = FormatChunkId;
    if (mmioDescend(file, &formatChunk, riffChunk, MMIO_FINDCHUNK) != MMSYSERR_NOERROR)
        return SoundFailure::Unreadable;
    if (formatChunk.cksize < static_cast<DWORD>(PcmFormatBytes)) return SoundFailure::BadFormat;

    // The chunk's first 16 bytes are laid out as the record's first 16.
    WAVEFORMATEX pcm = {};
    if (mmioRead(file, reinterpret_cast<HPSTR>(&pcm), PcmFormatBytes) != PcmFormatBytes)
        return SoundFailure::Unreadable;
    if (pcm.wFormatTag != WAVE_FORMAT_PCM) return SoundFailure::NotWave;
    // The streaming ring is cut into whole sample frames; a frame of no bytes has none.
    if (pcm.nBlockAlign == 0) return SoundFailure::BadFormat;

    *format = static_cast<WAVEFORMATEX*>(GlobalAlloc(GMEM_FIXED, sizeof(WAVEFORMATEX)));
    if (!*format) return SoundFailure::Unreadable;
    **format = pcm;  // cbSize stays 0: nothing past the fixed part is passed on

    if (mmioAscend(file, &formatChunk, 0) != MMSYSERR_NOERROR) return SoundFailure::Unreadable;
    return SoundFailure::None;
}

BOOL OpenWaveReader(const char* path, HMMIO* file, WAVEFORMATEX** format, MMCKINFO* riffChunk,
                    SoundFailure* failure)
{
    SoundFailure ignored;
    if (!failure) failure = &ignored;
    *format = nullptr;
    *file = nullptr;
    HMMIO opened = mmioOpenA(const_cast<LPSTR>(path), nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (!opened) {
        *failure = SoundFailure::NotOpened;
        return FALSE;
    }
    *failure = CheckWaveFile(path, opened, format, riffChunk);
    if (*failure != SoundFailure::None) {
        CloseWaveReader(&opened, format);
        return FALSE;
    }
    *file = opened;
    return TRUE;
}

SoundFailure WaveFileFault(const char* path)
{
    WaveSource source{};
    SoundFailure failure = SoundFailure::None;
    if (OpenWaveReader(path, &source.file, &source.format, &source.riffChunk, &failure) &&
        !SeekWaveData(source.file, &source.dataChunk, &source.riffChunk))
        failure = SoundFailure::Unreadable;
    CloseWaveReader(&source.file, &source.format);
    return failure;
}

// The search starts again at the first subchunk, so a 'data' chunk that comes before
// the 'fmt ' chunk is found too.
BOOL SeekWaveData(HMMIO file, MMCKINFO* dataChunk, const MMCKINFO* riffChunk)
{
    const LONG firstSubchunk = static_cast<LONG>(riffChunk->dwDataOffset + sizeof(FOURCC));
    if (mmioSeek(file, firstSubchunk, SEEK_SET) == -1) return FALSE;
    dataChunk->ckid = DataChunkId;
    return mmioDescend(file, dataChunk, riffChunk, MMIO_FINDCHUNK) == MMSYSERR_NOERROR;
}

// Copies straight out of the I/O layer's buffer. The count is taken off the chunk before
// copying, so a failed read is not retried: the player plays silence in its place.
BOOL ReadWaveData(HMMIO file, DWORD wanted, void* destination, MMCKINFO* dataChunk, DWORD* got)
{
    *got = 0;
    MMIOINFO info;
    if (mmioGetInfo(file, &info, 0) != MMSYSERR_NOERROR) return FALSE;

    if (wanted > dataChunk->cksize) wanted = dataChunk->cksize;
    dataChunk->cksize -= wanted;

    BYTE* out = static_cast<BYTE*>(destination);
    DWORD copied = 0;
    BOOL complete = TRUE;
    while (copied < wanted) {
        if (info.pchNext == info.pchEndRead &&
            (mmioAdvance(file, &info, MMIO_READ) != MMSYSERR_NOERROR ||
             info.pchNext == info.pchEndRead)) {
            complete = FALSE;
            break;
        }
        DWORD n = static_cast<DWORD>(info.pchEndRead - info.pchNext);
        if (n > wanted - copied) n = wanted - copied;
        std::memcpy(out + copied, info.pchNext, n);
        copied += n;
        info.pchNext += n;
    }

    // The buffer state goes back even after a short read, so the layer never keeps a
    // read pointer older than the buffer it has advanced to.
    if (mmioSetInfo(file, &info, 0) != MMSYSERR_NOERROR || !complete) return FALSE;
    *got = wanted;
    return TRUE;
}

void CloseWaveReader(HMMIO* file, WAVEFORMATEX** format)
{
    if (*format) {
        GlobalFree(*format);
        *format = nullptr;
    }
    if (*file) {
        mmioClose(*file, 0);
        *file = nullptr;
    }
}

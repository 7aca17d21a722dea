// Reading RIFF WAVE files through the multimedia file I/O layer: the checks of an
// uncompressed PCM file, the walk to its sample data and block reads out of the layer's
// own buffer. The reader keeps no state: the caller owns the WaveSource.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include "sound/sound.h"

// One open file: the handle, its format record (owned, allocated by OpenWaveReader) and
// the chunks found. dataChunk.cksize counts the sample bytes not yet handed out.
struct WaveSource {
    HMMIO file;
    WAVEFORMATEX* format;
    MMCKINFO riffChunk;
    MMCKINFO dataChunk;
};

// Opens and checks the file; on success it stands just after the 'fmt ' chunk. On failure
// nothing is held, and *failure (when asked for) says why.
BOOL OpenWaveReader(const char* path, HMMIO* file, WAVEFORMATEX** format, MMCKINFO* riffChunk,
                    SoundFailure* failure = nullptr);
// What the reader finds wrong with a file, SoundFailure::None when it holds sample data
// the reader would hand out.
SoundFailure WaveFileFault(const char* path);
// Positions the file at its first sample byte, wherever the 'data' chunk lies.
BOOL SeekWaveData(HMMIO file, MMCKINFO* dataChunk, const MMCKINFO* riffChunk);
// Copies up to `wanted` sample bytes; *got is 0 after a failure and when nothing remains.
BOOL ReadWaveData(HMMIO file, DWORD wanted, void* destination, MMCKINFO* dataChunk, DWORD* got);
// May be repeated, and called on a source that holds nothing.
void CloseWaveReader(HMMIO* file, WAVEFORMATEX** format);

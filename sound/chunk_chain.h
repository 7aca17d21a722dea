// The check both players make before a file's subchunks are searched.
#pragma once
#include <windows.h>
#include <mmsystem.h>

constexpr FOURCC FormatChunkId = mmioFOURCC('f', 'm', 't', ' ');
constexpr FOURCC DataChunkId = mmioFOURCC('d', 'a', 't', 'a');

// The multimedia I/O layer's chunk search, and the MCI device reading a file, step from
// subchunk to subchunk by their stated sizes with 32-bit file offsets. A damaged size can
// lead back to a chunk already passed, and a search for 'fmt ' or 'data' then goes on
// for ever, holding the window thread. False only for a RIFF file whose chain does that;
// any other file, readable or not, is left to whoever plays it.
BOOL WaveChunksLeadForward(const char* path);

#include "sound/chunk_chain.h"

#include "sound/stream_math.h"

// The id and stated size of the subchunk at offset; false where the file holds none.
static bool ReadSubchunkHeader(HMMIO file, uint64_t offset, DWORD (&header)[2])
{
    return mmioSeek(file, static_cast<LONG>(offset), SEEK_SET) != -1 &&
           mmioRead(file, reinterpret_cast<HPSTR>(header), sizeof header) == sizeof header;
}

// Walks the chain as the search does, from the first subchunk. The walk ends once both
// 'fmt ' and 'data' are passed (the search stops there), at an offset beyond what a
// 32-bit offset reaches (where the search wraps round to a chunk it has passed), or where
// the file holds no header (the search ends there too). Only the second turns back.
static bool SubchunksLeadForward(HMMIO file, DWORD firstOffset)
{
    uint64_t offset = firstOffset;
    bool formatSeen = false;
    bool dataSeen = false;
    DWORD header[2];
    while (!(formatSeen && dataSeen) && offset <= MaxSubchunkOffset &&
           ReadSubchunkHeader(file, offset, header)) {
        formatSeen = formatSeen || header[0] == FormatChunkId;
        dataSeen = dataSeen || header[0] == DataChunkId;
        offset = NextSubchunkOffset(static_cast<uint32_t>(offset + sizeof header), header[1]);
    }
    return (formatSeen && dataSeen) || offset <= MaxSubchunkOffset;
}

BOOL WaveChunksLeadForward(const char* path)
{
    HMMIO file = mmioOpenA(const_cast<LPSTR>(path), nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (!file) return TRUE;
    MMCKINFO riffChunk = {};
    const BOOL forward =
        mmioDescend(file, &riffChunk, nullptr, 0) != MMSYSERR_NOERROR ||
        riffChunk.ckid != FOURCC_RIFF ||
        SubchunksLeadForward(file, riffChunk.dwDataOffset + sizeof(FOURCC));
    mmioClose(file, 0);
    return forward;
}

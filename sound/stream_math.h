// Arithmetic of the streaming ring buffer: sizes, notification offsets, silence and the
// play cursor's advance. Plain integers, shared by the player and its native tests.
#pragma once
#include <cstdint>

constexpr int StreamQuarters = 4;

struct StreamSizes {
    uint32_t quarterBytes;
    uint32_t bufferBytes;
};

// About three quarters of a second of sound per quarter, a whole number of sample
// frames. Returns false for a format that gives no usable ring (no block size, a
// quarter of nothing, or a ring beyond 32 bits).
bool ComputeStreamSizes(uint16_t blockAlign, uint32_t samplesPerSec, StreamSizes* sizes);

// Whether a PCM format is one DirectSound documents as playable: 1 to 8 channels of 8,
// 16, 24 or 32-bit samples, a block of exactly one frame, and a rate from 100 to
// 200000 Hz (the buffer frequency range of the DirectSound of Windows XP and later,
// which the clock is built for). Some DirectSound implementations fault on others
// instead of refusing them.
bool StreamFormatPlayable(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample,
                          uint16_t blockAlign);

// The four offsets at which the play cursor has left a quarter; the last one is the
// ring's final byte, as an offset equal to its size is out of range.
void QuarterNotifyOffsets(uint32_t quarterBytes, uint32_t offsets[StreamQuarters]);

// Unsigned 8-bit samples rest at 0x80, every wider format at zero.
uint8_t SilenceByte(uint16_t bitsPerSample);

// Bytes the play cursor moved since it was last seen, across the ring's wrap.
uint32_t PlayCursorAdvance(uint32_t lastCursor, uint32_t cursor, uint32_t bufferBytes);

// Where the next write begins after `written` bytes at writeOffset.
uint32_t AdvanceWriteOffset(uint32_t writeOffset, uint32_t written, uint32_t bufferBytes);

// Where the subchunk after one whose contents start at dataOffset with `size` bytes
// begins, its pad byte included. Wide, so a damaged size shows as a jump past
// MaxSubchunkOffset instead of wrapping round to an earlier offset.
constexpr uint64_t MaxSubchunkOffset = 0x7FFFFFFF;
uint64_t NextSubchunkOffset(uint32_t dataOffset, uint32_t size);

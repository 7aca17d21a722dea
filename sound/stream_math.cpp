#include "sound/stream_math.h"

bool ComputeStreamSizes(uint16_t blockAlign, uint32_t samplesPerSec, StreamSizes* sizes)
{
    if (blockAlign == 0) return false;
    // Block alignment times rate, not the header's average rate, which may lie.
    uint32_t quarter = (blockAlign * samplesPerSec * 3u) >> 2;
    const uint32_t remainder = quarter % blockAlign;
    if (remainder != 0) quarter += blockAlign - remainder;
    if (quarter == 0 || quarter > UINT32_MAX / StreamQuarters) return false;
    sizes->quarterBytes = quarter;
    sizes->bufferBytes = quarter * StreamQuarters;
    return true;
}

bool StreamFormatPlayable(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample,
                          uint16_t blockAlign)
{
    constexpr uint32_t lowestRate = 100, highestRate = 200000;
    const bool wholeBytes = bitsPerSample == 8 || bitsPerSample == 16 || bitsPerSample == 24 ||
                            bitsPerSample == 32;
    return channels >= 1 && channels <= 8 && wholeBytes &&
           blockAlign == channels * (bitsPerSample / 8) && samplesPerSec >= lowestRate &&
           samplesPerSec <= highestRate;
}

void QuarterNotifyOffsets(uint32_t quarterBytes, uint32_t offsets[StreamQuarters])
{
    for (int i = 0; i < StreamQuarters - 1; ++i)
        offsets[i] = quarterBytes * static_cast<uint32_t>(i + 1);
    offsets[StreamQuarters - 1] = quarterBytes * StreamQuarters - 1;
}

uint8_t SilenceByte(uint16_t bitsPerSample)
{
    return bitsPerSample == 8 ? 0x80 : 0x00;
}

uint32_t PlayCursorAdvance(uint32_t lastCursor, uint32_t cursor, uint32_t bufferBytes)
{
    if (cursor >= lastCursor) return cursor - lastCursor;
    return cursor + bufferBytes - lastCursor;
}

uint32_t AdvanceWriteOffset(uint32_t writeOffset, uint32_t written, uint32_t bufferBytes)
{
    uint32_t next = writeOffset + written;
    if (next >= bufferBytes) next -= bufferBytes;
    return next;
}

uint64_t NextSubchunkOffset(uint32_t dataOffset, uint32_t size)
{
    return uint64_t{dataOffset} + size + (size & 1u);
}

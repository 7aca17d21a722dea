#include "shell/placement.h"

int32_t ScaleForDpi(int32_t dpi)
{
    const int32_t scale = (dpi + 48) / 96;
    return scale < 1 ? 1 : scale;
}

// One axis: the far edge is pulled in first, then the near edge, which wins.
static int32_t FitStart(int32_t start, int32_t length, int32_t low, int32_t high)
{
    if (start + length > high) start = high - length;
    if (start < low) start = low;
    return start;
}

ScreenBox FitBoxInside(const ScreenBox& box, const ScreenBox& area)
{
    const int32_t width = box.right - box.left;
    const int32_t height = box.bottom - box.top;
    const int32_t left = FitStart(box.left, width, area.left, area.right);
    const int32_t top = FitStart(box.top, height, area.top, area.bottom);
    return {left, top, left + width, top + height};
}

#include "display/face_change.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

FaceBox TakeChangedPixels(const PixelBuffer& face, uint8_t (&copy)[FaceCopyBytes])
{
    const int32_t bytes = BytesPerPixel(face.depth);
    if (bytes == 0) return {0, 0, FaceSize, FaceSize};
    const int32_t rowBytes = FaceSize * bytes;
    FaceBox box = {FaceSize, FaceSize, 0, 0};
    for (int32_t y = 0; y < FaceSize; ++y) {
        const uint8_t* row = face.bits + static_cast<ptrdiff_t>(y) * face.pitch;
        uint8_t* kept = copy + y * rowBytes;
        if (std::memcmp(row, kept, static_cast<size_t>(rowBytes)) == 0) continue;
        int32_t first = 0;
        while (row[first] == kept[first]) ++first;
        int32_t last = rowBytes - 1;
        while (row[last] == kept[last]) --last;
        std::memcpy(kept + first, row + first, static_cast<size_t>(last - first + 1));
        box.left = std::min(box.left, first / bytes);
        box.right = std::max(box.right, last / bytes + 1);
        box.top = std::min(box.top, y);
        box.bottom = y + 1;
    }
    if (box.left >= box.right) return {0, 0, 0, 0};
    return box;
}

FaceBox UniteFaceBoxes(const FaceBox& a, const FaceBox& b)
{
    if (a.left >= a.right) return b;
    if (b.left >= b.right) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

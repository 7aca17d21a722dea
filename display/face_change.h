// Which part of the face changed since the face before it. Under Wine every copy to the
// screen costs in proportion to its size, and from one second to the next mostly the
// second hand moves: only the changed part need be copied.
#pragma once
#include <cstdint>

#include "display/face_geometry.h"
#include "display/raster.h"

// Face pixels; right and bottom are exclusive. Empty when left == right.
struct FaceBox {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// A copy of a face at any depth the hands are drawn at.
constexpr int32_t FaceCopyBytes = FaceSize * FaceSize * 4;

// The smallest box that holds every pixel of the 160 x 160 face that differs from the
// copy of the face before it; those pixels are taken into the copy. At a depth the hands
// are not drawn at, the whole face, the copy left alone.
FaceBox TakeChangedPixels(const PixelBuffer& face, uint8_t (&copy)[FaceCopyBytes]);

FaceBox UniteFaceBoxes(const FaceBox& a, const FaceBox& b);

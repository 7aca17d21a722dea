// The window's outline from the frame bitmap: everything but its pure red surround.
#include "display/display.h"
#include "display/shape_scan.h"
#include "shell/scoped.h"

// GetPixel reports a DIB section's own colours whatever the screen's depth; positions
// outside the bitmap read as CLR_INVALID and so belong to the shape.
BOOL BuildWindowRegion(HWND window, const char* bitmapName, int x0, int y0, int x1, int y1,
                       int scale, HRGN* region)
{
    ScopedGetDC windowDc(window);
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), bitmapName,
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return FALSE;

    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    {
        ScopedMemoryDC memory(windowDc.get());
        ScopedSelectObject select(memory.get(), bitmap);
        auto isRed = [&](int x, int y) { return GetPixel(memory.get(), x, y) == RGB(255, 0, 0); };
        auto addRun = [&](const ShapeRect& r) {
            HRGN run =
                CreateRectRgn(r.left * scale, r.top * scale, r.right * scale, r.bottom * scale);
            CombineRgn(shape, shape, run, RGN_OR);
            DeleteObject(run);
        };
        ScanWindowShape(x0, y0, x1, y1, isRed, addRun);
    }
    DeleteObject(bitmap);
    *region = shape;
    return TRUE;
}

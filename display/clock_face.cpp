// One face per tick: the picture for the hour, the frame, the ALARM label, the hands drawn
// straight into the work surface, the read-out while the pointer is over the clock, and
// the copy to the screen of what changed.
#include "alarms/alarm_table.h"
#include "display/display.h"
#include "display/face_change.h"
#include "display/face_geometry.h"
#include "shell/shell.h"

int32_t ColonShown;

namespace {

constexpr DWORD KeyedCopy = DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT;
constexpr DWORD OpaqueCopy = DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT;

constexpr int GlyphWidth = 16;
constexpr int ColonGlyph = 10;
constexpr int ReadoutTop = 70;
constexpr LONG AlarmLabelLeft = 176;
constexpr LONG AlarmLabelRight = 208;
constexpr DWORD AlarmLabelX = 45;
constexpr DWORD AlarmLabelY = 100;
constexpr FaceBox WholeFace = {0, 0, FaceSize, FaceSize};
constexpr FaceBox ReadoutBox = {44, ReadoutTop, 117, ReadoutTop + 17};

// The last face as it was before its read-out, and whether the screen shows it.
uint8_t ShownFace[FaceCopyBytes];
bool FaceOnScreen;
bool ReadoutOnScreen;

// A glyph cell is 16 pixels wide, but only 15 x 17 of it is copied.
RECT GlyphRect(int glyph)
{
    const LONG left = GlyphWidth * glyph;
    return {left, 0, left + 15, 17};
}

void CopyGlyph(int glyph, DWORD x)
{
    RECT source = GlyphRect(glyph);
    WorkSurface->BltFast(x, ReadoutTop, FontSurface, &source, KeyedCopy);
}

PixelBuffer WorkSurfacePixels()
{
    return {static_cast<uint8_t*>(WorkLock.lpSurface), WorkLock.lPitch, DisplayDepth,
            LightenTable};
}

// The rectangle, not the window's shape, decides: the see-through corners count as over
// the clock, its left and top edges do not.
bool CursorOverClock(const POINT& cursor)
{
    return ScreenRect.left < cursor.x && cursor.x < ScreenRect.right && ScreenRect.top < cursor.y &&
           cursor.y < ScreenRect.bottom;
}

// Once the pointer is found off the clock after it has left the window, it is not looked
// for again until it moves over the window.
bool PointerOverClock()
{
    if (!PointerNearClock) return false;
    POINT cursor = {};
    GetCursorPos(&cursor);
    const bool over = CursorOverClock(cursor);
    if (!over && !PointerTracked) PointerNearClock = false;
    return over;
}

// Wine's enlargement steps through the face in 65536ths of a pixel: only at a power of
// two does a part of the face land where the whole face puts it.
bool PartsLandExactly()
{
    return (ClockScale & (ClockScale - 1)) == 0;
}

void ShowFace(const FaceBox& part)
{
    if (part.left >= part.right) return;
    RECT source = {part.left, part.top, part.right, part.bottom};
    RECT target = {ScreenRect.left + part.left * ClockScale, ScreenRect.top + part.top * ClockScale,
                   ScreenRect.left + part.right * ClockScale,
                   ScreenRect.top + part.bottom * ClockScale};
    FaceOnScreen =
        ScreenSurface->Blt(&target, WorkSurface, &source, DDBLT_WAIT, nullptr) == DD_OK;
}

}  // namespace

void ForgetShownFace() { FaceOnScreen = false; }

// The colon blinks: it flips on every face drawn while the pointer is over the clock.
void DrawDigitalTime(const SYSTEMTIME& time)
{
    ColonShown = !ColonShown;
    CopyGlyph(time.wHour / 10 % 10, 44);
    CopyGlyph(time.wHour % 10, 60);
    if (ColonShown) CopyGlyph(ColonGlyph, 76);
    CopyGlyph(time.wMinute / 10, 86);
    CopyGlyph(time.wMinute % 10, 102);
}

void DrawClockFace(const SYSTEMTIME& time)
{
    // Before start-up has made the surfaces, or after they were released, there is no face.
    if (!WorkSurface) return;

    const LONG picture = FaceSize * PictureByHour[time.wHour % 24];
    RECT pictureRect = {picture, 0, picture + FaceSize, FaceSize};
    WorkSurface->BltFast(0, 0, PanelSurface, &pictureRect, OpaqueCopy);
    RECT faceRect = {0, 0, FaceSize, FaceSize};
    WorkSurface->BltFast(0, 0, FrameSurface, &faceRect, KeyedCopy);
    if (Alarm) {
        RECT labelRect = {AlarmLabelLeft, 0, AlarmLabelRight, 18};
        WorkSurface->BltFast(AlarmLabelX, AlarmLabelY, FontSurface, &labelRect, KeyedCopy);
    }
    const bool readout = PointerOverClock();

    if (!LockWorkSurface()) return;
    const PixelBuffer pixels = WorkSurfacePixels();
    DrawHands(pixels, time.wHour, time.wMinute, time.wSecond);
    FaceBox changed = TakeChangedPixels(pixels, ShownFace);
    UnlockWorkSurface();

    // The read-out lies over the pixels just compared: where it is or was, all is sent.
    if (readout || ReadoutOnScreen) changed = UniteFaceBoxes(changed, ReadoutBox);
    ReadoutOnScreen = readout;
    if (readout) DrawDigitalTime(time);
    ShowFace(FaceOnScreen && PartsLandExactly() ? changed : WholeFace);
}

// Wine sends a window's drawing to the X server only when its thread next waits: a wait
// of no time for nothing sends it now. Windows returns at once.
void SendFaceNow() { MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, 0); }

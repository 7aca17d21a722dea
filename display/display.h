// The display: DirectDraw objects and surfaces, the window shape and the clock face.
// All of it runs on the window thread. The hands are drawn into the locked work surface
// by the pixel code of display/raster.h and display/face_geometry.h, which needs no
// window system.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include <cstdint>

extern IDirectDraw* DirectDrawObject;
extern IDirectDrawSurface* ScreenSurface;
extern IDirectDrawClipper* ScreenClipper;
extern IDirectDrawSurface* WorkSurface;
extern IDirectDrawSurface* FrameSurface;
extern IDirectDrawSurface* PanelSurface;
extern IDirectDrawSurface* FontSurface;
extern DDSURFACEDESC WorkLock;
extern uint8_t LightenTable[256];

BOOL CreateDisplay(HWND window);
void ReleaseDisplay();
BOOL LoadBitmapToSurface(IDirectDrawSurface* surface, HBITMAP bitmap);
void ReloadSurfaceBitmaps();
BOOL LockWorkSurface();
void UnlockWorkSurface();
// Restores lost surfaces; after a change of the display's settings (NoteDisplayChange,
// from WM_DISPLAYCHANGE) or a lost screen it reads the screen's depth again and, when
// that has changed, makes everything again.
void CheckDisplay();
void NoteDisplayChange();
BOOL RecreateDisplay();
void BuildLightenTable();

// The shape is scanned in the bitmap's pixels and enlarged by scale.
BOOL BuildWindowRegion(HWND window, const char* bitmapName, int x0, int y0, int x1, int y1,
                       int scale, HRGN* region);

// Flips on each face drawn while the pointer is over the clock: the read-out's colon blinks.
extern int32_t ColonShown;

void DrawClockFace(const SYSTEMTIME& time);
// The next face is copied to the screen whole, not only where it changed: the screen
// may no longer show the last one (a repaint, a move, a restored screen).
void ForgetShownFace();
// Sends the face drawn last to the screen now rather than when the thread next waits.
void SendFaceNow();
void DrawDigitalTime(const SYSTEMTIME& time);

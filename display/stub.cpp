// Placeholder until the display lands: no surfaces exist, so nothing is drawn.
#include "display/display.h"

IDirectDraw* DirectDrawObject;
IDirectDrawSurface* ScreenSurface;
IDirectDrawClipper* ScreenClipper;
IDirectDrawSurface* WorkSurface;
IDirectDrawSurface* FrameSurface;
IDirectDrawSurface* PanelSurface;
IDirectDrawSurface* FontSurface;
DDSURFACEDESC WorkLock;
uint8_t LightenTable[256];

BOOL CreateDisplay(HWND) { return TRUE; }
void ReleaseDisplay() {}
BOOL LoadBitmapToSurface(IDirectDrawSurface*, HBITMAP) { return TRUE; }
void ReloadSurfaceBitmaps() {}
BOOL LockWorkSurface() { return FALSE; }
void UnlockWorkSurface() {}
void CheckDisplay() {}
BOOL RecreateDisplay() { return TRUE; }
void BuildLightenTable() {}
BOOL BuildWindowRegion(HWND, const char*, int, int, int, int, HRGN*) { return FALSE; }
void DrawClockFace(const SYSTEMTIME&) {}
void DrawDigitalTime(const SYSTEMTIME&) {}

// The DirectDraw objects: the screen with its clipper, the work surface each face is
// composed on and the three surfaces holding the bitmaps; their restore and rebuild.
#include "display/display.h"
#include "display/lighten.h"
#include "shell/scoped.h"
#include "shell/shell.h"

IDirectDraw* DirectDrawObject;
IDirectDrawSurface* ScreenSurface;
IDirectDrawClipper* ScreenClipper;
IDirectDrawSurface* WorkSurface;
IDirectDrawSurface* FrameSurface;
IDirectDrawSurface* PanelSurface;
IDirectDrawSurface* FontSurface;
DDSURFACEDESC WorkLock;
uint8_t LightenTable[256];

// The 32-bit program hands DirectDraw the first-version description; a 64-bit build (used
// for testing where the host runs no 32-bit code) has the same fields with wider pointers.
#ifndef _WIN64
static_assert(sizeof(DDSURFACEDESC) == 108, "the first-version surface description");
#endif

constexpr DWORD GreenMask565 = 0x07E0;
constexpr DWORD GreenMask555 = 0x03E0;

// A surface's GDI device context, released when the scope ends.
class ScopedSurfaceDC {
public:
    explicit ScopedSurfaceDC(IDirectDrawSurface* surface) : surface_(surface)
    {
        if (surface_->GetDC(&dc_) != DD_OK) dc_ = nullptr;
    }
    ~ScopedSurfaceDC() { if (dc_) surface_->ReleaseDC(dc_); }
    ScopedSurfaceDC(const ScopedSurfaceDC&) = delete;
    ScopedSurfaceDC& operator=(const ScopedSurfaceDC&) = delete;
    HDC get() const { return dc_; }

private:
    IDirectDrawSurface* surface_;
    HDC dc_ = nullptr;
};

template <typename Interface>
static void ReleaseInterface(Interface*& object)
{
    if (!object) return;
    object->Release();
    object = nullptr;
}

static BOOL CreateScreenSurface()
{
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.dwBackBufferCount = 0;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    return DirectDrawObject->CreateSurface(&desc, &ScreenSurface, nullptr) == DD_OK;
}

// No pixel format is asked for, so the surface takes the screen's.
static BOOL CreateOffscreenSurface(DWORD width, DWORD height, IDirectDrawSurface** surface)
{
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    return DirectDrawObject->CreateSurface(&desc, surface, nullptr) == DD_OK;
}

static BOOL ClipScreenToWindow(HWND window)
{
    if (DirectDrawObject->CreateClipper(0, &ScreenClipper, nullptr) != DD_OK) return FALSE;
    if (ScreenClipper->SetHWnd(0, window) != DD_OK) return FALSE;
    return ScreenSurface->SetClipper(ScreenClipper) == DD_OK;
}

static BOOL CreateSurfaces(HWND window)
{
    return DirectDrawObject->SetCooperativeLevel(window, DDSCL_NORMAL) == DD_OK &&
           CreateScreenSurface() && CreateOffscreenSurface(160, 160, &WorkSurface) &&
           CreateOffscreenSurface(160, 160, &FrameSurface) &&
           CreateOffscreenSurface(1440, 160, &PanelSurface) &&
           CreateOffscreenSurface(224, 18, &FontSurface) && ClipScreenToWindow(window);
}

// A 16-bit screen is 5-6-5 or 5-5-5; the drawing code needs to know which.
static BOOL SettleSixteenBitDepth()
{
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    if (ScreenSurface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return FALSE;
    ScreenSurface->Unlock(nullptr);
    switch (desc.ddpfPixelFormat.dwGBitMask) {
    case GreenMask565: DisplayDepth = 16; return TRUE;
    case GreenMask555: DisplayDepth = 15; return TRUE;
    default:
        MessageBoxA(nullptr, "対応してない画面モードです。", MessageCaption, MB_OK);
        return FALSE;
    }
}

// On failure after the DirectDraw object exists everything made so far is released,
// except after the 16-bit test: the caller closes the clock and the window's
// destruction releases the objects then.
BOOL CreateDisplay(HWND window)
{
    if (DirectDrawCreate(nullptr, &DirectDrawObject, nullptr) != DD_OK) {
        DirectDrawObject = nullptr;
        return FALSE;
    }
    if (!CreateSurfaces(window)) {
        ReleaseDisplay();
        return FALSE;
    }
    if (DisplayDepth == 16) return SettleSixteenBitDepth();
    return TRUE;
}

void ReleaseDisplay()
{
    ReleaseInterface(FrameSurface);
    ReleaseInterface(PanelSurface);
    ReleaseInterface(FontSurface);
    ReleaseInterface(ScreenClipper);
    ReleaseInterface(WorkSurface);
    ReleaseInterface(ScreenSurface);
    ReleaseInterface(DirectDrawObject);
}

// GDI converts the bitmap's colours to the surface's format; any colour that becomes
// pixel value 0 turns see-through with the others of the colour key.
BOOL LoadBitmapToSurface(IDirectDrawSurface* surface, HBITMAP bitmap)
{
    if (!surface || !bitmap) return TRUE;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    {
        ScopedMemoryDC memory(nullptr);
        ScopedSelectObject select(memory.get(), bitmap);
        ScopedSurfaceDC target(surface);
        if (target.get())
            BitBlt(target.get(), 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
    }
    DDCOLORKEY key = {};
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
    return TRUE;
}

void ReloadSurfaceBitmaps()
{
    LoadBitmapToSurface(FrameSurface, FrameBitmap);
    LoadBitmapToSurface(PanelSurface, PanelBitmap);
    LoadBitmapToSurface(FontSurface, FontBitmap);
}

// The tick is stopped before the message: the timer keeps firing inside the message
// box's loop, and each tick would otherwise fail the same lock and stack another box.
BOOL LockWorkSurface()
{
    WorkLock = {};
    WorkLock.dwSize = sizeof WorkLock;
    if (WorkSurface->Lock(nullptr, &WorkLock, DDLOCK_WAIT, nullptr) == DD_OK) return TRUE;
    TickEnabled = 0;
    MessageBoxA(nullptr, "サーフェイスのロックに失敗しました。", MessageCaption, MB_OK);
    CloseClock();
    return FALSE;
}

void UnlockWorkSurface() { WorkSurface->Unlock(nullptr); }

static int32_t ReadScreenBitsPerPixel()
{
    ScopedGetDC dc(MainWindow);
    return GetDeviceCaps(dc.get(), BITSPIXEL);
}

// A 5-5-5 screen reports 16 bits like a 5-6-5 one.
static bool DepthChanged(int32_t bitsPerPixel)
{
    if (DisplayDepth == 15 && bitsPerPixel == 16) return false;
    return bitsPerPixel != DisplayDepth;
}

// Every object is made again for the new format with the tick stopped, so no face is
// drawn half-way through.
static void RebuildForDepth(int32_t bitsPerPixel)
{
    DisplayDepth = bitsPerPixel;
    TickEnabled = 0;
    ForgetShownFace();
    KillTimer(MainWindow, ClockTimerId);
    ReleaseDisplay();
    if (!RecreateDisplay()) return;
    if (DisplayDepth == 8) BuildLightenTable();
    ArmClockTimer();
    TickEnabled = 1;
}

// The work surface needs no reload when restored: every face repaints all of it.
static void RestoreLostSurfaces()
{
    if (ScreenSurface->IsLost() != DD_OK) {
        ScreenSurface->Restore();
        ReloadSurfaceBitmaps();
        ForgetShownFace();
    }
    if (WorkSurface->IsLost() != DD_OK) WorkSurface->Restore();
    if (FrameSurface->IsLost() != DD_OK) FrameSurface->Restore();
}

// Reading the depth costs a device context; the system tells of every change.
static bool DisplayChangeNoted;

void NoteDisplayChange() { DisplayChangeNoted = true; }

void CheckDisplay()
{
    if (!ScreenSurface) return;
    if (DisplayChangeNoted || ScreenSurface->IsLost() != DD_OK) {
        DisplayChangeNoted = false;
        const int32_t bitsPerPixel = ReadScreenBitsPerPixel();
        if (DepthChanged(bitsPerPixel)) {
            RebuildForDepth(bitsPerPixel);
            return;
        }
    }
    RestoreLostSurfaces();
}

BOOL RecreateDisplay()
{
    if (!CreateDisplay(MainWindow)) {
        CloseClock();
        return FALSE;
    }
    ReloadSurfaceBitmaps();
    UpdateWindow(MainWindow);
    return TRUE;
}

void BuildLightenTable()
{
    PALETTEENTRY entries[PaletteSize] = {};
    {
        ScopedGetDC screen(nullptr);
        GetSystemPaletteEntries(screen.get(), 0, PaletteSize, entries);
    }
    PaletteColour palette[PaletteSize];
    for (int i = 0; i < PaletteSize; ++i)
        palette[i] = {entries[i].peRed, entries[i].peGreen, entries[i].peBlue};
    ComputeLightenTable(palette, LightenTable);
}

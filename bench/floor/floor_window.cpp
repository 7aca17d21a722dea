// Floors for footprint figures: what Wine itself costs for a program with a window and a
// one-second timer, and what each step of the clock's way of showing its face adds.
//   floor_window.exe             a 160 x 160 window and the timer, nothing else
//   floor_window.exe shaped      the clock's hexagonal shape, the frame copied to the
//                                window with GDI every second
//   floor_window.exe directdraw  the shape, DirectDraw in normal cooperative mode with a
//                                screen surface clipped to the window, and the frame copied
//                                from a system-memory surface through the clipper every second
#include <windows.h>
#include <ddraw.h>

#include <cstring>

#include "display/display.h"
#include "shell/scoped.h"

namespace {

enum class FloorMode { Plain, Shaped, DirectDraw };

FloorMode Mode = FloorMode::Plain;
HBITMAP Frame;
IDirectDraw* Draw;
IDirectDrawSurface* Screen;
IDirectDrawSurface* Face;
IDirectDrawClipper* Clipper;

void CopyFrameWithGdi(HWND window)
{
    ScopedGetDC windowDc(window);
    ScopedMemoryDC memory(windowDc.get());
    ScopedSelectObject select(memory.get(), Frame);
    BitBlt(windowDc.get(), 0, 0, 160, 160, memory.get(), 0, 0, SRCCOPY);
}

void CopyFrameThroughClipper(HWND window)
{
    RECT screenRect;
    GetWindowRect(window, &screenRect);
    RECT faceRect = {0, 0, 160, 160};
    Screen->Blt(&screenRect, Face, &faceRect, DDBLT_WAIT, nullptr);
}

// The same objects, in the same order, as the clock's display. DirectDraw is loaded only
// here: importing it would load it, and Wine's Direct3D under it, into the other floors too.
bool CreateDirectDraw(HWND window)
{
    using DirectDrawCreateCall = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
    HMODULE library = LoadLibraryA("ddraw.dll");
    if (!library) return false;
    auto create = reinterpret_cast<DirectDrawCreateCall>(
        reinterpret_cast<void*>(GetProcAddress(library, "DirectDrawCreate")));
    if (!create || create(nullptr, &Draw, nullptr) != DD_OK) return false;
    if (Draw->SetCooperativeLevel(window, DDSCL_NORMAL) != DD_OK) return false;
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (Draw->CreateSurface(&desc, &Screen, nullptr) != DD_OK) return false;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = desc.dwHeight = 160;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    if (Draw->CreateSurface(&desc, &Face, nullptr) != DD_OK) return false;
    if (Draw->CreateClipper(0, &Clipper, nullptr) != DD_OK) return false;
    if (Clipper->SetHWnd(0, window) != DD_OK) return false;
    if (Screen->SetClipper(Clipper) != DD_OK) return false;

    HDC faceDc;
    if (Face->GetDC(&faceDc) != DD_OK) return false;
    {
        ScopedMemoryDC memory(faceDc);
        ScopedSelectObject select(memory.get(), Frame);
        BitBlt(faceDc, 0, 0, 160, 160, memory.get(), 0, 0, SRCCOPY);
    }
    Face->ReleaseDC(faceDc);
    return true;
}

LRESULT CALLBACK FloorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (Mode == FloorMode::Shaped) CopyFrameWithGdi(window);
        if (Mode == FloorMode::DirectDraw) CopyFrameThroughClipper(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(1); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool GiveClockShape(HWND window)
{
    Frame = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), "IDB_FRAME",
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HRGN shape;
    if (!Frame || !BuildWindowRegion(window, "IDB_FRAME", 0, 0, 161, 161, 1, &shape)) return false;
    SetWindowRgn(window, shape, TRUE);
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    if (std::strcmp(commandLine, "shaped") == 0) Mode = FloorMode::Shaped;
    if (std::strcmp(commandLine, "directdraw") == 0) Mode = FloorMode::DirectDraw;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "FLOOR WINDOW";
    if (!RegisterClassA(&windowClass)) return 1;
    // Side by side with the clock and each other, so no copy lands on another's window.
    const int left = 200 * (1 + static_cast<int>(Mode));
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "FLOOR WINDOW", "FLOOR WINDOW",
                                  WS_POPUP | WS_VISIBLE, left, 0, 160, 160, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;
    if (Mode != FloorMode::Plain && !GiveClockShape(window)) return 1;
    if (Mode == FloorMode::DirectDraw && !CreateDirectDraw(window)) return 1;
    ShowWindow(window, showCommand);
    SetTimer(window, 1, 1000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return static_cast<int>(message.wParam);
}

// A whole face and one reload of the three bitmaps, timed in-process on Wine's DirectDraw
// at the screen's depth. Prints microseconds per call.
#include <cstdio>

#include "alarms/alarm_table.h"
#include "display/display.h"
#include "shell/shell.h"

namespace {

constexpr int FaceRounds = 3000;
constexpr int ReloadRounds = 300;

HBITMAP LoadBitmapResource(const char* name)
{
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

bool SetUpClock()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PelioFaceBench";
    RegisterClassA(&windowClass);
    MainWindow = CreateWindowExA(WS_EX_TOOLWINDOW, "PelioFaceBench", "face bench",
                                 WS_POPUP | WS_VISIBLE, 0, 0, ClockWindowSize, ClockWindowSize,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!MainWindow) return false;
    HDC dc = GetDC(MainWindow);
    DisplayDepth = GetDeviceCaps(dc, PLANES) * GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(MainWindow, dc);
    if (!CreateDisplay(MainWindow)) return false;
    PanelBitmap = LoadBitmapResource("IDB_PANEL");
    FrameBitmap = LoadBitmapResource("IDB_FRAME");
    FontBitmap = LoadBitmapResource("IDB_FONT");
    if (!PanelBitmap || !FrameBitmap || !FontBitmap) return false;
    ReloadSurfaceBitmaps();
    if (DisplayDepth == 8) BuildLightenTable();
    UpdateScreenRect();
    BuildTrigTables();
    Alarm = 1;
    return true;
}

}  // namespace

int main()
{
    if (!SetUpClock()) {
        std::printf("face_bench: the display could not be made\n");
        return 1;
    }
    // The read-out is drawn on every face: the pointer sits inside the clock.
    SetCursorPos(100, 60);
    SYSTEMTIME time = {};
    time.wHour = 10;
    time.wMinute = 8;

    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < FaceRounds; ++i) {
        time.wSecond = static_cast<WORD>(i % 60);
        DrawClockFace(time);
    }
    QueryPerformanceCounter(&end);
    const double face = Seconds(start, end) / FaceRounds;

    QueryPerformanceCounter(&start);
    for (int i = 0; i < ReloadRounds; ++i) ReloadSurfaceBitmaps();
    QueryPerformanceCounter(&end);
    const double reload = Seconds(start, end) / ReloadRounds;

    std::printf("depth %d: DrawClockFace %.1f us (%d faces), ReloadSurfaceBitmaps %.1f us (%d)\n",
                static_cast<int>(DisplayDepth), face * 1e6, FaceRounds, reload * 1e6,
                ReloadRounds);
    ReleaseDisplay();
    DestroyWindow(MainWindow);
    return 0;
}

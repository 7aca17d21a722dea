// Start-up: the window, then every subsystem in the order the others rely on.
#include "alarms/alarms.h"
#include "display/display.h"
#include "resources/resource.h"
#include "shell/shell.h"
#include "sound/sound.h"

#include <mmsystem.h>
#include <shellapi.h>

HWND MainWindow;
HINSTANCE AppInstance;
int32_t TickEnabled;
UINT_PTR ClockTimerId;
int32_t DisplayDepth;
HBITMAP FrameBitmap;
HBITMAP PanelBitmap;
HBITMAP FontBitmap;
HRGN WindowRegion;
RECT ScreenRect;
HMENU PopupMenu;
bool PointerTracked;
bool PointerNearClock;

static BOOL RegisterClockClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ClockWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ClockClassName;
    return RegisterClassA(&windowClass) != 0;
}

void SetClockIcon(HWND window)
{
    const auto big = static_cast<HICON>(LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_PELIO),
                                                   IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    const auto small = static_cast<HICON>(LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_PELIO),
                                                     IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                     GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

static void ReadDisplayDepth()
{
    HDC dc = GetDC(MainWindow);
    DisplayDepth = GetDeviceCaps(dc, PLANES) * GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(MainWindow, dc);
}

// A clock that cannot start says what failed, on screen and in the run log (the standard
// error that Wine's start script sends there), then ends with the usual exit code. The
// log line is UTF-8, as the rest of the log.
static BOOL StartFailed(const char* what)
{
    char text[160];
    wsprintfA(text, "起動できません: %s", what);
    wchar_t wide[160];
    char line[480];
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 160);
    const int lineLength =
        WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, line, sizeof line - 1, nullptr, nullptr);
    if (lineLength > 0) {
        line[lineLength - 1] = '\n';
        DWORD written = 0;
        const char prefix[] = "PelioClock: ";
        HANDLE log = GetStdHandle(STD_ERROR_HANDLE);
        WriteFile(log, prefix, sizeof prefix - 1, &written, nullptr);
        WriteFile(log, line, static_cast<DWORD>(lineLength), &written, nullptr);
    }
    MessageBoxA(nullptr, text, MessageCaption, MB_OK);
    return FALSE;
}

static BOOL LoadClockBitmap(HINSTANCE instance, const char* name, HBITMAP* bitmap,
                            IDirectDrawSurface* surface)
{
    *bitmap = static_cast<HBITMAP>(
        LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (*bitmap && LoadBitmapToSurface(surface, *bitmap)) return TRUE;
    char what[80];
    wsprintfA(what, "ビットマップ %s を読み込めません。", name);
    return StartFailed(what);
}

void UpdateScreenRect()
{
    GetClientRect(MainWindow, &ScreenRect);
    ClientToScreen(MainWindow, reinterpret_cast<POINT*>(&ScreenRect.left));
    ClientToScreen(MainWindow, reinterpret_cast<POINT*>(&ScreenRect.right));
}

static void StartDirectSoundIfWanted()
{
    if (!Alarm || !UseDirectSound) return;
    if (!InitDSound())
        MessageBoxA(nullptr, "DirectSoundが使用できません。", MessageCaption, MB_OK);
}

BOOL InitInstance(HINSTANCE instance, int showCommand, int x, int y)
{
    if (!RegisterClockClass(instance))
        return StartFailed("ウィンドウクラスを登録できません。");
    MainWindow = CreateWindowExA(WS_EX_TOOLWINDOW, ClockClassName, ClockWindowTitle,
                                 WS_POPUP | WS_VISIBLE, x, y, ClockSize(), ClockSize(),
                                 nullptr, nullptr, instance, nullptr);
    if (!MainWindow) return StartFailed("ウィンドウを作れません。");
    AppInstance = instance;
    SetClockIcon(MainWindow);

    ReadDisplayDepth();
    if (!CreateDisplay(MainWindow)) return StartFailed("DirectDrawの画面を作れません。");
    if (!LoadClockBitmap(instance, "IDB_PANEL", &PanelBitmap, PanelSurface) ||
        !LoadClockBitmap(instance, "IDB_FRAME", &FrameBitmap, FrameSurface) ||
        !LoadClockBitmap(instance, "IDB_FONT", &FontBitmap, FontSurface))
        return FALSE;
    if (DisplayDepth == 8) BuildLightenTable();

    BuildWindowRegion(MainWindow, "IDB_FRAME", 0, 0, ClockWindowSize + 1, ClockWindowSize + 1,
                      ClockScale, &WindowRegion);
    SetWindowRgn(MainWindow, WindowRegion, TRUE);
    UpdateScreenRect();
    BuildTrigTables();
    CreateClockMenu();

    SetDefaultAlarms();
    LoadSettings();
    CountAlarms();
    StartDirectSoundIfWanted();

    DragAcceptFiles(MainWindow, TRUE);
    ArmClockTimer();
    TickEnabled = 1;
    ShowWindow(MainWindow, showCommand);
    SetWindowPos(MainWindow, OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    ShowCursor(TRUE);
    // The window was erased while it was created, before anything could be drawn; asking
    // for a fresh erase makes this first repaint draw the face instead of leaving the
    // window blank until the first timer tick.
    InvalidateRect(MainWindow, nullptr, TRUE);
    UpdateWindow(MainWindow);
    return TRUE;
}

// Does not return: destroying the window ends the process.
void CloseClock()
{
    TickEnabled = 0;
    DestroyWindow(MainWindow);
}

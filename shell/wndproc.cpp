// The main window's procedure: ticks, drag and menu through the hit test, Escape,
// dropped files, the MCI notice and the shut-down.
#include "alarms/alarms.h"
#include "display/display.h"
#include "shell/shell.h"
#include "sound/sound.h"

#include <mmsystem.h>
#include <shellapi.h>

void ClockTick()
{
    if (!TickEnabled) return;
    CheckDisplay();
    SYSTEMTIME now;
    GetLocalTime(&now);
    DrawClockFace(now);
    CheckAlarms(now);
}

static void OnMove()
{
    UpdateScreenRect();
    ClockTick();
}

// The whole clock behaves as a title bar: the system drags it on the left button and
// reports the right button as a non-client click.
static LRESULT OnHitTest()
{
    ReloadSurfaceBitmaps();
    return HTCAPTION;
}

static void OnRightButtonDown(LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    TrackPopupMenu(PopupMenu, TPM_CENTERALIGN | TPM_RIGHTBUTTON, x, y, 0, MainWindow, nullptr);
}

static void OnKeyDown(WPARAM key)
{
    if (key != VK_ESCAPE) return;
    TickEnabled = 0;
    DestroyWindow(MainWindow);
}

static void OnDropFiles(HDROP drop)
{
    char path[MAX_PATH];
    const UINT length = DragQueryFileA(drop, 0, path, MAX_PATH);
    DragFinish(drop);
    if (length == 0 || length >= MAX_PATH) return;
    if (UseDirectSound)
        PlayWaveStream(path);
    else
        PlayWaveMci(path);
}

// Under Wine the multimedia layer keeps a thread of its own once MCI has played, so
// ending only this thread would leave the process running without a window: the
// process itself is ended once everything is released.
[[noreturn]] static void OnDestroy()
{
    TickEnabled = 0;
    CloseWaveMci();
    KillTimer(MainWindow, ClockTimerId);
    ReleaseDSound();
    ReleaseDisplay();
    DeleteObject(FrameBitmap);
    DeleteObject(PanelBitmap);
    DeleteObject(FontBitmap);
    ExitProcess(ExitCodeClosed);
}

LRESULT CALLBACK ClockWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOVE: OnMove(); return 0;
    case WM_ERASEBKGND: ClockTick(); return 0;
    case WM_TIMER: ClockTick(); return 0;
    case WM_NCHITTEST: return OnHitTest();
    case WM_NCRBUTTONDOWN: OnRightButtonDown(lParam); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case WM_COMMAND: OnMenuCommand(wParam); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case MM_MCINOTIFY: CloseWaveMci(); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    // Last, because nothing comes after it: the process ends inside OnDestroy.
    case WM_DESTROY: OnDestroy();
    }
}

// The main window's procedure: ticks, drag and menu through the hit test, Escape,
// dropped files, the ends of sounds, the alarms' notices and the shut-down.
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

// True once the pointer, with the left button held, leaves the system's drag rectangle
// around the press; at then holds where it went. False when the button comes up first or
// the capture is lost. Other messages go on being dispatched, so a button held still
// does not stop the tick and its alarms.
static bool PointerDrags(HWND window, POINT press, POINT* at)
{
    const int dx = GetSystemMetrics(SM_CXDRAG);
    const int dy = GetSystemMetrics(SM_CYDRAG);
    const RECT still = {press.x - dx, press.y - dy, press.x + dx + 1, press.y + dy + 1};
    SetCapture(window);
    bool drags = false;
    while (GetCapture() == window) {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (message.message == WM_LBUTTONUP) break;
        if (message.message == WM_MOUSEMOVE) {
            if (PtInRect(&still, message.pt)) continue;
            *at = message.pt;
            drags = true;
            break;
        }
        if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (GetCapture() == window) ReleaseCapture();
    return drags;
}

// The system's move starts only once the pointer really moves. Under a window manager
// the move is the manager's, and one started by a plain click waits for a release that
// has already happened, taking the next key (Escape) with it. A click ends here, the
// clock activated by the press as any window is. On a drag the clock first catches up
// with the pointer, then the system's move goes on from there.
static LRESULT OnLeftButtonDown(HWND window, WPARAM hitTest, LPARAM lParam)
{
    const POINT press = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    POINT at = press;
    if (hitTest != HTCAPTION) return DefWindowProcA(window, WM_NCLBUTTONDOWN, hitTest, lParam);
    if (!PointerDrags(window, press, &at)) return 0;
    RECT place;
    GetWindowRect(window, &place);
    SetWindowPos(window, nullptr, place.left + at.x - press.x, place.top + at.y - press.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return DefWindowProcA(window, WM_NCLBUTTONDOWN, hitTest, MAKELPARAM(at.x, at.y));
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
    SoundFailure failure = SoundFailure::None;
    if (UseDirectSound)
        PlayWaveStream(path, &failure);
    else
        PlayWaveMci(path, &failure);
    // Both players' refusals of the file are told in the reader's words.
    if (const char* text = SoundFailureText(failure))
        MessageBoxA(MainWindow, text, WaveErrorCaption, MB_OK);
}

// Any notice closes the device; a failure may still be an alarm's to make up for.
static void OnMciNotify(WPARAM code)
{
    CloseWaveMci();
    OnAlarmSoundEnded(code == MCI_NOTIFY_FAILURE);
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
    case WM_NCLBUTTONDOWN: return OnLeftButtonDown(window, wParam, lParam);
    case WM_EXITSIZEMOVE: KeepPlace(); return 0;
    case WM_NCRBUTTONDOWN: OnRightButtonDown(lParam); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case WM_COMMAND: OnMenuCommand(wParam); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case MM_MCINOTIFY: OnMciNotify(wParam); return 0;
    case SoundEndedMessage: OnAlarmSoundEnded(wParam != 0); return 0;
    case AlarmNoticeMessage: ShowAlarmNotices(); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    // Last, because nothing comes after it: the process ends inside OnDestroy.
    case WM_DESTROY: OnDestroy();
    }
}

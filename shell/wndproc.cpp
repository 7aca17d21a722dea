// The main window's procedure: ticks, drag and menu through the hit test, Escape,
// dropped files, the ends of sounds, the alarms' notices and the shut-down.
#include "alarms/alarms.h"
#include "display/display.h"
#include "shell/shell.h"
#include "shell/tick_timing.h"
#include "sound/sound.h"

#include <mmsystem.h>
#include <shellapi.h>

// The timer's period as last set.
static UINT ClockTimerPeriod;
// The time the last timer tick drew.
static SYSTEMTIME LastTimerTick;
// The minute of the last tick; none at start.
static WORD LastTickMinute = 60;

// Wine sends a window's drawing to the X server only when its thread next waits. An
// alarm's player may hold the thread for a tenth of a second as it starts, so in the
// first tick of a minute, where alarms start, the face is sent before they are checked.
static void ClockTickAt(const SYSTEMTIME& now)
{
    if (!TickEnabled) return;
    CheckDisplay();
    DrawClockFace(now);
    if (now.wMinute != LastTickMinute) SendFaceNow();
    LastTickMinute = now.wMinute;
    CheckAlarms(now);
}

void ClockTick()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    ClockTickAt(now);
}

static void SetClockTimer(UINT elapse)
{
    ClockTimerId = SetTimer(MainWindow, ClockTimerIdentifier, elapse, nullptr);
    ClockTimerPeriod = elapse;
}

// Each tick falls just after a second of the wall clock begins, so the second hand turns
// with the second and an alarm sounds at the start of its minute: a timer that merely
// ran on would keep the phase of the moment the clock started.
void ArmClockTimer()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    SetClockTimer(ElapseToNextTick(now.wMilliseconds));
}

static bool SameSecond(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wSecond == b.wSecond && a.wMinute == b.wMinute && a.wHour == b.wHour &&
           a.wDay == b.wDay;
}

// A tick that still reads the second the last one drew came early: drawn again, it would
// flip the read-out's colon twice within a moment. It only brings the timer back.
static void OnTimer()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (!SameSecond(now, LastTimerTick)) {
        LastTimerTick = now;
        ClockTickAt(now);
    }
    if (!TickEnabled) return;
    if (const UINT elapse = TimerAfterTick(now.wMilliseconds, ClockTimerPeriod))
        SetClockTimer(elapse);
}

static void OnMove()
{
    UpdateScreenRect();
    ForgetShownFace();
    ClockTick();
}

static void OnEraseBackground()
{
    ForgetShownFace();
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
// around the press; at then holds where it went. False when the button comes up first
// (clicked is then set) or the capture is lost. Other messages go on being dispatched,
// so a button held still does not stop the tick and its alarms.
static bool PointerDrags(HWND window, POINT press, POINT* at, bool* clicked)
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
        // A release lost on its way (a secure desktop's prompt while the button was held)
        // shows as a move with the button up.
        if (message.message == WM_LBUTTONUP ||
            (message.message == WM_MOUSEMOVE && !(message.wParam & MK_LBUTTON))) {
            *clicked = true;
            break;
        }
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
// clock activated by the press as any window is, and the sound the clock plays stopped.
// On a drag the clock first catches up with the pointer, then the system's move goes on
// from there.
static LRESULT OnLeftButtonDown(HWND window, WPARAM hitTest, LPARAM lParam)
{
    const POINT press = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    POINT at = press;
    if (hitTest != HTCAPTION) return DefWindowProcA(window, WM_NCLBUTTONDOWN, hitTest, lParam);
    bool clicked = false;
    if (!PointerDrags(window, press, &at, &clicked)) {
        if (clicked) OnSoundEnded(StopPlay(), false);
        return 0;
    }
    RECT place;
    GetWindowRect(window, &place);
    SetWindowPos(window, nullptr, place.left + at.x - press.x, place.top + at.y - press.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return DefWindowProcA(window, WM_NCLBUTTONDOWN, hitTest, MAKELPARAM(at.x, at.y));
}

// The face looks for the pointer from its first move over the clock; the window asks to
// be told when it leaves.
static LRESULT OnPointerMove(HWND window, WPARAM hitTest, LPARAM lParam)
{
    PointerNearClock = true;
    if (!PointerTracked) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE | TME_NONCLIENT, window, 0};
        PointerTracked = TrackMouseEvent(&track) != FALSE;
    }
    return DefWindowProcA(window, WM_NCMOUSEMOVE, hitTest, lParam);
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

// The MCI device's notice or the streaming worker's message: a failure may still be an
// alarm's to make up for.
static void OnPlayEnded(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool failed = false;
    if (const uint32_t tag = PlayEnded(message, wParam, lParam, &failed))
        OnSoundEnded(tag, failed);
}

// Under Wine the multimedia layer keeps a thread of its own once MCI has played, so
// ending only this thread would leave the process running without a window: the
// process itself is ended once everything is released.
[[noreturn]] static void OnDestroy()
{
    TickEnabled = 0;
    StopPlay();
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
    case WM_ERASEBKGND: OnEraseBackground(); return 0;
    case WM_TIMER: OnTimer(); return 0;
    case WM_NCHITTEST: return OnHitTest();
    case WM_NCMOUSEMOVE: return OnPointerMove(window, wParam, lParam);
    case WM_NCMOUSELEAVE: PointerTracked = false; return 0;
    case WM_DISPLAYCHANGE: NoteDisplayChange(); return 0;
    case WM_NCLBUTTONDOWN: return OnLeftButtonDown(window, wParam, lParam);
    case WM_EXITSIZEMOVE: KeepPlace(); return 0;
    case WM_NCRBUTTONDOWN: OnRightButtonDown(lParam); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case WM_COMMAND: OnMenuCommand(wParam); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case MM_MCINOTIFY:
    case SoundEndedMessage: OnPlayEnded(message, wParam, lParam); return 0;
    case AlarmNoticeMessage: ShowAlarmNotices(); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    // Last, because nothing comes after it: the process ends inside OnDestroy.
    case WM_DESTROY: OnDestroy();
    }
}

// The application shell: start-up, the main window, its tick and shut-down.
// Every other subsystem reads the state declared here; only the shell and the
// display rebuild (which restarts the timer) write it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "shell/trig.h"

constexpr char ClockClassName[] = "PELIO CLOCK";
constexpr char ClockWindowTitle[] = "PELIO CLOCK";
constexpr char MessageCaption[] = "PelioClock";
constexpr int ClockWindowSize = 160;
constexpr UINT_PTR ClockTimerIdentifier = 1;
constexpr int ExitCodeClosed = 1;

// Messages the clock posts to its own window. The streaming worker reports the end of
// a sound (wParam non-zero when the device broke it off, lParam the play's tag); an
// alarm that could not sound as it should asks for its notice to be shown outside the
// tick.
constexpr UINT SoundEndedMessage = WM_APP + 1;
constexpr UINT AlarmNoticeMessage = WM_APP + 2;

extern HWND MainWindow;
extern HINSTANCE AppInstance;
extern int32_t TickEnabled;
extern UINT_PTR ClockTimerId;
extern int32_t DisplayDepth;
extern HBITMAP FrameBitmap;
extern HBITMAP PanelBitmap;
extern HBITMAP FontBitmap;
extern HRGN WindowRegion;
extern RECT ScreenRect;
extern HMENU PopupMenu;
// Where the pointer is, is a round trip to the window system that a clock nobody points
// at should not make every second. The face looks for it while PointerNearClock is set:
// from the pointer's first move over the window until a face finds it off the clock
// after the window has been told that it left (PointerTracked cleared).
extern bool PointerTracked;
extern bool PointerNearClock;
// The whole-number factor the clock is drawn at, from the system's dots per inch: the
// face is composed at 160 x 160 and enlarged pixel for pixel.
extern int32_t ClockScale;

BOOL InitInstance(HINSTANCE instance, int showCommand, int x, int y);
LRESULT CALLBACK ClockWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ClockTick();
// Sets the one-second timer (ClockTimerIdentifier) to fall just after the next second;
// the ticks keep it there.
void ArmClockTimer();
void CloseClock();
void UpdateScreenRect();

// The clock's size and place: the scale is read before the window is made, the start
// place is where the clock was last left, and the end of a drag keeps the new place.
void ReadClockScale();
int32_t ClockSize();
POINT StartPlace();
void KeepPlace();

// The working folder is remembered before anything else. One clock serves one folder: a
// start in a folder whose clock runs brings that clock forward and ends; the clock that
// runs announces its window once it is made.
void RememberFolders();
bool HandOverToRunningClock();
void AnnounceClockWindow();
// A relative sound file name as the players must be given it: the working folder's file,
// or when that folder has none, the one beside the program. Other paths stay as they are.
void ResolveFilePath(const char* path, char (&resolved)[MAX_PATH]);

// Gives a window of the clock icon 115, so a desktop's task switcher and window list show
// the program's own picture (the window class has no icon).
void SetClockIcon(HWND window);

// Popup menu and About box.
void CreateClockMenu();
void OnMenuCommand(WPARAM wParam);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

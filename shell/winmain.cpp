#include "shell/shell.h"

// The command line is ignored: the clock takes no options.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    RememberFolders();
    if (HandOverToRunningClock()) return ExitCodeClosed;
    ReadClockScale();
    const POINT start = StartPlace();
    if (!InitInstance(instance, showCommand, start.x, start.y)) return ExitCodeClosed;
    AnnounceClockWindow();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

#include "shell/shell.h"

// The command line is ignored: the clock takes no options.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    if (!InitInstance(instance, showCommand, 0, 0)) return ExitCodeClosed;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

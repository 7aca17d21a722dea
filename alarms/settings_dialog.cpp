// Placeholder until the settings dialog lands: any command closes it.
#include "alarms/alarms.h"

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_COMMAND) EndDialog(dialog, 0);
    return FALSE;
}

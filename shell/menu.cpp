// The popup menu and the About box.
#include "alarms/alarms.h"
#include "resources/resource.h"
#include "shell/shell.h"

void CreateClockMenu()
{
    PopupMenu = CreatePopupMenu();
    AppendMenuA(PopupMenu, MF_STRING, IDM_SETTINGS, "設定");
    AppendMenuA(PopupMenu, MF_STRING, IDM_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報");
    AppendMenuA(PopupMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(PopupMenu, MF_STRING, IDM_EXIT, "終了");
}

// The whole wParam is compared, so only a menu command (high word 0) matches.
void OnMenuCommand(WPARAM wParam)
{
    switch (wParam) {
    case IDM_SETTINGS:
        OkMadeClockTopmost = false;
        DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_SETTINGS), MainWindow,
                        SettingsDialogProc, 0);
        // Wine links a window that owns a topmost popup just below that popup, outside the
        // topmost band, so the dialog's OK cannot lift the clock while the dialog is up.
        // After Cancel, a refused OK or an OK that cleared OnTop the clock stays where it is.
        if (OkMadeClockTopmost)
            SetWindowPos(MainWindow, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        break;
    case IDM_ABOUT:
        DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ABOUT), MainWindow, AboutDlgProc, 0);
        break;
    case IDM_EXIT:
        TickEnabled = 0;
        DestroyWindow(MainWindow);
        break;
    default:
        break;
    }
}

// The box's top edge lies on the screen's middle line, its left edge 100 pixels left of
// the centre; only OK closes it.
static void PlaceAboutBox(HWND dialog)
{
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - 100;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    SetWindowPos(dialog, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetClockIcon(dialog);
        PlaceAboutBox(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialog(dialog, 0);
        return FALSE;
    default: return FALSE;
    }
}

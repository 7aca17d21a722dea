#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "alarms/alarms.h"
#include "shell/shell.h"

namespace {

LRESULT CALLBACK NoticeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == AlarmNoticeMessage) {
        ShowAlarmNotices();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The text of each notice box as it came up. The first box meets the next alarm's notice
// (and a second one for its own minute); any later box is answered with OK.
std::vector<std::string> BoxesSeen;

void CALLBACK WatchNoticeBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA("#32770", MessageCaption);
    if (!box || !IsWindowVisible(box)) return;
    char text[4096] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    if (!BoxesSeen.empty() && BoxesSeen.back() == text) return;
    BoxesSeen.push_back(text);
    if (BoxesSeen.size() == 1) {
        AddAlarmNotice(7, 31, "07:31 second");
        AddAlarmNotice(7, 30, "07:30 again");
    } else {
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    }
}

}  // namespace

// The box's own loop goes on ticking, and the next alarm may fail while the box of an
// earlier one is up: the box gives way at once to one that holds both, so that alarm is
// not kept waiting unseen until the first is answered. OK then answers both.
TEST(AlarmNotices, ANoticeThatComesWhileTheBoxIsUpIsShownWithItAtOnce)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = NoticeWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PelioNoticeTest";
    RegisterClassA(&windowClass);
    MainWindow = CreateWindowExA(0, "PelioNoticeTest", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(MainWindow, nullptr);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, WatchNoticeBox);

    AddAlarmNotice(7, 30, "07:30 first");
    const DWORD start = GetTickCount();
    MSG message;
    while (BoxesSeen.size() < 2 || FindWindowA("#32770", MessageCaption)) {
        ASSERT_LT(GetTickCount() - start, 10000u) << "the boxes seen: " << BoxesSeen.size();
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    KillTimer(nullptr, timer);
    EXPECT_EQ(BoxesSeen, (std::vector<std::string>{"07:30 first", "07:30 first\r\n\r\n07:31 second"}));

    // Answered: a later notice comes alone.
    BoxesSeen.clear();
    AddAlarmNotice(8, 0, "08:00 alone");
    const UINT_PTR answer = SetTimer(nullptr, 0, 50, WatchNoticeBox);
    BoxesSeen.push_back("");  // the next box is answered at once
    while (BoxesSeen.size() < 2 || FindWindowA("#32770", MessageCaption)) {
        ASSERT_LT(GetTickCount() - start, 20000u);
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    KillTimer(nullptr, answer);
    EXPECT_EQ(BoxesSeen.back(), "08:00 alone");
    DestroyWindow(MainWindow);
    MainWindow = nullptr;
}

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
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

// The visible window of that class and caption; boxes closed to make way stay hidden.
HWND VisibleWindow(const char* className, const char* caption)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, caption)))
        if (IsWindowVisible(window)) return window;
    return nullptr;
}

// Boxes of the clock's caption, hidden ones too: a box ended under a nested one lives on.
int BoxWindows()
{
    int count = 0;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", MessageCaption));)
        ++count;
    return count;
}

// The text of each notice box as it came up, and the owner of each. Over the first box
// the user opens a dialog, under which the next alarm's notice comes (and a second one
// for the first box's minute); any later box is answered with OK, then the dialog.
// While the first box waits ended under the dialog, a third alarm's box comes over it.
std::vector<std::string> BoxesSeen;
std::vector<HWND> Owners;
constexpr char OpenedCaption[] = "Opened over the notice";
HWND OpenedDialog;

void CALLBACK WatchNoticeBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (!OpenedDialog && (OpenedDialog = VisibleWindow("#32770", OpenedCaption))) {
        AddAlarmNotice(7, 31, "07:31 second");
        AddAlarmNotice(7, 30, "07:30 again");
        return;
    }
    HWND box = VisibleWindow("#32770", MessageCaption);
    if (HWND opened = VisibleWindow("#32770", OpenedCaption); !box && opened) {
        if (BoxesSeen.size() == 2) AddAlarmNotice(7, 32, "07:32 third");
        if (BoxesSeen.size() > 2) PostMessageA(GetDlgItem(opened, IDOK), BM_CLICK, 0, 0);
    }
    if (!box) return;
    char text[4096] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    if (!BoxesSeen.empty() && BoxesSeen.back() == text) return;
    BoxesSeen.push_back(text);
    Owners.push_back(GetWindow(box, GW_OWNER));
    if (BoxesSeen.size() == 1)
        MessageBoxA(nullptr, "settings", OpenedCaption, MB_OK);
    else
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

// Inside the box's loop: the next alarm fails each time a box is up, until 09:09 has
// come; the box that lists it is answered.
int NextMinute = 1;
int MostBoxes;
std::string LastBoxText;

void CALLBACK FeedNotices(HWND, UINT, UINT_PTR, DWORD)
{
    MostBoxes = std::max(MostBoxes, BoxWindows());
    char text[4096] = {};
    HWND box = VisibleWindow("#32770", MessageCaption);
    if (!box || !LastBoxText.empty() || !GetDlgItemTextA(box, 0xFFFF, text, sizeof text)) return;
    const std::string notice = "09:0" + std::to_string(NextMinute);
    if (NextMinute < 10) AddAlarmNotice(9, static_cast<uint8_t>(NextMinute++), notice.c_str());
    else if (std::string(text).find("09:09") != std::string::npos) LastBoxText = text;
    if (!LastBoxText.empty()) PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

}  // namespace

// The box's own loop goes on ticking, and the next alarm may fail while the box of an
// earlier one is up, even under a dialog opened over that box: a box that holds both
// comes at once, in front of that dialog, and OK then answers both.
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
    while (BoxesSeen.size() < 2 || FindWindowA("#32770", MessageCaption) ||
           FindWindowA("#32770", OpenedCaption)) {
        ASSERT_LT(GetTickCount() - start, 10000u) << "the boxes seen: " << BoxesSeen.size();
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    KillTimer(nullptr, timer);
    EXPECT_EQ(BoxesSeen, (std::vector<std::string>{
                             "アラームのお知らせ 1 件\r\n\r\n07:30 first",
                             "アラームのお知らせ 2 件\r\n\r\n07:30 first\r\n\r\n07:31 second",
                             "アラームのお知らせ 1 件\r\n\r\n07:32 third"}));
    EXPECT_EQ(Owners, (std::vector<HWND>{nullptr, OpenedDialog, OpenedDialog}))
        << "the later boxes must stay in front of the dialog";

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
    EXPECT_EQ(BoxesSeen.back(), "アラームのお知らせ 1 件\r\n\r\n08:00 alone");

    // Ten alarms fail one after another with nobody there: each replaces the box at its
    // own level, never nesting, and the last box counts ten and lists the last eight.
    AddAlarmNotice(9, 0, "09:00");
    const UINT_PTR feed = SetTimer(nullptr, 0, 50, FeedNotices);
    while (LastBoxText.empty() || BoxWindows() > 0) {
        ASSERT_LT(GetTickCount() - start, 30000u);
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    KillTimer(nullptr, feed);
    EXPECT_EQ(MostBoxes, 1);
    EXPECT_EQ(LastBoxText.rfind("アラームのお知らせ 10 件（最後の 8 件）\r\n\r\n09:02\r\n\r\n09:03", 0), 0u)
        << LastBoxText;
    DestroyWindow(MainWindow);
    MainWindow = nullptr;
}

// Notices of alarms that could not sound as they should. One message box at a time
// shows every notice not yet acknowledged. A notice that comes while the box is up (the
// box's own loop goes on ticking, and the next alarm may fail too) closes the box, and
// the box comes back at once holding both: no alarm waits unseen behind an earlier one.
#include "alarms/alarms.h"
#include "shell/shell.h"

#include <cstring>

static constexpr int MaxNotices = 8;
static constexpr int NoticeSize = 640;
static constexpr char NoticeSeparator[] = "\r\n\r\n";

struct AlarmNotice {
    uint8_t hour;
    uint8_t minute;
    char text[NoticeSize];
};

// Window thread only. NoticesAdded counts every notice ever added; ShownAdded is its
// value when the box now up was shown, so the box can tell whether anything came since.
static AlarmNotice Notices[MaxNotices];
static int NoticeCount;
static uint32_t NoticesAdded;
static uint32_t ShownAdded;
static bool NoticeShowing;
static char ShownText[MaxNotices * (NoticeSize + sizeof NoticeSeparator)];

void AddAlarmNotice(uint8_t hour, uint8_t minute, const char* text)
{
    // Two alarms of one minute that both fail are one alarm to the user.
    for (int i = 0; i < NoticeCount; ++i)
        if (Notices[i].hour == hour && Notices[i].minute == minute) return;
    // A day of failed alarms with nobody there: the oldest make room.
    if (NoticeCount == MaxNotices) {
        std::memmove(&Notices[0], &Notices[1], sizeof Notices[0] * (MaxNotices - 1));
        --NoticeCount;
    }
    AlarmNotice& notice = Notices[NoticeCount++];
    notice.hour = hour;
    notice.minute = minute;
    lstrcpynA(notice.text, text, NoticeSize);
    ++NoticesAdded;
    PostMessageA(MainWindow, AlarmNoticeMessage, 0, 0);
}

static void JoinNotices()
{
    ShownText[0] = '\0';
    for (int i = 0; i < NoticeCount; ++i) {
        if (i > 0) std::strcat(ShownText, NoticeSeparator);
        std::strcat(ShownText, Notices[i].text);
    }
}

// The box showing ShownText: a dialog of this thread with the clock's caption and that
// text in its static control.
static BOOL CALLBACK CloseNoticeBox(HWND window, LPARAM)
{
    constexpr int MessageTextId = 0xFFFF;
    char caption[sizeof MessageCaption + 1];
    char text[sizeof ShownText];
    if (!IsWindowVisible(window) || !GetWindowTextA(window, caption, sizeof caption) ||
        std::strcmp(caption, MessageCaption) != 0 ||
        !GetDlgItemTextA(window, MessageTextId, text, sizeof text) ||
        std::strcmp(text, ShownText) != 0)
        return TRUE;
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void ShowAlarmNotices()
{
    if (NoticeShowing) {
        if (NoticesAdded != ShownAdded) EnumThreadWindows(GetCurrentThreadId(), CloseNoticeBox, 0);
        return;
    }
    NoticeShowing = true;
    while (NoticeCount > 0) {
        JoinNotices();
        ShownAdded = NoticesAdded;
        // Brought to the front: when nothing could sound, this box is the alarm.
        MessageBoxA(nullptr, ShownText, MessageCaption, MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
        // Closed by the user with nothing new: every notice shown is acknowledged.
        if (NoticesAdded == ShownAdded) NoticeCount = 0;
    }
    NoticeShowing = false;
}

// Notices of alarms that could not sound as they should. One message box shows every
// notice not yet acknowledged. A notice that comes while the box is up (the box's own
// loop goes on ticking, and the next alarm may fail too) closes that box and shows one
// holding both at once, from wherever the clock's thread is then: no alarm waits unseen
// behind an earlier one, nor behind a dialog opened over its box.
#include "alarms/alarms.h"
#include "shell/shell.h"

#include <cstring>

static constexpr int MaxNotices = 8;
static constexpr int NoticeSize = 640;
static constexpr char NoticeSeparator[] = "\r\n\r\n";

struct AlarmNotice {
    uint8_t hour;
    uint8_t minute;
    uint32_t serial;  // NoticesAdded when it came
    char text[NoticeSize];
};

// Window thread only. NoticesAdded counts every notice ever added; ShownUpTo is its value
// when the box now up was shown, and ShownBox that box's number (0 while none is up).
static AlarmNotice Notices[MaxNotices];
static int NoticeCount;
static uint32_t NoticesAdded;
static uint32_t ShownUpTo;
static uint32_t ShownBox;
static uint32_t BoxesShown;
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
    notice.serial = ++NoticesAdded;
    lstrcpynA(notice.text, text, NoticeSize);
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

// The notices a box showed have been read once the user closes it.
static void AcknowledgeUpTo(uint32_t serial)
{
    int kept = 0;
    for (int i = 0; i < NoticeCount; ++i)
        if (Notices[i].serial > serial) Notices[kept++] = Notices[i];
    NoticeCount = kept;
}

static bool IsClockCaption(HWND window)
{
    char caption[sizeof MessageCaption + 1];
    return GetWindowTextA(window, caption, sizeof caption) &&
           std::strcmp(caption, MessageCaption) == 0;
}

// The box showing ShownText: a dialog of this thread with the clock's caption and that
// text in its static control.
static BOOL CALLBACK CloseNoticeBox(HWND window, LPARAM)
{
    constexpr int MessageTextId = 0xFFFF;
    char text[sizeof ShownText];
    if (!IsWindowVisible(window) || !IsClockCaption(window) ||
        !GetDlgItemTextA(window, MessageTextId, text, sizeof text) ||
        std::strcmp(text, ShownText) != 0)
        return TRUE;
    EndDialog(window, IDOK);
    return FALSE;
}

// The dialog or message box of this thread the user now faces: the only one enabled,
// since each modal window disables its owner. The notice is owned by it, so it stays
// above it until answered. None when the clock itself is all there is.
static BOOL CALLBACK FindFrontDialog(HWND window, LPARAM found)
{
    char className[8];
    if (window == MainWindow || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
        !GetClassNameA(window, className, sizeof className) ||
        std::strcmp(className, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void ShowAlarmNotices()
{
    if (NoticeCount == 0 || (ShownBox && ShownUpTo == NoticesAdded)) return;
    if (ShownBox) EnumThreadWindows(GetCurrentThreadId(), CloseNoticeBox, 0);
    HWND owner = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindFrontDialog, reinterpret_cast<LPARAM>(&owner));
    JoinNotices();
    const uint32_t box = ++BoxesShown;
    const uint32_t shownUpTo = NoticesAdded;
    ShownBox = box;
    ShownUpTo = shownUpTo;
    // Brought to the front: when nothing could sound, this box is the alarm.
    MessageBoxA(owner, ShownText, MessageCaption, MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
    // A box closed to make way for a later one leaves its notices to that one.
    if (ShownBox != box) return;
    ShownBox = 0;
    AcknowledgeUpTo(shownUpTo);
}

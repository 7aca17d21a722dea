// Notices of alarms that could not sound as they should. One message box at a time shows
// every notice not yet acknowledged: how many there are, and the last of them. A notice
// that comes while the box is up (the box's own loop goes on ticking, and the next alarm
// may fail too) replaces the box by a fuller one at the same loop level: the box is ended,
// and the loop that showed it shows the next. Nobody may answer for days, so boxes never
// nest in each other's loops, except once: a dialog the user opened over the box holds its
// loop, so the fuller box comes over that dialog, and the covered one is ended to wait.
#include "alarms/alarms.h"
#include "shell/shell.h"

#include <cstdio>
#include <cstring>

static constexpr int MaxListed = 8;
static constexpr int NoticeSize = 640;
static constexpr char NoticeSeparator[] = "\r\n\r\n";
static constexpr int MaxBoxDepth = 2;

struct AlarmNotice {
    uint8_t hour;
    uint8_t minute;
    uint32_t serial;  // NoticesAdded when it came
    DWORD addedAt;    // GetTickCount when it came
    char text[NoticeSize];
};

// A box up, at its loop level: the notices it shows, and whether it was ended to make way.
struct NoticeBox {
    uint32_t shownUpTo;
    bool replaced;
    char text[80 + MaxListed * (NoticeSize + sizeof NoticeSeparator)];
};

// Window thread only. NoticesAdded counts every notice ever added, Acknowledged those the
// user has answered; the last MaxListed of the others are kept to be listed.
static AlarmNotice Notices[MaxListed];
static int NoticeCount;
static uint32_t NoticesAdded;
static uint32_t Acknowledged;
static NoticeBox Boxes[MaxBoxDepth];
static int BoxDepth;

void AddAlarmNotice(uint8_t hour, uint8_t minute, const char* text)
{
    // Two alarms of one minute that both fail are one alarm to the user; the same minute
    // a day later, with nobody there to answer, is another alarm.
    constexpr DWORD MinuteMs = 60 * 1000;
    const DWORD now = GetTickCount();
    for (int i = 0; i < NoticeCount; ++i)
        if (Notices[i].hour == hour && Notices[i].minute == minute &&
            now - Notices[i].addedAt < MinuteMs)
            return;
    // Days of failed alarms with nobody there: the oldest are counted, no longer listed.
    if (NoticeCount == MaxListed) {
        std::memmove(&Notices[0], &Notices[1], sizeof Notices[0] * (MaxListed - 1));
        --NoticeCount;
    }
    AlarmNotice& notice = Notices[NoticeCount++];
    notice.hour = hour;
    notice.minute = minute;
    notice.serial = ++NoticesAdded;
    notice.addedAt = now;
    lstrcpynA(notice.text, text, NoticeSize);
    PostMessageA(MainWindow, AlarmNoticeMessage, 0, 0);
}

static void ComposeBoxText(char* text, size_t size)
{
    const uint32_t held = NoticesAdded - Acknowledged;
    int length = held > static_cast<uint32_t>(NoticeCount)
                     ? std::snprintf(text, size, "アラームのお知らせ %lu 件（最後の %d 件）",
                                     static_cast<unsigned long>(held), NoticeCount)
                     : std::snprintf(text, size, "アラームのお知らせ %lu 件",
                                     static_cast<unsigned long>(held));
    for (int i = 0; i < NoticeCount && length >= 0 && static_cast<size_t>(length) < size; ++i)
        length += std::snprintf(text + length, size - static_cast<size_t>(length), "%s%s",
                                NoticeSeparator, Notices[i].text);
}

// The notices a box showed have been read once the user answers it.
static void AcknowledgeUpTo(uint32_t serial)
{
    int kept = 0;
    for (int i = 0; i < NoticeCount; ++i)
        if (Notices[i].serial > serial) Notices[kept++] = Notices[i];
    NoticeCount = kept;
    Acknowledged = serial;
}

struct BoxSearch {
    const char* text;
    HWND found;
};

// The box showing that text: a visible dialog of this thread with the clock's caption and
// the text in its static control.
static BOOL CALLBACK FindNoticeBox(HWND window, LPARAM search)
{
    constexpr int MessageTextId = 0xFFFF;
    auto* wanted = reinterpret_cast<BoxSearch*>(search);
    char caption[sizeof MessageCaption + 1];
    char text[sizeof Boxes[0].text];
    if (!IsWindowVisible(window) || !GetWindowTextA(window, caption, sizeof caption) ||
        std::strcmp(caption, MessageCaption) != 0 ||
        !GetDlgItemTextA(window, MessageTextId, text, sizeof text) ||
        std::strcmp(text, wanted->text) != 0)
        return TRUE;
    wanted->found = window;
    return FALSE;
}

struct FrontSearch {
    HWND except;
    HWND found;
};

// The dialog or message box of this thread the user now faces, apart from a notice box:
// the only one enabled, since each modal window disables its owner. None when the clock
// itself is all there is.
static BOOL CALLBACK FindFrontDialog(HWND window, LPARAM search)
{
    auto* front = reinterpret_cast<FrontSearch*>(search);
    char className[8];
    if (window == MainWindow || window == front->except || !IsWindowVisible(window) ||
        !IsWindowEnabled(window) || !GetClassNameA(window, className, sizeof className) ||
        std::strcmp(className, "#32770") != 0)
        return TRUE;
    front->found = window;
    return FALSE;
}

static HWND FrontDialog(HWND except)
{
    FrontSearch search = {except, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindFrontDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Shows boxes at this loop level until every notice has been answered.
static void RunNoticeBoxes()
{
    NoticeBox& box = Boxes[BoxDepth++];
    while (NoticesAdded != Acknowledged) {
        // Owned by the dialog in front, so it stays above it until answered.
        const HWND owner = FrontDialog(nullptr);
        ComposeBoxText(box.text, sizeof box.text);
        box.shownUpTo = NoticesAdded;
        box.replaced = false;
        // Brought to the front: when nothing could sound, this box is the alarm.
        MessageBoxA(owner, box.text, MessageCaption, MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
        if (!box.replaced) AcknowledgeUpTo(box.shownUpTo);
    }
    --BoxDepth;
}

void ShowAlarmNotices()
{
    if (NoticesAdded == Acknowledged) return;
    // A box ended under a dialog waits there; a fuller one comes over the dialog.
    if (BoxDepth > 0 && !Boxes[BoxDepth - 1].replaced) {
        NoticeBox& top = Boxes[BoxDepth - 1];
        BoxSearch search = {top.text, nullptr};
        if (top.shownUpTo == NoticesAdded) return;
        EnumThreadWindows(GetCurrentThreadId(), FindNoticeBox, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return;
        const bool covered = FrontDialog(search.found) != nullptr;
        if (covered && BoxDepth == MaxBoxDepth) return;
        top.replaced = true;
        EndDialog(search.found, IDOK);
        if (!covered) return;
    }
    // A box over a dialog over a box is as deep as they go: the next waits for OK.
    if (BoxDepth < MaxBoxDepth) RunNoticeBoxes();
}

// The settings dialog: the alarm list with Register and Delete, the sound file chooser,
// and the three settings. The user edits a working copy of the alarm table; OK commits it,
// applies the settings and saves the file, Cancel drops it.
#include "alarms/alarms.h"
#include "alarms/list_line.h"
#include "resources/resource.h"
#include "shell/shell.h"
#include "sound/sound.h"

#include <commdlg.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

// The chooser gets the structure as Windows 95 and NT 4 define it, without the fields
// that later systems added at its end.
static constexpr DWORD ChooserStructSize =
    offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#ifndef _WIN64
static_assert(ChooserStructSize == 76, "the Windows 95 layout ends after lpTemplateName");
#endif

static constexpr char ChooserTitle[] = "サウンドファイルを開く";
static constexpr char DefaultExtension[] = "WAV";
static constexpr char InvalidFileText[] = "有効なファイルではありません";
static constexpr char RegisterCaption[] = "アラーム登録";
static constexpr char DuplicateText[] = "既に登録されています。";
static constexpr char ListFullText[] = "これ以上登録出来ません。";
static constexpr char MethodLockedText[] = "アラーム再生中は再生方法の変更できません";
static constexpr char SaveFailedText[] = "設定をPelioClock.iniに保存できませんでした。";
static constexpr int FilterSize = 128;
static constexpr int FileFieldSize = 256;
static constexpr int HourPeriod = 24;
static constexpr int MinutePeriod = 60;

// The controls' handles are valid only while the dialog is open.
static HWND AlarmList;
static HWND HourBox;
static HWND MinuteBox;
static HWND HourArrows;
static HWND MinuteArrows;
static HWND SoundFileField;

static AlarmEntry DialogAlarmTable[AlarmSlots];
static int32_t DialogHour;
static int32_t DialogMinute;
static int32_t OldUseDirectSound;
// OK shows messages of its own and DirectSound's, which has no owner and so leaves the
// dialog usable under it; its buttons wait until OK is over.
static bool OkRunning;
// Set while the file does not hold the settings in effect, because the last save failed:
// the dialog then opens on what is in memory instead of reading the file back.
static bool SettingsUnsaved;
// Kept for the whole run, so the next chooser starts where the last file was found.
static char BrowseFolder[MAX_PATH];
static char BrowseFile[MAX_PATH];
static char BrowseFileTitle[MAX_PATH];

bool OkMadeClockTopmost;

static int ListLineCount()
{
    const auto count = static_cast<int>(SendMessageA(AlarmList, LB_GETCOUNT, 0, 0));
    if (count < 0) return 0;
    return count < AlarmSlots ? count : AlarmSlots;
}

static void AddListLine(int hour, int minute, const char* path)
{
    char line[ListLineSize];
    FormatListLine(hour, minute, path, line);
    SendMessageA(AlarmList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
}

// Reads the list's lines, in list order, into lines. The length the list reports for
// the ANSI text may be larger than the text (Windows allows for double-byte characters),
// so each line is fetched into a buffer of the reported length and then copied.
static int ReadListLines(char (*lines)[ListLineSize])
{
    const int count = ListLineCount();
    std::string text;
    for (int k = 0; k < count; ++k) {
        lines[k][0] = '\0';
        const LRESULT length = SendMessageA(AlarmList, LB_GETTEXTLEN, static_cast<WPARAM>(k), 0);
        if (length < 0) continue;
        text.assign(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(AlarmList, LB_GETTEXT, static_cast<WPARAM>(k),
                     reinterpret_cast<LPARAM>(&text[0]));
        std::snprintf(lines[k], ListLineSize, "%s", text.c_str());
    }
    return count;
}

// The list sorts what it is given; the working table must stand in the same order, so
// that a line and its slot share one index. Each list line is matched to the slot of
// source it was made from, so a stored slot whose hour has three digits ("251 : 10")
// keeps its numbers instead of being read back by position.
static void OrderDialogTableAsList(const AlarmEntry* source, int count)
{
    char lines[AlarmSlots][ListLineSize];
    const char* linePointers[AlarmSlots];
    const int lineCount = ReadListLines(lines);
    for (int k = 0; k < lineCount; ++k) linePointers[k] = lines[k];
    OrderTableAsLines(linePointers, lineCount, source, count, DialogAlarmTable);
}

// After a registration the list holds the lines listed before and the new alarm's: the
// new alarm joins the working slots after the listed ones, and every line finds its slot.
static void OrderDialogTableWithNewAlarm(int listedBefore, const Registration& registration)
{
    AlarmEntry slots[AlarmSlots];
    std::memcpy(slots, DialogAlarmTable, sizeof slots);
    AlarmEntry& added = slots[listedBefore];
    added.hour = static_cast<uint8_t>(registration.hour);
    added.minute = static_cast<uint8_t>(registration.minute);
    std::snprintf(added.path, sizeof added.path, "%s", registration.path);
    OrderDialogTableAsList(slots, listedBefore + 1);
}

static void SetNumberText(HWND box, int value)
{
    char text[12];
    std::snprintf(text, sizeof text, "%02d", value);
    SetWindowTextA(box, text);
}

static void SetCheck(HWND dialog, int id, bool checked)
{
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

static bool IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

static void OnInitSettings(HWND dialog)
{
    DialogHour = 0;
    DialogMinute = 0;
    OldUseDirectSound = UseDirectSound;
    AlarmList = GetDlgItem(dialog, IDC_ALARM_LIST);
    HourBox = GetDlgItem(dialog, IDC_HOUR_BOX);
    MinuteBox = GetDlgItem(dialog, IDC_MINUTE_BOX);
    HourArrows = GetDlgItem(dialog, IDC_HOUR_ARROWS);
    MinuteArrows = GetDlgItem(dialog, IDC_MINUTE_ARROWS);
    SoundFileField = GetDlgItem(dialog, IDC_SOUND_FILE);
    SetScrollRange(HourArrows, SB_CTL, 0, HourPeriod, FALSE);
    SetScrollRange(MinuteArrows, SB_CTL, 0, MinutePeriod, FALSE);
    SetWindowTextA(HourBox, "00");
    SetWindowTextA(MinuteBox, "00");
    SetClockIcon(dialog);
    SetWindowPos(dialog, HWND_TOPMOST, GetSystemMetrics(SM_CXSCREEN) / 2 - 200,
                 GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, SWP_NOSIZE);

    // The file may hold fewer alarms than were counted before.
    if (!SettingsUnsaved) {
        LoadSettings();
        CountAlarms();
    }
    std::memcpy(DialogAlarmTable, AlarmTable, sizeof DialogAlarmTable);
    const int active = AlarmCount < AlarmSlots ? AlarmCount : AlarmSlots;
    for (int slot = 0; slot < active; ++slot)
        AddListLine(AlarmTable[slot].hour, AlarmTable[slot].minute, AlarmTable[slot].path);
    OrderDialogTableAsList(AlarmTable, active);

    SetCheck(dialog, IDC_USE_DIRECTSOUND, UseDirectSound != 0);
    SetCheck(dialog, IDC_ALARM_ON, Alarm != 0);
    if (OnTop) SetCheck(dialog, IDC_ON_TOP, true);
}

static ArrowClick ArrowClickOf(WPARAM scrollCode)
{
    switch (scrollCode) {
    case SB_LINEUP: return ArrowClick::Up;
    case SB_LINEDOWN: return ArrowClick::Down;
    default: return ArrowClick::Other;
    }
}

// Every click on either pair of arrows rewrites its box, whatever was typed there.
static void OnArrows(HWND arrows, WPARAM scrollCode)
{
    const ArrowClick click = ArrowClickOf(scrollCode);
    if (arrows == HourArrows) {
        DialogHour = StepArrowValue(DialogHour, click, HourPeriod);
        if (click != ArrowClick::Other) SetScrollPos(HourArrows, SB_CTL, DialogHour, FALSE);
        SetNumberText(HourBox, DialogHour);
    } else if (arrows == MinuteArrows) {
        DialogMinute = StepArrowValue(DialogMinute, click, MinutePeriod);
        if (click != ArrowClick::Other) SetScrollPos(MinuteArrows, SB_CTL, DialogMinute, FALSE);
        SetNumberText(MinuteBox, DialogMinute);
    }
}

// A change of playback method would pull the running player from under its sound.
static bool ApplyPlaybackMethod(HWND dialog)
{
    const bool useDirectSound = IsChecked(dialog, IDC_USE_DIRECTSOUND);
    if (useDirectSound != (OldUseDirectSound != 0) && SoundPlaying.load()) {
        MessageBoxA(dialog, MethodLockedText, MessageCaption, MB_OK);
        return false;
    }
    // The chime of an alarm may play through DirectSound whatever the setting; its end
    // would never come. The object then stays until the next OK or the clock's close.
    if (useDirectSound)
        InitDSound();
    else if (!SoundPlaying)
        ReleaseDSound();
    UseDirectSound = useDirectSound ? 1 : 0;
    return true;
}

// After the last check that can refuse the OK: a refused OK followed by Cancel leaves
// the alarms as they were.
static void CommitDialogTable()
{
    const int count = ListLineCount();
    AlarmCount = count;
    for (AlarmEntry& entry : AlarmTable) MakeFreeSlot(&entry);
    std::memcpy(AlarmTable, DialogAlarmTable, sizeof(AlarmEntry) * static_cast<size_t>(count));
}

static void OnOk(HWND dialog)
{
    if (!ApplyPlaybackMethod(dialog)) return;
    CommitDialogTable();

    Alarm = IsChecked(dialog, IDC_ALARM_ON) ? 1 : 0;
    OnTop = IsChecked(dialog, IDC_ON_TOP) ? 1 : 0;
    SetWindowPos(MainWindow, OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    OkMadeClockTopmost = OnTop != 0;
    SettingsUnsaved = !SaveSettings();
    if (SettingsUnsaved) MessageBoxA(dialog, SaveFailedText, MessageCaption, MB_OK);
    EndDialog(dialog, 0);
}

static void RunOk(HWND dialog)
{
    OkRunning = true;
    OnOk(dialog);
    OkRunning = false;
}

// The filter is one name and its pattern, each ending in a zero, and a final zero.
static void LoadChooserFilter(char (&filter)[FilterSize])
{
    std::memset(filter, 0, sizeof filter);
    const int nameLength = LoadStringA(AppInstance, IDS_WAVE_FILTER_NAME, filter, FilterSize - 1);
    // The last byte is never written, so the list stays closed however long the texts.
    const int patternAt = nameLength + 1;
    if (patternAt < FilterSize - 1)
        LoadStringA(AppInstance, IDS_WAVE_FILTER_PATTERN, filter + patternAt,
                    FilterSize - 1 - patternAt);
}

// The settings file and the chime are found through the current folder, which the chooser
// moves: Windows to the chosen file's folder, Wine to the folder it opens in. It is put
// back whether a file was chosen or not.
static bool RunChooserInWorkingFolder(OPENFILENAMEA* chooser)
{
    char workingFolder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, workingFolder);
    const bool chosen = GetOpenFileNameA(chooser) != FALSE;
    if (length > 0 && length < MAX_PATH) SetCurrentDirectoryA(workingFolder);
    return chosen;
}

static void OnBrowse(HWND dialog)
{
    char filter[FilterSize];
    LoadChooserFilter(filter);
    BrowseFile[0] = '\0';
    OPENFILENAMEA chooser;
    std::memset(&chooser, 0, sizeof chooser);
    chooser.lStructSize = ChooserStructSize;
    chooser.hwndOwner = dialog;
    chooser.hInstance = AppInstance;
    chooser.lpstrFilter = filter;
    chooser.nFilterIndex = 1;
    chooser.lpstrFile = BrowseFile;
    chooser.nMaxFile = MAX_PATH;
    chooser.lpstrFileTitle = BrowseFileTitle;
    chooser.nMaxFileTitle = MAX_PATH;
    chooser.lpstrInitialDir = BrowseFolder;
    chooser.lpstrTitle = ChooserTitle;
    chooser.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    chooser.lpstrDefExt = DefaultExtension;
    if (!RunChooserInWorkingFolder(&chooser)) return;

    const size_t folderLength = chooser.nFileOffset < MAX_PATH ? chooser.nFileOffset : 0;
    std::memcpy(BrowseFolder, BrowseFile, folderLength);
    BrowseFolder[folderLength] = '\0';
    SetWindowTextA(SoundFileField, BrowseFile);
    SendMessageA(SoundFileField, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(BrowseFile));
}

// A bare name registers when an alarm could play it.
static bool SoundFileExists(const char* name)
{
    char path[MAX_PATH];
    ResolveFilePath(name, path);
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static void OnRegister(HWND dialog)
{
    char path[FileFieldSize];
    GetWindowTextA(SoundFileField, path, FileFieldSize);
    // Only the boxes' first two characters count.
    char hourText[3];
    char minuteText[3];
    GetWindowTextA(HourBox, hourText, sizeof hourText);
    GetWindowTextA(MinuteBox, minuteText, sizeof minuteText);
    const Registration registration = NormaliseRegistration(path, hourText, minuteText);
    const int count = ListLineCount();
    const RegisterOutcome outcome =
        CheckRegistration(registration, SoundFileExists, DialogAlarmTable, count);
    if (PassedFileChecks(outcome)) {
        DialogHour = registration.hour;
        DialogMinute = registration.minute;
    }
    switch (outcome) {
    case RegisterOutcome::Ignored:
        return;
    case RegisterOutcome::InvalidFile:
        MessageBoxA(dialog, InvalidFileText, ChooserTitle, MB_OK);
        return;
    case RegisterOutcome::Duplicate:
        MessageBoxA(dialog, DuplicateText, RegisterCaption, MB_OK);
        return;
    case RegisterOutcome::ListFull:
        MessageBoxA(dialog, ListFullText, RegisterCaption, MB_OK);
        return;
    case RegisterOutcome::Accepted:
        break;
    }
    AddListLine(registration.hour, registration.minute, registration.path);
    OrderDialogTableWithNewAlarm(count, registration);
}

static void OnDelete()
{
    const auto selected = static_cast<int>(SendMessageA(AlarmList, LB_GETCURSEL, 0, 0));
    if (selected == LB_ERR) return;
    SendMessageA(AlarmList, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    RemoveDialogSlot(DialogAlarmTable, selected, ListLineCount());
}

// Enter reaches the dialog as OK. Typed in the hour, minute or file field it registers,
// which is what a person typing a time means; a click on OK has given OK the focus.
static bool IsRegistrationField(HWND window)
{
    return window && (window == HourBox || window == MinuteBox || window == SoundFileField ||
                      GetParent(window) == SoundFileField);
}

static void OnSettingsCommand(HWND dialog, WORD id)
{
    if (OkRunning) return;
    if (id == IDOK && IsRegistrationField(GetFocus())) id = IDC_REGISTER;
    switch (id) {
    case IDOK: RunOk(dialog); break;
    case IDCANCEL: EndDialog(dialog, 0); break;
    case IDC_BROWSE: OnBrowse(dialog); break;
    case IDC_REGISTER: OnRegister(dialog); break;
    case IDC_DELETE: OnDelete(); break;
    default: break;
    }
}

// FALSE for every message: the dialog manager does its default handling everywhere, and
// after WM_INITDIALOG it sets no first focus of its own.
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnInitSettings(dialog); return FALSE;
    case WM_VSCROLL: OnArrows(reinterpret_cast<HWND>(lParam), wParam); return FALSE;
    case WM_COMMAND: OnSettingsCommand(dialog, LOWORD(wParam)); return FALSE;
    default: return FALSE;
    }
}

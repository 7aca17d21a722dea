#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "alarms/alarms.h"
#include "resources/resource.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "sound/wave_reader.h"

namespace {

struct ControlRow {
    const char* kind; // window class
    int id;
    const char* text;
    RECT units; // x, y, width, height in dialog units
};

// Walks the dialog's children in template order and compares each with its row: the
// texts are read back through the ANSI calls, so a script compiled in the wrong code page
// shows here as mangled Shift-JIS.
void ExpectControls(HWND dialog, const std::vector<ControlRow>& rows)
{
    HWND child = GetWindow(dialog, GW_CHILD);
    for (size_t k = 0; k < rows.size(); ++k, child = GetWindow(child, GW_HWNDNEXT)) {
        const ControlRow& row = rows[k];
        ASSERT_NE(child, nullptr) << "control " << k << " missing";
        char kind[64], text[128];
        GetClassNameA(child, kind, sizeof kind);
        GetWindowTextA(child, text, sizeof text);
        EXPECT_STREQ(kind, row.kind) << "control " << k;
        EXPECT_EQ(static_cast<short>(GetDlgCtrlID(child)), row.id) << "control " << k;
        if (row.text) EXPECT_STREQ(text, row.text) << "control " << k;
        // Each of x, y, width and height is scaled on its own, as the dialog manager does.
        RECT scaled = row.units;
        MapDialogRect(dialog, &scaled);
        RECT actual;
        GetWindowRect(child, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, scaled.left) << "control " << k;
        EXPECT_EQ(actual.top, scaled.top) << "control " << k;
        // An icon takes its picture's size; a drop-down combo box is as tall as its field
        // (the template height is its list's).
        const bool icon = std::string(kind) == "Static" &&
                          (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (icon) continue;
        EXPECT_EQ(actual.right - actual.left, scaled.right) << "control " << k;
        if (std::string(kind) != "ComboBox")
            EXPECT_EQ(actual.bottom - actual.top, scaled.bottom) << "control " << k;
    }
    EXPECT_EQ(child, nullptr) << "more controls than expected";
}

INT_PTR CALLBACK IgnoreEverything(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(DialogTemplates, AboutBoxShowsNameVersionAndRequirements)
{
    HWND about = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT),
                                    nullptr, IgnoreEverything, 0);
    ASSERT_NE(about, nullptr);
    char caption[64];
    GetWindowTextA(about, caption, sizeof caption);
    EXPECT_STREQ(caption, "ﾊﾞｰｼﾞｮﾝ情報");
    ExpectControls(about, {
        {"Button", IDOK, "OK", {130, 7, 50, 14}},
        {"Static", -1, "ＰｅｌｉｏＣｌｏｃｋ  Ｖｅｒ1.0", {36, 7, 72, 11}},
        {"Static", -1, "for Windows95.98.NT", {52, 17, 69, 9}},
        {"Static", -1, "要DirectX", {84, 27, 32, 9}},
        {"Static", -1, nullptr, {7, 7, 20, 20}},
        {"Static", -1, "32767色以上推奨", {117, 27, 56, 9}},
        {"Static", -1, nullptr, {7, 41, 20, 20}},
        {"Static", -1, nullptr, {90, 43, 90, 11}},
    });
    // Both pictures are found: the girl's face above, our second picture below it.
    int icons = 0;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        ++icons;
        EXPECT_NE(SendMessageA(child, STM_GETICON, 0, 0), 0) << "icon " << icons;
    }
    EXPECT_EQ(icons, 2);
    DestroyWindow(about);
}

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR first)
{
    *reinterpret_cast<LPSTR*>(first) = name;
    return FALSE;
}

// The shell shows the program file with its first icon: the girl's face.
TEST(DialogTemplates, FaceIsTheFirstIcon)
{
    LPSTR first = nullptr;
    EnumResourceNamesA(GetModuleHandleA(nullptr), RT_GROUP_ICON,
                       TakeFirstName, reinterpret_cast<LONG_PTR>(&first));
    ASSERT_TRUE(IS_INTRESOURCE(first));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(first), static_cast<uintptr_t>(IDI_PELIO));
}

TEST(DialogTemplates, SettingsDialogHoldsEveryControlInTabOrder)
{
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETTINGS),
                                     nullptr, IgnoreEverything, 0);
    ASSERT_NE(dialog, nullptr);
    char caption[64];
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "ペリオクロック設定");
    EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU, 0) << "no close box";
    ExpectControls(dialog, {
        {"Button", IDOK, "OK", {206, 15, 50, 14}},
        {"Button", IDCANCEL, "ｷｬﾝｾﾙ", {206, 39, 50, 14}},
        {"ComboBox", IDC_SOUND_FILE, "", {110, 178, 138, 38}},
        {"Button", IDC_BROWSE, "参照", {198, 194, 50, 14}},
        {"ListBox", IDC_ALARM_LIST, "", {11, 33, 183, 107}},
        {"Edit", IDC_HOUR_BOX, "", {14, 178, 12, 12}},
        {"Button", -1, "登録", {7, 166, 249, 50}},
        {"Button", IDC_REGISTER, "登録", {111, 194, 33, 14}},
        {"Button", IDC_DELETE, "削除", {160, 142, 33, 14}},
        {"ScrollBar", IDC_MINUTE_ARROWS, "", {39, 193, 11, 17}},
        {"ScrollBar", IDC_HOUR_ARROWS, "", {14, 193, 11, 17}},
        {"Edit", IDC_MINUTE_BOX, "", {39, 178, 12, 12}},
        {"Static", -1, "時", {28, 179, 10, 10}},
        {"Static", -1, "再生ファイル", {70, 180, 40, 10}},
        {"Static", -1, "分", {53, 179, 10, 10}},
        {"Button", -1, "アラームの時間・再生ファイル", {7, 10, 194, 149}},
        {"Button", IDC_USE_DIRECTSOUND, "DirectSound           を使う", {203, 139, 49, 12}},
        {"Button", IDC_ALARM_ON, "アラームあり", {203, 102, 50, 8}},
        {"Static", -1, "時間         サウンドファイル", {13, 21, 172, 10}},
        {"Static", -1, "再生方法", {202, 127, 43, 10}},
        {"Button", IDC_ON_TOP, "常に手前", {203, 79, 50, 8}},
    });
    DestroyWindow(dialog);
}

// Room a control leaves its text: a check box's square and the gap after it, a push
// button's edges, a group box's corners, an edit box's formatting rectangle.
int TextRoom(HWND control, const RECT& client)
{
    int room = client.right - client.left;
    char kind[32];
    GetClassNameA(control, kind, sizeof kind);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (lstrcmpiA(kind, "Edit") == 0) {
        // The formatting rectangle: inside the margins and, under Wine, a pixel more on
        // each side of a box with a border.
        RECT format;
        SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return format.right - format.left;
    }
    if (lstrcmpiA(kind, "Button") != 0) return room;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX: return room - GetSystemMetrics(SM_CXMENUCHECK) - 4;
    case BS_GROUPBOX: return room - 2 * 8;
    default: return room - 2 * GetSystemMetrics(SM_CXEDGE) - 2;
    }
}

// Every text of a dialog, in the dialog's own font, fits the room its control leaves it:
// on one line, or on as many lines as the control is tall where it breaks lines (statics
// and check boxes two lines high). The hour and minute boxes are measured with
// the widest pair of digits.
void ExpectTextsFit(HWND dialog)
{
    const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    HDC dc = GetDC(dialog);
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char kind[32], text[128];
        GetClassNameA(child, kind, sizeof kind);
        GetWindowTextA(child, text, sizeof text);
        if (lstrcmpiA(kind, "Edit") == 0) {
            // The hour and minute boxes hold two digits: the widest pair.
            LONG widest = -1;
            for (char digit = '0'; digit <= '9'; ++digit) {
                const char pair[] = {digit, digit, '\0'};
                SIZE size;
                GetTextExtentPoint32A(dc, pair, 2, &size);
                if (size.cx > widest) {
                    widest = size.cx;
                    lstrcpyA(text, pair);
                }
            }
        }
        // The DirectSound check box's blanks push "を使う" onto a second line that the box,
        // one line high and without BS_MULTILINE, does not have: its first word must show.
        if (GetDlgCtrlID(child) == IDC_USE_DIRECTSOUND) {
            if (char* blank = std::strchr(text, ' ')) *blank = '\0';
        }
        if (text[0] == '\0') continue;
        RECT client;
        GetClientRect(child, &client);
        const int room = TextRoom(child, client);
        const bool breaks = lstrcmpiA(kind, "Static") == 0 ||
                            (lstrcmpiA(kind, "Button") == 0 &&
                             client.bottom - client.top >= 2 * metrics.tmHeight - 2);
        RECT needed = {0, 0, room, 0};
        DrawTextA(dc, text, -1, &needed,
                  DT_CALCRECT | DT_NOPREFIX | (breaks ? DT_WORDBREAK : DT_SINGLELINE));
        const int lines = (client.bottom - client.top + 2) / metrics.tmHeight;
        EXPECT_LE(needed.right - needed.left, room) << kind << " \"" << text << "\"";
        EXPECT_LE(needed.bottom - needed.top, (lines > 0 ? lines : 1) * metrics.tmHeight)
            << kind << " \"" << text << "\" breaks onto more lines than its control shows";
    }
    SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
}

// The prefix maps the dialogs' font to one whose digits and kana are narrow enough.
TEST(DialogTemplates, EveryTextFitsItsControl)
{
    for (int id : {IDD_ABOUT, IDD_SETTINGS}) {
        SCOPED_TRACE(id);
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
                                         IgnoreEverything, 0);
        ASSERT_NE(dialog, nullptr);
        ExpectTextsFit(dialog);
        DestroyWindow(dialog);
    }
}

TEST(DialogTemplates, ChooserFilterStrings)
{
    char text[64];
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), IDS_WAVE_FILTER_NAME, text, sizeof text), 24);
    EXPECT_STREQ(text, "WAVE Audio Files (*.WAV)");
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), IDS_WAVE_FILTER_PATTERN, text, sizeof text), 5);
    EXPECT_STREQ(text, "*.WAV");
}

// The manifest is read at start: a malformed one would stop the program from starting at
// all, and without DPI awareness the system would scale the clock's window.
TEST(DialogTemplates, ManifestMakesTheProgramDpiAware)
{
    HRSRC manifest = FindResourceA(nullptr, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(nullptr, manifest)));
    const std::string xml(text, SizeofResource(nullptr, manifest));
    EXPECT_NE(xml.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(xml.find("asInvoker"), std::string::npos);
    EXPECT_TRUE(IsProcessDPIAware());
}

// The dialog run in this process on a settings file of the test's own, in a scratch folder
// that is the current directory.
class SettingsDialogRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        std::snprintf(folder_, sizeof folder_, "%spelio-dialog-%lu", temp, GetCurrentProcessId());
        CreateDirectoryA(folder_, nullptr);
        ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, previous_), 0u);
        ASSERT_TRUE(SetCurrentDirectoryA(folder_));
        AppInstance = GetModuleHandleA(nullptr);
        OnTop = Alarm = UseDirectSound = 0;
    }

    void TearDown() override
    {
        if (dialog_) DestroyWindow(dialog_);
        DeleteFileA("PelioClock.ini");
        SetCurrentDirectoryA(previous_);
        RemoveDirectoryA(folder_);
    }

    // Starts as the clock does: defaults, the file over them, the count.
    void StartWith(const char* ini)
    {
        FILE* file = std::fopen("PelioClock.ini", "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(ini, file);
        std::fclose(file);
        SetDefaultAlarms();
        LoadSettings();
        CountAlarms();
        dialog_ = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr,
                                     SettingsDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }

    std::vector<std::string> ListLines() const
    {
        std::vector<std::string> lines;
        HWND list = GetDlgItem(dialog_, IDC_ALARM_LIST);
        const auto count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int k = 0; k < count; ++k) {
            char line[300];
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(line));
            lines.emplace_back(line);
        }
        return lines;
    }

    void Command(int id) { SendMessageA(dialog_, WM_COMMAND, static_cast<WPARAM>(id), 0); }

    static std::string Value(const char* key)
    {
        char value[300];
        GetPrivateProfileStringA("PelioClock", key, "(none)", value, sizeof value, ".\\PelioClock.ini");
        return value;
    }

    void Reopen()
    {
        DestroyWindow(dialog_);
        dialog_ = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr,
                                     SettingsDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }

    HWND dialog_ = nullptr;
    char folder_[MAX_PATH] = {};
    char previous_[MAX_PATH] = {};
};

// A hand-edited file lists its alarms out of order; the list shows them sorted, and
// deleting the selected line must remove that alarm, not the one at its index in the file.
TEST_F(SettingsDialogRun, DeleteRemovesTheSelectedAlarmOfAnUnsortedFile)
{
    StartWith("[PelioClock]\r\n"
              "ALM00=10:00 b.wav\r\nALM01=07:30 a.wav\r\nALM02=23:15 c.wav\r\nALM03=99:99 \r\n"
              "Alarm=1\r\nOnTop=0\r\nUseDirectSound=0\r\n");
    const std::vector<std::string> sorted = {"07 : 30   a.wav", "10 : 00   b.wav", "23 : 15   c.wav"};
    EXPECT_EQ(ListLines(), sorted);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_ALARM_ON), BST_CHECKED);

    SendDlgItemMessageA(dialog_, IDC_ALARM_LIST, LB_SETCURSEL, 1, 0); // "10 : 00   b.wav"
    Command(IDC_DELETE);
    Command(IDOK);

    EXPECT_EQ(AlarmCount, 2);
    EXPECT_EQ(Value("ALM00"), "07:30 a.wav");
    EXPECT_EQ(Value("ALM01"), "23:15 c.wav");
    EXPECT_EQ(Value("ALM02"), "99:99"); // the profile call drops the trailing blank
    EXPECT_EQ(Value("ALM47"), "99:99");
    EXPECT_EQ(Value("Alarm"), "1");
}

// Stored slots whose numbers do not read back by position keep them through the dialog.
TEST_F(SettingsDialogRun, OkKeepsSlotsTheListCannotSpell)
{
    StartWith("[PelioClock]\r\nALM00=-5:10 y.wav\r\nALM01=99:99 \r\n");
    EXPECT_EQ(ListLines(), std::vector<std::string>{"251 : 10   y.wav"});
    Command(IDOK);
    EXPECT_EQ(Value("ALM00"), "251:10 y.wav");
}

// Registering another alarm reorders the working table; the slot the list cannot spell
// by position keeps its numbers and its file.
TEST_F(SettingsDialogRun, RegisterKeepsSlotsTheListCannotSpell)
{
    StartWith("[PelioClock]\r\nALM00=-5:10 y.wav\r\nALM01=99:99 \r\n");
    FILE* sound = std::fopen("new.wav", "wb");
    ASSERT_NE(sound, nullptr);
    std::fclose(sound);
    SetDlgItemTextA(dialog_, IDC_SOUND_FILE, "new.wav");
    SetDlgItemTextA(dialog_, IDC_HOUR_BOX, "07");
    SetDlgItemTextA(dialog_, IDC_MINUTE_BOX, "05");
    Command(IDC_REGISTER);
    const std::vector<std::string> lines = {"07 : 05   new.wav", "251 : 10   y.wav"};
    EXPECT_EQ(ListLines(), lines);
    Command(IDOK);
    DeleteFileA("new.wav");
    EXPECT_EQ(Value("ALM00"), "07:05 new.wav");
    EXPECT_EQ(Value("ALM01"), "251:10 y.wav");
}

void CALLBACK AnswerRefusal(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND box = FindWindowA("#32770", "PelioClock")) PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// OK refused for a change of playback method while a sound plays, then Cancel: the
// alarms in effect are those the dialog opened with. A file that then holds fewer
// alarms than were counted is listed as it is at the next opening.
TEST_F(SettingsDialogRun, RefusedOkKeepsTheAlarmsAndReopeningCountsAgain)
{
    StartWith("[PelioClock]\r\nALM00=07:30 a.wav\r\nALM01=08:00 b.wav\r\nALM02=99:99 \r\n");
    SendDlgItemMessageA(dialog_, IDC_ALARM_LIST, LB_SETCURSEL, 0, 0);
    Command(IDC_DELETE);
    CheckDlgButton(dialog_, IDC_USE_DIRECTSOUND, BST_CHECKED);
    SoundPlaying = 1;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerRefusal);
    Command(IDOK);
    KillTimer(nullptr, timer);
    SoundPlaying = 0;
    Command(IDCANCEL);
    EXPECT_EQ(AlarmCount, 2);

    WritePrivateProfileStringA("PelioClock", "ALM00", "08:00 b.wav", ".\\PelioClock.ini");
    WritePrivateProfileStringA("PelioClock", "ALM01", "99:99", ".\\PelioClock.ini");
    Reopen();
    EXPECT_EQ(ListLines(), std::vector<std::string>{"08 : 00   b.wav"});
}

WNDPROC OriginalListProc;

// Windows may report the ANSI length of double-byte text larger than it is; this list
// reports twice the length, as if every character could take two bytes.
LRESULT CALLBACK DoubledTextLength(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcA(OriginalListProc, list, message, wParam, lParam);
    return message == LB_GETTEXTLEN && result > 0 ? 2 * result : result;
}

// A path of 252 bytes, 123 double-byte characters in it, is registered, committed and shown
// again whole. Its katakana have trail bytes in 'A'-'Z' that lower-casing must not touch.
TEST_F(SettingsDialogRun, LongJapanesePathComesBackWhole)
{
    StartWith("[PelioClock]\r\nALM00=99:99 \r\n");
    std::string outer, inner;
    for (int k = 0; k < 61; ++k) {
        outer += "ア";
        inner += "イ";
    }
    const std::string folder = outer + "\\" + inner;
    const std::string path = folder + "\\音.wav";
    ASSERT_EQ(path.size(), 252u);
    ASSERT_TRUE(CreateDirectoryA(outer.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    FILE* sound = std::fopen(path.c_str(), "wb");
    ASSERT_NE(sound, nullptr);
    std::fclose(sound);

    HWND list = GetDlgItem(dialog_, IDC_ALARM_LIST);
    OriginalListProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DoubledTextLength)));
    SetDlgItemTextA(dialog_, IDC_SOUND_FILE, path.c_str());
    SetDlgItemTextA(dialog_, IDC_HOUR_BOX, "06");
    SetDlgItemTextA(dialog_, IDC_MINUTE_BOX, "45");
    Command(IDC_REGISTER);
    Command(IDOK);
    EXPECT_EQ(Value("ALM00"), "06:45 " + path);

    Reopen();
    EXPECT_EQ(ListLines(), std::vector<std::string>{"06 : 45   " + path});
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(outer.c_str());
}

// Runs where DirectSound cannot start: ctest gives this suite an ALSA with no device.
class SettingsDialogWithoutSound : public SettingsDialogRun {
protected:
    void TearDown() override
    {
        SoundMessageBoxTestHook = MessageBoxA;
        ReleaseDSound();
        SettingsDialogRun::TearDown();
    }
};

HWND DialogUnderMessage;
int DirectSoundMessages;
bool OpenAfterCancel;

// The user presses Cancel and then OK on the dialog while DirectSound's message, which
// has no owner, is up.
int WINAPI PressCancelThenOk(HWND owner, LPCSTR, LPCSTR caption, UINT)
{
    EXPECT_EQ(owner, nullptr);
    EXPECT_STREQ(caption, "InitDSound - PelioClock");
    if (++DirectSoundMessages > 1) return IDOK;
    SendMessageA(DialogUnderMessage, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(DialogUnderMessage, IDCANCEL)));
    OpenAfterCancel = IsWindowVisible(DialogUnderMessage) != FALSE;
    SendMessageA(DialogUnderMessage, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(DialogUnderMessage, IDOK)));
    return IDOK;
}

// OK switches to DirectSound, which fails to start; the buttons pressed under its
// message are ignored, and the one OK saves once and ends the dialog.
TEST_F(SettingsDialogWithoutSound, ButtonsWaitWhileOkShowsDirectSoundsMessage)
{
    StartWith("[PelioClock]\r\nALM00=08:00 a.wav\r\nALM01=99:99 \r\nUseDirectSound=0\r\n");
    ShowWindow(dialog_, SW_SHOWNA);
    DialogUnderMessage = dialog_;
    DirectSoundMessages = 0;
    OpenAfterCancel = false;
    SoundMessageBoxTestHook = PressCancelThenOk;
    CheckDlgButton(dialog_, IDC_USE_DIRECTSOUND, BST_CHECKED);
    Command(IDOK);

    ASSERT_EQ(DirectSoundMessages, 1)
        << "DirectSound must fail to start here (ALSA_CONFIG_PATH=no-device-alsa.conf), "
           "and a second OK must not show the message again";
    EXPECT_TRUE(OpenAfterCancel) << "Cancel ended the dialog under the message";
    EXPECT_FALSE(IsWindowVisible(dialog_)) << "OK ended the dialog";
    EXPECT_EQ(UseDirectSound, 1);
    EXPECT_EQ(Value("UseDirectSound"), "1");
    EXPECT_EQ(Value("ALM00"), "08:00 a.wav");
}

} // namespace

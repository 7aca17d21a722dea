// Drives the clock's windows from outside, as the end-to-end scenarios need: one command
// per run, results on stdout one per line (text in UTF-8), exit code 0 on success,
// 1 when the window or control is missing or a wait ran out, 2 on a usage error.
// Everything that could block is bounded: waits poll with a limit, sends time out, and
// whatever opens a modal loop in the clock is posted, never sent.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT SendTimeoutMs = 5000;
constexpr DWORD PollMs = 20;
constexpr int Failed = 1;
constexpr int Usage = 2;

using Args = std::vector<const char*>;

HWND ParseWindow(const char* text)
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoul(text, nullptr, 0)));
}

long ParseNumber(const char* text) { return std::strtol(text, nullptr, 0); }

// Texts are read as UTF-16 and printed as UTF-8, so scripts compare them with literals.
std::string ToUtf8(const std::wstring& text)
{
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size,
                        nullptr, nullptr);
    return out;
}

std::string AnsiToUtf8(const char* text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1) return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], size);
    wide.resize(static_cast<size_t>(size - 1));
    return ToUtf8(wide);
}

void PrintLine(const std::string& line) { std::printf("%s\n", line.c_str()); }

void PrintWindow(HWND window)
{
    std::printf("0x%lx\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SendTimeoutMs,
                               result ? result : &ignored) != 0;
}

std::wstring WindowTextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!Send(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), &copied))
        return {};
    text.resize(copied);
    return text;
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct FindRequest {
    const char* className;  // null: any
    const char* title;      // null: any
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    auto* request = reinterpret_cast<FindRequest*>(lParam);
    if (!IsWindowVisible(window)) return TRUE;
    if (request->className && ClassOf(window) != request->className) return TRUE;
    if (request->title) {
        char title[512] = {};
        GetWindowTextA(window, title, sizeof title);
        if (std::strcmp(title, request->title) != 0) return TRUE;
    }
    request->found = window;
    return FALSE;
}

// A visible top-level window of that class and title ("-" for any), waiting up to waitMs.
HWND FindVisible(const char* className, const char* title, DWORD waitMs)
{
    FindRequest request = {std::strcmp(className, "-") ? className : nullptr,
                           std::strcmp(title, "-") ? title : nullptr, nullptr};
    const DWORD start = GetTickCount();
    for (;;) {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&request));
        if (request.found || GetTickCount() - start >= waitMs) return request.found;
        Sleep(PollMs);
    }
}

HWND Control(const Args& args)
{
    HWND control = GetDlgItem(ParseWindow(args[0]), static_cast<int>(ParseNumber(args[1])));
    if (!control) std::fprintf(stderr, "no control %s in window %s\n", args[1], args[0]);
    return control;
}

UINT VirtualKey(const char* name)
{
    static const struct { const char* name; UINT key; } Names[] = {
        {"ESCAPE", VK_ESCAPE}, {"ESC", VK_ESCAPE}, {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN},
        {"UP", VK_UP},         {"DOWN", VK_DOWN},  {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT},
        {"TAB", VK_TAB},       {"SPACE", VK_SPACE}, {"F1", VK_F1},        {"DELETE", VK_DELETE},
    };
    for (const auto& entry : Names)
        if (_stricmp(name, entry.name) == 0) return entry.key;
    if (std::strlen(name) == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    return static_cast<UINT>(ParseNumber(name));
}

void PostKey(HWND window, UINT key)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16;
    PostMessageA(window, WM_KEYDOWN, key, scan | 1);
    PostMessageA(window, WM_KEYUP, key, scan | static_cast<LPARAM>(0xC0000001u));
}

// --- commands ---------------------------------------------------------------

// find <class|-> <title|-> [wait-ms]: the window handle.
int FindCommand(const Args& args)
{
    const DWORD waitMs = args.size() > 2 ? static_cast<DWORD>(ParseNumber(args[2])) : 0;
    HWND window = FindVisible(args[0], args[1], waitMs);
    if (!window) return Failed;
    PrintWindow(window);
    return 0;
}

// True once the condition holds, polled for up to waitMs.
template <typename Condition>
bool WaitFor(DWORD waitMs, Condition holds)
{
    const DWORD start = GetTickCount();
    while (!holds()) {
        if (GetTickCount() - start >= waitMs) return false;
        Sleep(PollMs);
    }
    return true;
}

// wait-gone <hwnd> <wait-ms>: succeeds once the window no longer exists.
int WaitGoneCommand(const Args& args)
{
    HWND window = ParseWindow(args[0]);
    const DWORD waitMs = static_cast<DWORD>(ParseNumber(args[1]));
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= waitMs) return Failed;
        Sleep(PollMs);
    }
    return 0;
}

// answers <hwnd> <wait-ms>: succeeds once the window's thread has handled a message sent
// to it, which it does from its message loop: a program that shows its window while it
// starts has then finished starting.
int AnswersCommand(const Args& args)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(ParseWindow(args[0]), WM_NULL, 0, 0, SMTO_NORMAL,
                               static_cast<UINT>(ParseNumber(args[1])), &ignored)
               ? 0
               : Failed;
}

BOOL CALLBACK ListWindow(HWND window, LPARAM all)
{
    if (!all && !IsWindowVisible(window)) return TRUE;
    RECT rect;
    GetWindowRect(window, &rect);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    std::printf("0x%lx %lu %s %ld %ld %ld %ld %s\n",
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)), pid,
                ClassOf(window).c_str(), rect.left, rect.top, rect.right, rect.bottom,
                ToUtf8(WindowTextOf(window)).c_str());
    return TRUE;
}

// windows: every visible top-level window as "hwnd pid class left top right bottom title".
int WindowsCommand(const Args& args)
{
    EnumWindows(ListWindow, !args.empty());
    return 0;
}

// foreground: the window the user now faces.
int ForegroundCommand(const Args&)
{
    PrintWindow(GetForegroundWindow());
    return 0;
}

// rect <hwnd>: "left top right bottom" on the screen.
int RectCommand(const Args& args)
{
    RECT rect;
    if (!GetWindowRect(ParseWindow(args[0]), &rect)) return Failed;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

int PrintLong(HWND window, int index)
{
    if (!IsWindow(window)) return Failed;
    std::printf("0x%08lx\n", static_cast<unsigned long>(GetWindowLongA(window, index)));
    return 0;
}

// item <dialog> <id>: the control's handle, for rect and a click with the mouse;
// owner <hwnd>: the window that owns it (0x0 for none).
int ItemCommand(const Args& args)
{
    HWND control = Control(args);
    if (!control) return Failed;
    PrintWindow(control);
    return 0;
}

int OwnerCommand(const Args& args)
{
    HWND window = ParseWindow(args[0]);
    if (!IsWindow(window)) return Failed;
    PrintWindow(GetWindow(window, GW_OWNER));
    return 0;
}

// style <hwnd>, exstyle <hwnd>: the window's styles in hexadecimal.
int StyleCommand(const Args& args) { return PrintLong(ParseWindow(args[0]), GWL_STYLE); }
int ExStyleCommand(const Args& args) { return PrintLong(ParseWindow(args[0]), GWL_EXSTYLE); }

// topmost <hwnd>: 1 or 0.
int TopmostCommand(const Args& args)
{
    HWND window = ParseWindow(args[0]);
    if (!IsWindow(window)) return Failed;
    std::printf("%d\n", (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
    return 0;
}

// text <hwnd>, class <hwnd>, pid <hwnd>.
int TextCommand(const Args& args)
{
    HWND window = ParseWindow(args[0]);
    if (!IsWindow(window)) return Failed;
    PrintLine(ToUtf8(WindowTextOf(window)));
    return 0;
}

int ClassCommand(const Args& args)
{
    HWND window = ParseWindow(args[0]);
    if (!IsWindow(window)) return Failed;
    PrintLine(ClassOf(window));
    return 0;
}

int PidCommand(const Args& args)
{
    DWORD pid = 0;
    if (!GetWindowThreadProcessId(ParseWindow(args[0]), &pid)) return Failed;
    std::printf("%lu\n", pid);
    return 0;
}

// key <hwnd> <key>...: WM_KEYDOWN and WM_KEYUP posted for each key (a name such as ESCAPE,
// RETURN, DOWN, a letter or digit, or a virtual-key number).
int KeyCommand(const Args& args)
{
    HWND window = ParseWindow(args[0]);
    if (!IsWindow(window)) return Failed;
    for (size_t i = 1; i < args.size(); ++i) PostKey(window, VirtualKey(args[i]));
    return 0;
}

// post <hwnd> <message> <wparam> <lparam>: posts any message.
int PostCommand(const Args& args)
{
    const auto message = static_cast<UINT>(ParseNumber(args[1]));
    const auto wParam = static_cast<WPARAM>(std::strtoul(args[2], nullptr, 0));
    const auto lParam = static_cast<LPARAM>(ParseNumber(args[3]));
    return PostMessageA(ParseWindow(args[0]), message, wParam, lParam) ? 0 : Failed;
}

// command <hwnd> <wparam> [lparam]: posts WM_COMMAND.
int CommandCommand(const Args& args)
{
    const auto wParam = static_cast<WPARAM>(std::strtoul(args[1], nullptr, 0));
    const auto lParam = args.size() > 2 ? static_cast<LPARAM>(ParseNumber(args[2])) : 0;
    return PostMessageA(ParseWindow(args[0]), WM_COMMAND, wParam, lParam) ? 0 : Failed;
}

// get-text <dialog> <id>: a control's text.
int GetTextCommand(const Args& args)
{
    HWND control = Control(args);
    if (!control) return Failed;
    PrintLine(ToUtf8(WindowTextOf(control)));
    return 0;
}

// set-text <dialog> <id> <text>: the argument arrives in the ANSI code page.
int SetTextCommand(const Args& args)
{
    HWND control = Control(args);
    if (!control) return Failed;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[2]),
                               SMTO_ABORTIFHUNG, SendTimeoutMs, &result)
               ? 0
               : Failed;
}

// click <dialog> <id>: BM_CLICK, posted because the button may open a modal loop.
int ClickCommand(const Args& args)
{
    HWND control = Control(args);
    if (!control) return Failed;
    return PostMessageA(control, BM_CLICK, 0, 0) ? 0 : Failed;
}

// check <dialog> <id>: 0, 1 or 2.
int CheckCommand(const Args& args)
{
    HWND control = Control(args);
    DWORD_PTR state = 0;
    if (!control || !Send(control, BM_GETCHECK, 0, 0, &state)) return Failed;
    std::printf("%lu\n", static_cast<unsigned long>(state));
    return 0;
}

// set-check <dialog> <id> <state>: BM_SETCHECK, which sends no notification.
int SetCheckCommand(const Args& args)
{
    HWND control = Control(args);
    if (!control) return Failed;
    return Send(control, BM_SETCHECK, static_cast<WPARAM>(ParseNumber(args[2])), 0) ? 0 : Failed;
}

// Lines of a list box or a combo box. Wine 8 answers a cross-process LB_GETTEXT in
// UTF-16 whatever the caller's character set, so the wide call is the reliable one.
int PrintItems(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage)
{
    DWORD_PTR count = 0;
    if (!Send(control, countMessage, 0, 0, &count)) return Failed;
    for (WPARAM i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        Send(control, lengthMessage, i, 0, &length);
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        Send(control, textMessage, i, reinterpret_cast<LPARAM>(&text[0]), &copied);
        text.resize(static_cast<intptr_t>(copied) < 0 ? 0 : copied);
        PrintLine(ToUtf8(text));
    }
    return 0;
}

int PrintValue(HWND control, UINT message)
{
    DWORD_PTR value = 0;
    if (!control || !Send(control, message, 0, 0, &value)) return Failed;
    std::printf("%ld\n", static_cast<long>(value));
    return 0;
}

// Selects an item and, where the control notifies its parent, tells the parent as a
// click would.
int SelectItem(HWND control, const Args& args, UINT selectMessage, DWORD notifyStyle,
               WORD notification)
{
    if (!control) return Failed;
    if (!Send(control, selectMessage, static_cast<WPARAM>(ParseNumber(args[2])), 0))
        return Failed;
    if (notifyStyle && !(GetWindowLongA(control, GWL_STYLE) & notifyStyle)) return 0;
    const auto id = static_cast<WORD>(ParseNumber(args[1]));
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, notification),
                 reinterpret_cast<LPARAM>(control));
    return 0;
}

// list <dialog> <id>: one line per item; list-count; list-selection (-1 for none);
// list-select <dialog> <id> <index>.
int ListCommand(const Args& args)
{
    HWND control = Control(args);
    return control ? PrintItems(control, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT) : Failed;
}

int ListCountCommand(const Args& args) { return PrintValue(Control(args), LB_GETCOUNT); }
int ListSelectionCommand(const Args& args) { return PrintValue(Control(args), LB_GETCURSEL); }

int ListSelectCommand(const Args& args)
{
    return SelectItem(Control(args), args, LB_SETCURSEL, LBS_NOTIFY, LBN_SELCHANGE);
}

// combo <dialog> <id>: one line per item; combo-select <dialog> <id> <index>.
int ComboCommand(const Args& args)
{
    HWND control = Control(args);
    return control ? PrintItems(control, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT) : Failed;
}

int ComboSelectCommand(const Args& args)
{
    return SelectItem(Control(args), args, CB_SETCURSEL, 0, CBN_SELCHANGE);
}

// scroll <dialog> <id> <up|down|left|right> [count]: what a click on a scroll bar's arrow
// sends its parent, a line step followed by the end of scrolling.
int ScrollCommand(const Args& args)
{
    HWND bar = Control(args);
    if (!bar) return Failed;
    const bool vertical = (GetWindowLongA(bar, GWL_STYLE) & SBS_VERT) != 0;
    const bool back = !_stricmp(args[2], "up") || !_stricmp(args[2], "left");
    if (!back && _stricmp(args[2], "down") && _stricmp(args[2], "right")) return Usage;
    const UINT message = vertical ? WM_VSCROLL : WM_HSCROLL;
    const WORD code = back ? SB_LINEUP : SB_LINEDOWN;
    const long count = args.size() > 3 ? ParseNumber(args[3]) : 1;
    HWND dialog = ParseWindow(args[0]);
    const auto barParam = reinterpret_cast<LPARAM>(bar);
    for (long i = 0; i < count; ++i) {
        PostMessageA(dialog, message, MAKEWPARAM(code, 0), barParam);
        PostMessageA(dialog, message, MAKEWPARAM(SB_ENDSCROLL, 0), barParam);
    }
    return 0;
}

// controls <dialog>: every child as "id class text".
BOOL CALLBACK ListControl(HWND control, LPARAM)
{
    std::printf("%d %s %s\n", GetDlgCtrlID(control), ClassOf(control).c_str(),
                ToUtf8(WindowTextOf(control)).c_str());
    return TRUE;
}

int ControlsCommand(const Args& args)
{
    HWND dialog = ParseWindow(args[0]);
    if (!IsWindow(dialog)) return Failed;
    EnumChildWindows(dialog, ListControl, 0);
    return 0;
}

// msgbox <caption> [wait-ms]: the text of a message box; msgbox-ok also presses its OK.
HWND FindMessageBox(const Args& args)
{
    const DWORD waitMs = args.size() > 1 ? static_cast<DWORD>(ParseNumber(args[1])) : 0;
    return FindVisible("#32770", args[0], waitMs);
}

int PrintMessageBoxText(HWND box)
{
    char text[2048] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    PrintLine(AnsiToUtf8(text));
    return 0;
}

int MessageBoxCommand(const Args& args)
{
    HWND box = FindMessageBox(args);
    return box ? PrintMessageBoxText(box) : Failed;
}

int MessageBoxOkCommand(const Args& args)
{
    HWND box = FindMessageBox(args);
    if (!box) return Failed;
    PrintMessageBoxText(box);
    HWND ok = GetDlgItem(box, IDOK);
    return ok && PostMessageA(ok, BM_CLICK, 0, 0) ? 0 : Failed;
}

// Whether the thread of that window runs a menu loop. The menu window shows before its
// loop starts and is destroyed before the loop ends; in between the thread drops keys
// and clicks meant for the menu.
bool InMenuLoop(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread && GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE);
}

// menu: the open popup menu once its loop runs (3 s each). Keys posted to it would overtake
// the pointer's queued moves, one over its edge unlighting the item: e2e_menu uses X keys.
int MenuCommand(const Args&)
{
    HWND menu = FindVisible("#32768", "-", 3000);
    const bool tracked = menu && WaitFor(3000, [&] { return InMenuLoop(menu); });
    if (!tracked) std::fprintf(stderr, menu ? "the menu's loop did not start\n" : "no menu\n");
    if (tracked) PrintWindow(menu);
    return tracked ? 0 : Failed;
}

// menu-ended <hwnd> <wait-ms>: succeeds once the window's thread runs no menu loop.
int MenuEndedCommand(const Args& args)
{
    HWND window = ParseWindow(args[0]);
    const bool ended = WaitFor(static_cast<DWORD>(ParseNumber(args[1])),
                               [&] { return !InMenuLoop(window); });
    return ended && IsWindow(window) ? 0 : Failed;
}

// resources <windows-pid>: "gdi user handles" counts of that process.
int ResourcesCommand(const Args& args)
{
    const auto pid = static_cast<DWORD>(ParseNumber(args[0]));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process) return Failed;
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    std::printf("%lu %lu %lu\n", GetGuiResources(process, GR_GDIOBJECTS),
                GetGuiResources(process, GR_USEROBJECTS), handles);
    CloseHandle(process);
    return 0;
}

// run <show-command> <exe> [args...]: starts the program with that show command in its
// start-up information, as a shortcut set to "minimised" would, waits for it and exits
// with its exit code.
int RunCommand(const Args& args)
{
    std::string commandLine;
    for (size_t i = 1; i < args.size(); ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += '"';
        commandLine += args[i];
        commandLine += '"';
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(ParseNumber(args[0]));
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", args[1], GetLastError());
        return Failed;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = Failed;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

struct Command {
    const char* name;
    size_t minArgs;
    const char* usage;
    int (*run)(const Args&);
};

// New commands go here; the usage text is printed for a bad call.
const Command Commands[] = {
    {"find", 2, "<class|-> <title|-> [wait-ms]", FindCommand},
    {"wait-gone", 2, "<hwnd> <wait-ms>", WaitGoneCommand},
    {"answers", 2, "<hwnd> <wait-ms>", AnswersCommand},
    {"windows", 0, "[all: hidden ones too]", WindowsCommand},
    {"foreground", 0, "", ForegroundCommand},
    {"rect", 1, "<hwnd>", RectCommand},
    {"item", 2, "<dialog> <id>", ItemCommand},
    {"owner", 1, "<hwnd>", OwnerCommand},
    {"style", 1, "<hwnd>", StyleCommand},
    {"exstyle", 1, "<hwnd>", ExStyleCommand},
    {"topmost", 1, "<hwnd>", TopmostCommand},
    {"text", 1, "<hwnd>", TextCommand},
    {"class", 1, "<hwnd>", ClassCommand},
    {"pid", 1, "<hwnd>", PidCommand},
    {"key", 2, "<hwnd> <key>...", KeyCommand},
    {"post", 4, "<hwnd> <message> <wparam> <lparam>", PostCommand},
    {"command", 2, "<hwnd> <wparam> [lparam]", CommandCommand},
    {"get-text", 2, "<dialog> <id>", GetTextCommand},
    {"set-text", 3, "<dialog> <id> <text>", SetTextCommand},
    {"click", 2, "<dialog> <id>", ClickCommand},
    {"check", 2, "<dialog> <id>", CheckCommand},
    {"set-check", 3, "<dialog> <id> <state>", SetCheckCommand},
    {"list", 2, "<dialog> <id>", ListCommand},
    {"list-count", 2, "<dialog> <id>", ListCountCommand},
    {"list-selection", 2, "<dialog> <id>", ListSelectionCommand},
    {"list-select", 3, "<dialog> <id> <index>", ListSelectCommand},
    {"combo", 2, "<dialog> <id>", ComboCommand},
    {"combo-select", 3, "<dialog> <id> <index>", ComboSelectCommand},
    {"scroll", 3, "<dialog> <id> <up|down|left|right> [count]", ScrollCommand},
    {"controls", 1, "<dialog>", ControlsCommand},
    {"msgbox", 1, "<caption> [wait-ms]", MessageBoxCommand},
    {"msgbox-ok", 1, "<caption> [wait-ms]", MessageBoxOkCommand},
    {"menu", 0, "", MenuCommand},
    {"menu-ended", 2, "<hwnd> <wait-ms>", MenuEndedCommand},
    {"resources", 1, "<windows-pid>", ResourcesCommand},
    {"run", 2, "<show-command> <exe> [args...]", RunCommand},
};

int PrintUsage()
{
    std::fprintf(stderr, "usage: e2e_driver <command> [args]\n");
    for (const auto& command : Commands)
        std::fprintf(stderr, "  %s %s\n", command.name, command.usage);
    return Usage;
}

}  // namespace

int main(int argc, char** argv)
{
    // Plain LF line ends: the scripts compare lines byte for byte.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) return PrintUsage();
    const Args args(argv + 2, argv + argc);
    for (const auto& command : Commands) {
        if (std::strcmp(command.name, argv[1]) != 0) continue;
        if (args.size() < command.minArgs) {
            std::fprintf(stderr, "usage: e2e_driver %s %s\n", command.name, command.usage);
            return Usage;
        }
        const int status = command.run(args);
        std::fflush(stdout);
        return status;
    }
    return PrintUsage();
}

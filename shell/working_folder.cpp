// The folder the clock was started in. Bare sound file names mean its files first, and
// it is remembered at start because the current folder moves while the file chooser is
// open. It is also the clock's identity: one clock serves one folder, so that two never
// ring the same alarms or write the same settings file.
#include "shell/folders.h"
#include "shell/shell.h"

#include <cstdio>

static char WorkingFolder[MAX_PATH];
static char ProgramFolder[MAX_PATH];
// Signalled by the clock of this folder once its window can be found.
static HANDLE ClockOfFolder;
static constexpr char FolderTagProperty[] = "PelioClockFolder";

// Character by character: a trail byte of a double-byte character may be a backslash.
static void EndWithBackslash(char (&folder)[MAX_PATH])
{
    const int length = lstrlenA(folder);
    if (length == 0 || length >= MAX_PATH - 1) return;
    if (*CharPrevA(folder, folder + length) != '\\') lstrcatA(folder, "\\");
}

static void CutAfterLastBackslash(char* path)
{
    char* end = path;
    for (char* c = path; *c; c = CharNextA(c))
        if (*c == '\\') end = c + 1;
    *end = '\0';
}

void RememberFolders()
{
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, WorkingFolder);
    if (length == 0 || length >= MAX_PATH) WorkingFolder[0] = '\0';
    EndWithBackslash(WorkingFolder);
    const DWORD programLength = GetModuleFileNameA(nullptr, ProgramFolder, MAX_PATH);
    if (programLength == 0 || programLength >= MAX_PATH) ProgramFolder[0] = '\0';
    CutAfterLastBackslash(ProgramFolder);
}

static bool FileExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void ResolveFilePath(const char* path, char (&resolved)[MAX_PATH])
{
    ResolveRelativeFile(path, WorkingFolder, ProgramFolder, FileExists, resolved, MAX_PATH);
}

static uint64_t WorkingFolderKey()
{
    char folded[MAX_PATH];
    lstrcpynA(folded, WorkingFolder, MAX_PATH);
    CharLowerBuffA(folded, static_cast<DWORD>(lstrlenA(folded)));
    return FolderKey(folded);
}

// What the window carries so that a later start finds the clock of its folder among
// those of other folders; never zero, which reads as no property at all.
static HANDLE FolderTag()
{
    const auto tag = static_cast<uint32_t>(WorkingFolderKey() >> 32);
    return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(tag ? tag : 1));
}

static BOOL CALLBACK FindClockOfFolder(HWND window, LPARAM found)
{
    char className[sizeof ClockClassName + 1];
    if (!GetClassNameA(window, className, sizeof className) ||
        lstrcmpA(className, ClockClassName) != 0 || GetPropA(window, FolderTagProperty) != FolderTag())
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The clock, or the dialog it has open, which is what the user must face.
static void BringForward(HWND clock)
{
    SetForegroundWindow(GetLastActivePopup(clock));
}

bool HandOverToRunningClock()
{
    constexpr DWORD StartWaitMs = 10000;
    const uint64_t key = WorkingFolderKey();
    char name[40];
    std::snprintf(name, sizeof name, "PelioClock-%08lx%08lx", static_cast<unsigned long>(key >> 32),
                  static_cast<unsigned long>(key & 0xFFFFFFFFu));
    ClockOfFolder = CreateEventA(nullptr, TRUE, FALSE, name);
    if (!ClockOfFolder || GetLastError() != ERROR_ALREADY_EXISTS) return false;
    // The other clock may still be starting.
    HWND clock = nullptr;
    if (WaitForSingleObject(ClockOfFolder, StartWaitMs) == WAIT_OBJECT_0)
        EnumWindows(FindClockOfFolder, reinterpret_cast<LPARAM>(&clock));
    if (clock) BringForward(clock);
    return true;
}

void AnnounceClockWindow()
{
    SetPropA(MainWindow, FolderTagProperty, FolderTag());
    SetEvent(ClockOfFolder);
}

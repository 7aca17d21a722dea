#include "shell/folders.h"

#include <cstdio>

static bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// "D:..." holds a drive, "\..." and "\\server\..." start at a root. A lead byte is never
// followed by ':', so the test is safe in a double-byte code page.
static bool IsRelative(const char* path)
{
    return path[0] != '\0' && !IsSeparator(path[0]) && path[1] != ':';
}

constexpr size_t JoinedCapacity = 520;

// False when the joined path does not fit in size characters.
static bool Join(const char* folder, const char* name, char (&joined)[JoinedCapacity], size_t size)
{
    const int length = std::snprintf(joined, sizeof joined, "%s%s", folder, name);
    return length >= 0 && static_cast<size_t>(length) < size &&
           static_cast<size_t>(length) < sizeof joined;
}

void ResolveRelativeFile(const char* path, const char* workingFolder, const char* programFolder,
                         bool (*exists)(const char* path), char* resolved, size_t size)
{
    std::snprintf(resolved, size, "%s", path);
    if (!IsRelative(path)) return;
    const char* name = path;
    if (name[0] == '.' && IsSeparator(name[1])) name += 2;
    char inWorking[JoinedCapacity];
    char inProgram[JoinedCapacity];
    const bool workingFits = Join(workingFolder, name, inWorking, size);
    if (workingFits && exists(inWorking)) {
        std::snprintf(resolved, size, "%s", inWorking);
    } else if (Join(programFolder, name, inProgram, size) && exists(inProgram)) {
        std::snprintf(resolved, size, "%s", inProgram);
    } else if (workingFits) {
        std::snprintf(resolved, size, "%s", inWorking);
    }
}

uint64_t FolderKey(const char* foldedFolder)
{
    uint64_t key = 14695981039346656037ull;
    for (const char* c = foldedFolder; *c; ++c) {
        key ^= static_cast<unsigned char>(*c);
        key *= 1099511628211ull;
    }
    return key;
}

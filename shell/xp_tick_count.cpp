#include <windows.h>

// The thread library that mingw-w64's runtime links into the exe calls GetTickCount64,
// which the kernel32 of Windows XP does not have: with that import the exe would not
// even load there. This pointer, under the import's own name, takes the import's place:
// the linker finds it here before it looks in kernel32's import library.

namespace {

// The system's own count where there is one. On XP the 32-bit count serves: the
// library only measures short waits with it, and it wraps after 49.7 days.
ULONGLONG WINAPI TickCount64()
{
    using Counter = ULONGLONG(WINAPI*)();
    const auto counter = reinterpret_cast<Counter>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
    return counter ? counter() : GetTickCount();
}

} // namespace

extern "C" ULONGLONG(WINAPI* const GetTickCount64Import)() asm("__imp__GetTickCount64@0") =
    TickCount64;

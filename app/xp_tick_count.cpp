// Windows XP's kernel32 has no GetTickCount64, yet the threading support that
// the compiler's exception handling links in imports it, and a missing import
// stops the program before it starts. This definition of the import slot takes
// the kernel32 one's place: it uses the system's GetTickCount64 where there is
// one and widens GetTickCount on XP.

#include <windows.h>

namespace {

using TickCount64Function = ULONGLONG(WINAPI*)();

// GetTickCount wraps after 49.7 days; count the wraps. The program has one thread.
ULONGLONG WINAPI WidenedTickCount() {
    static DWORD last = 0;
    static ULONGLONG wraps = 0;
    const DWORD now = GetTickCount();
    if (now < last) {
        wraps += 0x100000000ULL;
    }
    last = now;
    return wraps + now;
}

ULONGLONG WINAPI TickCount64() {
    static TickCount64Function system = [] {
        HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
        FARPROC found = kernel32 ? GetProcAddress(kernel32, "GetTickCount64") : nullptr;
        return found ? reinterpret_cast<TickCount64Function>(reinterpret_cast<void*>(found))
                     : &WidenedTickCount;
    }();
    return system();
}

} // namespace

// The name under which callers compiled with dllimport look the function up.
extern "C" {
TickCount64Function qmTickCount64Import __asm__("__imp__GetTickCount64@0") = &TickCount64;
}

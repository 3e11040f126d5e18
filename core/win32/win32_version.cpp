#include "win32_platform.h"

#include <windows.h>

namespace qm {

bool Win32Platform::IsVistaOrLater() {
    // A comparison, not the reported number: the answer for major version 6 does
    // not depend on which versions the manifest declares.
    OSVERSIONINFOEXW wanted = {};
    wanted.dwOSVersionInfoSize = sizeof(wanted);
    wanted.dwMajorVersion = 6;
    const DWORDLONG condition = VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&wanted, VER_MAJORVERSION, condition) != FALSE;
}

} // namespace qm

// comdlg32 is loaded when the Open dialog is first asked for, not at start:
// loading it brings in the shell's libraries, megabytes that a run without the
// dialog never needs. This definition of the import slot of GetOpenFileNameW
// takes the place of the comdlg32 import: its first call loads the library and
// puts the real function into the slot.

#include <windows.h>

#include <commdlg.h>

namespace {

using GetOpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

BOOL WINAPI LoadThenGetOpenFileName(OPENFILENAMEW* request);

} // namespace

// The name under which callers compiled with dllimport look the function up.
extern "C" {
GetOpenFileNameFunction
    qmGetOpenFileNameImport __asm__("__imp__GetOpenFileNameW@4") = &LoadThenGetOpenFileName;
}

namespace {

BOOL WINAPI LoadThenGetOpenFileName(OPENFILENAMEW* request) {
    // Kept for the life of the process, as an import would be.
    HMODULE comdlg32 = LoadLibraryW(L"comdlg32.dll");
    FARPROC found = comdlg32 ? GetProcAddress(comdlg32, "GetOpenFileNameW") : nullptr;
    if (!found) {
        // As if the user had cancelled: the caller then has no file name.
        return FALSE;
    }
    qmGetOpenFileNameImport =
        reinterpret_cast<GetOpenFileNameFunction>(reinterpret_cast<void*>(found));
    return qmGetOpenFileNameImport(request);
}

} // namespace

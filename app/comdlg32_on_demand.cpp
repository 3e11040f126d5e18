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

// The name under which callers compiled with dllimport look the function up: a
// 32-bit build decorates it with the calling convention, a 64-bit one does not.
#ifdef _WIN64
#define QM_GET_OPEN_FILE_NAME_IMPORT "__imp_GetOpenFileNameW"
#else
#define QM_GET_OPEN_FILE_NAME_IMPORT "__imp__GetOpenFileNameW@4"
#endif
extern "C" {
GetOpenFileNameFunction
    qmGetOpenFileNameImport __asm__(QM_GET_OPEN_FILE_NAME_IMPORT) = &LoadThenGetOpenFileName;
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

#include "win32_platform.h"

#include <windows.h>

#include <shlobj.h>

namespace qm {

std::optional<std::wstring> Win32Platform::MachineDataFolder(unsigned long& error) {
    // shell32 is loaded only here, when a command backs up the branding: as an
    // import it would be loaded, with the libraries it pulls in, at every start.
    // It stays loaded for the rest of the process, as an import would.
    using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    HMODULE shell32 = LoadLibraryW(L"shell32.dll");
    FARPROC found = shell32 ? GetProcAddress(shell32, "SHGetFolderPathW") : nullptr;
    if (!found) {
        error = GetLastError();
        return std::nullopt;
    }
    const auto getFolderPath = reinterpret_cast<GetFolderPath>(reinterpret_cast<void*>(found));
    wchar_t path[MAX_PATH] = {};
    const HRESULT result =
        getFolderPath(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
    if (FAILED(result)) {
        error = HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                           : static_cast<unsigned long>(result);
        return std::nullopt;
    }
    std::wstring folder(path);
    while (!folder.empty() && folder.back() == L'\\') {
        folder.pop_back();
    }
    error = 0;
    return folder;
}

} // namespace qm

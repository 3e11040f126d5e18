#include "win32_platform.h"

#include <windows.h>

namespace qm {

void Win32Platform::QuerySystemDirectoryA(char* buffer, unsigned size) {
    GetSystemDirectoryA(buffer, size);
}

std::wstring Win32Platform::ExecutableFolder() {
    // Grows the buffer until the whole path fits; GetModuleFileNameW truncates
    // silently otherwise.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::wstring::size_type separator = path.find_last_of(L'\\');
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

Platform& HostPlatform() {
    static Win32Platform platform;
    return platform;
}

} // namespace qm

#include "win32_platform.h"

#include <windows.h>

#include <iterator>

namespace qm {

unsigned long Win32Platform::LastErrorCode() {
    return GetLastError();
}

std::wstring Win32Platform::ErrorText(unsigned long code) {
    wchar_t text[512] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text, static_cast<DWORD>(std::size(text)), nullptr);
    std::wstring message(text, length);
    // The system's texts end in a line break.
    while (!message.empty() &&
           (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.pop_back();
    }
    return message;
}

bool Win32Platform::IsNotFound(unsigned long code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

} // namespace qm

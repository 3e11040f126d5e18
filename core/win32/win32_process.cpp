#include "unique_handle.h"
#include "win32_platform.h"

#include <vector>

namespace qm {

bool Win32Platform::StartProcess(const std::wstring& application, const std::wstring& commandLine) {
    if (application.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::vector<wchar_t> mutableCommandLine(commandLine.begin(), commandLine.end());
    mutableCommandLine.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(application.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &started)) {
        return false;
    }
    // Nothing waits for or watches the process.
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    return true;
}

} // namespace qm

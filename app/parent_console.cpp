#include "parent_console.h"

#include <string>

namespace qm {
namespace {

// The standard output when the caller redirected it to a pipe or a file;
// nullptr otherwise.
HANDLE RedirectedOutput() {
    const HANDLE inherited = GetStdHandle(STD_OUTPUT_HANDLE);
    if (inherited == nullptr || inherited == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const DWORD type = GetFileType(inherited);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE ? inherited : nullptr;
}

// The screen of the console that the parent process runs in, when it has one.
HANDLE ParentScreen() {
    // A process that already has a console (Wine hands a windowed program its
    // parent's) is refused with ERROR_ACCESS_DENIED and writes there.
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) {
        return INVALID_HANDLE_VALUE; // started from Explorer, a service or a task
    }
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

} // namespace

ParentConsole::ParentConsole()
    : output_(RedirectedOutput()), screen_(output_ ? INVALID_HANDLE_VALUE : ParentScreen()) {}

void ParentConsole::Line(const std::wstring& text) {
    const std::wstring line = text + L"\r\n";
    if (screen_.Valid()) {
        // Unicode straight to the screen, whatever its code page.
        DWORD written = 0;
        WriteConsoleW(screen_.Get(), line.data(), static_cast<DWORD>(line.size()), &written,
                      nullptr);
        return;
    }
    if (output_ == nullptr) {
        return;
    }
    // A console program's output is read in the OEM code page, by cmd and by
    // PowerShell alike.
    const int length = static_cast<int>(line.size());
    const int needed =
        WideCharToMultiByte(CP_OEMCP, 0, line.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return;
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_OEMCP, 0, line.data(), length, bytes.data(), needed, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(output_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace qm

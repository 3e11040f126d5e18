#include "program_run.h"

#include <chrono>
#include <thread>

namespace qm::test {
namespace {

// Windows that the watched process creates, reported by the system's window
// events; the hook's callback has no context argument, so this is global.
std::vector<std::wstring>* g_windows = nullptr;

void CALLBACK OnWindowCreated(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                              DWORD) {
    if (g_windows && window && object == OBJID_WINDOW && child == CHILDID_SELF) {
        wchar_t name[128] = {};
        GetClassNameW(window, name, 128);
        g_windows->push_back(name[0] ? name : L"<window>");
    }
}

class WindowWatch {
public:
    WindowWatch(DWORD processId, std::vector<std::wstring>& windows) {
        g_windows = &windows;
        hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, OnWindowCreated,
                                processId, 0, WINEVENT_OUTOFCONTEXT);
    }
    ~WindowWatch() {
        if (hook_) {
            UnhookWinEvent(hook_);
        }
        g_windows = nullptr;
    }
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
    bool Watching() const { return hook_ != nullptr; }

private:
    HWINEVENTHOOK hook_ = nullptr;
};

void PumpFor(HANDLE process, DWORD milliseconds, const std::vector<std::wstring>* stopWhenAny) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        if (stopWhenAny && !stopWhenAny->empty()) {
            return;
        }
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            return;
        }
        MsgWaitForMultipleObjects(process ? 1 : 0, &process, FALSE, 10, QS_ALLINPUT);
    }
}

std::wstring CommandLine(const std::vector<std::wstring>& arguments) {
    std::wstring line = L"\"" + ProgramPath() + L"\"";
    for (const std::wstring& argument : arguments) {
        line += L" \"" + argument + L"\"";
    }
    return line;
}

struct Started {
    PROCESS_INFORMATION info{};
    bool ok = false;
};

Started StartSuspended(const std::vector<std::wstring>& arguments, Caller caller, HANDLE output) {
    std::wstring line = CommandLine(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    DWORD flags = CREATE_SUSPENDED;
    BOOL inherit = FALSE;
    if (caller == Caller::Pipe) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
        startup.hStdInput = nullptr;
        inherit = TRUE;
    } else if (caller == Caller::NoConsole) {
        flags |= DETACHED_PROCESS;
    }
    Started started;
    const std::wstring path = ProgramPath();
    started.ok = CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, inherit, flags,
                                nullptr, nullptr, &startup, &started.info) != FALSE;
    return started;
}

} // namespace

std::wstring ProgramPath() {
    const std::string unixPath = QM_APP_EXE;
    std::wstring path = L"Z:";
    for (char c : unixPath) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return path;
}

ProgramRun RunProgram(const std::vector<std::wstring>& arguments, Caller caller) {
    ProgramRun run;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (caller == Caller::Pipe) {
        SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
            return run;
        }
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    }
    Started started = StartSuspended(arguments, caller, writeEnd);
    if (writeEnd) {
        CloseHandle(writeEnd); // the child holds its own copy
    }
    if (!started.ok) {
        if (readEnd) {
            CloseHandle(readEnd);
        }
        return run;
    }
    std::thread reader;
    if (readEnd) {
        reader = std::thread([&] {
            char buffer[4096];
            DWORD got = 0;
            while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
                run.output.append(buffer, got);
            }
        });
    }
    {
        WindowWatch watch(started.info.dwProcessId, run.windows);
        ResumeThread(started.info.hThread);
        PumpFor(started.info.hProcess, 30000, nullptr);
        // Events still on their way when the process ended.
        PumpFor(nullptr, 200, nullptr);
    }
    run.ended = WaitForSingleObject(started.info.hProcess, 0) == WAIT_OBJECT_0;
    if (!run.ended) {
        TerminateProcess(started.info.hProcess, 99);
        WaitForSingleObject(started.info.hProcess, 5000);
    }
    GetExitCodeProcess(started.info.hProcess, &run.exitCode);
    if (reader.joinable()) {
        reader.join();
    }
    if (readEnd) {
        CloseHandle(readEnd);
    }
    CloseHandle(started.info.hThread);
    CloseHandle(started.info.hProcess);
    return run;
}

std::vector<std::wstring> WindowsOfAStartWithoutArguments(DWORD milliseconds) {
    std::vector<std::wstring> windows;
    Started started = StartSuspended({}, Caller::NoConsole, nullptr);
    if (!started.ok) {
        return windows;
    }
    {
        WindowWatch watch(started.info.dwProcessId, windows);
        ResumeThread(started.info.hThread);
        PumpFor(started.info.hProcess, milliseconds, &windows);
    }
    TerminateProcess(started.info.hProcess, 99);
    WaitForSingleObject(started.info.hProcess, 5000);
    CloseHandle(started.info.hThread);
    CloseHandle(started.info.hProcess);
    return windows;
}

} // namespace qm::test

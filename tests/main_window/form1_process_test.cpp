// The built program as its own process: it starts with the focus on "Choose Custom
// Logo", its message loop moves the focus with Tab, and every way of ending it ends
// the process at once without writing anything.

#include "form1.h"
#include "resource_ids.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

namespace qm::test {
namespace {

// The program's Unix path as built, seen through Wine's Z: drive.
std::wstring ProgramPath() {
    const std::string unixPath = QM_APP_EXE;
    std::wstring path = L"Z:";
    for (char c : unixPath) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return path;
}

// One run of the program, ended by force if a test leaves it running.
class RunningProgram {
public:
    RunningProgram() {
        const std::wstring path = ProgramPath();
        std::wstring commandLine = L"\"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &info_) != FALSE;
        if (started_) {
            WaitForInputIdle(info_.hProcess, 10000);
            PumpUntil([this] { return (window_ = FindMainWindow()) != nullptr; },
                      std::chrono::milliseconds(15000));
        }
    }
    ~RunningProgram() {
        if (started_) {
            if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(info_.hProcess, 99);
                WaitForSingleObject(info_.hProcess, 5000);
            }
            CloseHandle(info_.hThread);
            CloseHandle(info_.hProcess);
        }
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return started_; }
    HWND Window() const { return window_; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    bool EndsWithin(DWORD milliseconds) const {
        return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

    HWND FocusedWindow() const {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(info_.dwThreadId, &gui) ? gui.hwndFocus : nullptr;
    }

private:
    struct Search {
        DWORD pid;
        HWND found;
    };
    static BOOL CALLBACK MatchMainWindow(HWND window, LPARAM param) {
        auto* search = reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (pid == search->pid && IsWindowVisible(window) &&
            std::wstring(name) == kForm1ClassName && TextOf(window) == L"Quorvane Marquelle XP") {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }
    HWND FindMainWindow() const {
        Search search{info_.dwProcessId, nullptr};
        EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    bool started_ = false;
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

void SendKeys(std::initializer_list<WORD> downs) {
    std::vector<INPUT> inputs;
    for (WORD key : downs) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        inputs.push_back(in);
    }
    for (auto it = downs.end(); it != downs.begin();) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *--it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 500; ++i) {
        if (done()) {
            return true;
        }
        Sleep(10);
    }
    return done();
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(SystemFilePath("oeminfo.ini").c_str()); }
    void TearDown() override { DeleteFileA(SystemFilePath("oeminfo.ini").c_str()); }
};

TEST_F(ProgramTest, StartsWithFocusOnChooseCustomLogoAndTabMovesIt) {
    RunningProgram program;
    ASSERT_TRUE(program.Started());
    ASSERT_NE(nullptr, program.Window());
    HWND form = program.Window();
    EXPECT_TRUE(
        WaitFor([&] { return program.FocusedWindow() == GetDlgItem(form, form1::Command1); }));

    SetForegroundWindow(form);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == form; }));
    SendKeys({VK_TAB});
    EXPECT_TRUE(
        WaitFor([&] { return program.FocusedWindow() == GetDlgItem(form, form1::Command2); }));
    SendKeys({VK_SHIFT, VK_TAB});
    SendKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(
        WaitFor([&] { return program.FocusedWindow() == GetDlgItem(form, form1::Text20); }));
}

struct Ending {
    const char* name;
    std::function<void(HWND)> end;
};

TEST_F(ProgramTest, EveryWayOfEndingEndsAtOnceWritingNothing) {
    const Ending kEndings[] = {
        {"menu Exit",
         [](HWND form) { PostMessageW(form, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0); }},
        {"close button", [](HWND form) { PostMessageW(form, WM_CLOSE, 0, 0); }},
        {"system menu Close", [](HWND form) { PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4",
         [](HWND form) {
             SetForegroundWindow(form);
             WaitFor([&] { return GetForegroundWindow() == form; });
             SendKeys({VK_MENU, VK_F4});
         }},
        {"log-off",
         [](HWND form) {
             DWORD_PTR answer = 0;
             SendMessageTimeoutW(form, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000,
                                 &answer);
             EXPECT_TRUE(answer) << "log-off refused";
             SendMessageTimeoutW(form, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000,
                                 &answer);
         }},
    };
    for (const Ending& ending : kEndings) {
        SCOPED_TRACE(ending.name);
        DeleteFileA(SystemFilePath("oeminfo.ini").c_str());
        RunningProgram program;
        ASSERT_TRUE(program.Started());
        ASSERT_NE(nullptr, program.Window());
        HWND form = program.Window();
        // An edit that a program saving at the end would write.
        SendMessageW(GetDlgItem(form, form1::Text1), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"Unsaved edit"));
        ending.end(form);
        EXPECT_TRUE(program.EndsWithin(10000));
        EXPECT_EQ(0u, program.ExitCode());
        EXPECT_FALSE(SystemFileExists("oeminfo.ini"));
        EXPECT_FALSE(SystemFileExists("oemlogo.bmp"));
    }
}

} // namespace
} // namespace qm::test

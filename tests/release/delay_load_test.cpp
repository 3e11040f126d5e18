// The built program loads comdlg32 only when the Open dialog is first asked for,
// and the dialog then opens: run from a folder of its own (so no stored graphics
// program), "Choose Custom Logo" and then "Launch Graphics Program ..." must show
// the Open dialog, with comdlg32 absent before and present after.

#include "form1.h"
#include "frm_main_layout.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <string>
#include <vector>

namespace qm::test {
namespace {

constexpr DWORD kPatienceMs = 20000;

std::wstring BuiltProgramPath() {
    const std::string unixPath = QM_APP_EXE;
    std::wstring path = L"Z:";
    for (char c : unixPath) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return path;
}

// A fresh folder holding a copy of the program; removed with what the run left.
class ProgramCopy {
public:
    ProgramCopy() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"qm-delay-load-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        program_ = folder_ + L"\\Quorvane Marquelle XP.exe";
        copied_ = CopyFileW(BuiltProgramPath().c_str(), program_.c_str(), FALSE) != FALSE;
    }
    ~ProgramCopy() {
        DeleteFileW(program_.c_str());
        DeleteFileW((folder_ + L"\\program.cng").c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    bool Copied() const { return copied_; }
    const std::wstring& Program() const { return program_; }
    const std::wstring& Folder() const { return folder_; }

private:
    std::wstring folder_;
    std::wstring program_;
    bool copied_ = false;
};

struct WindowSearch {
    DWORD process;
    const wchar_t* className; // nullptr: any class
    const wchar_t* caption;   // nullptr: any caption
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t text[256] = {};
    wchar_t name[64] = {};
    GetWindowTextW(window, text, 256);
    GetClassNameW(window, name, 64);
    if (owner == search->process && IsWindowVisible(window) &&
        (!search->className || lstrcmpW(name, search->className) == 0) &&
        (!search->caption || lstrcmpW(text, search->caption) == 0)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The running program, ended by force if the test leaves it running.
class Running {
public:
    explicit Running(const ProgramCopy& copy) {
        std::wstring commandLine = L"\"" + copy.Program() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ =
            CreateProcessW(copy.Program().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                           nullptr, copy.Folder().c_str(), &startup, &info_) != FALSE;
        if (started_) {
            WaitForInputIdle(info_.hProcess, kPatienceMs);
        }
    }
    ~Running() {
        if (!started_) {
            return;
        }
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    bool Started() const { return started_; }
    DWORD Id() const { return info_.dwProcessId; }
    bool EndsWithin(DWORD milliseconds) const {
        return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
    }

    bool HasModule(const wchar_t* name) const {
        std::vector<HMODULE> modules(512);
        DWORD needed = 0;
        if (!EnumProcessModules(info_.hProcess, modules.data(),
                                static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
            ADD_FAILURE() << "cannot list the program's modules";
            return false;
        }
        modules.resize(needed / sizeof(HMODULE));
        for (HMODULE module : modules) {
            wchar_t base[MAX_PATH] = {};
            GetModuleBaseNameW(info_.hProcess, module, base, MAX_PATH);
            if (lstrcmpiW(base, name) == 0) {
                return true;
            }
        }
        return false;
    }

    // A visible top-level window of the program with this class or caption.
    HWND Window(const wchar_t* className, const wchar_t* caption) const {
        WindowSearch search{info_.dwProcessId, className, caption, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND WaitForWindow(const wchar_t* className, const wchar_t* caption) const {
        for (DWORD waited = 0; waited < kPatienceMs; waited += 20) {
            if (HWND found = Window(className, caption)) {
                return found;
            }
            Sleep(20);
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

TEST(DelayLoadedOpenDialog, ComdlgLoadsOnlyWhenTheOpenDialogIsFirstShown) {
    ProgramCopy copy;
    ASSERT_TRUE(copy.Copied());
    Running program(copy);
    ASSERT_TRUE(program.Started());

    HWND main = program.WaitForWindow(nullptr, L"Quorvane Marquelle XP");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(program.HasModule(L"comdlg32.dll"));

    PostMessageW(GetDlgItem(main, form1::Command1), BM_CLICK, 0, 0);
    HWND browser = program.WaitForWindow(nullptr, L"Marquelle XP Picture Browser");
    ASSERT_NE(browser, nullptr);
    EXPECT_FALSE(program.HasModule(L"comdlg32.dll"));

    // No stored program: "Launch Graphics Program ..." asks for one first.
    PostMessageW(GetDlgItem(browser, frmmain::Command3), BM_CLICK, 0, 0);
    HWND dialog = program.WaitForWindow(L"#32770", nullptr);
    ASSERT_NE(dialog, nullptr) << "the Open dialog did not appear";
    EXPECT_TRUE(program.HasModule(L"comdlg32.dll"));

    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    for (DWORD waited = 0; IsWindow(dialog) && waited < kPatienceMs; waited += 20) {
        Sleep(20);
    }
    EXPECT_FALSE(IsWindow(dialog));
    PostMessageW(browser, WM_CLOSE, 0, 0);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.EndsWithin(kPatienceMs));
}

} // namespace
} // namespace qm::test

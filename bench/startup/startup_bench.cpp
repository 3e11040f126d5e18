// Start-up benchmark: starts the program and its floor by turns, each timed from
// process creation until its main window is visible and painted and the process
// waits for input (WaitForInputIdle); then reads the process's peak working set
// and closes the window.
//
//   startup_bench [--runs N] PROGRAM FLOOR
//
// Runs alternate which of the two starts first, after one untimed start of each.

#include "bench_args.h"
#include "bench_clock.h"
#include "bench_memory.h"
#include "bench_report.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

namespace qm::bench {
namespace {

constexpr DWORD kPatienceMs = 30000;

struct Start {
    double ms;
    double peakWorkingSetMiB;
};

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindFramedWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if (owner == search->processId && IsWindowVisible(window) &&
        (style & WS_CAPTION) == WS_CAPTION) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND MainWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(FindFramedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK FindUnpaintedChild(HWND child, LPARAM lParam) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

// No part of the window, frame or controls, waits to be painted.
bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    bool unpainted = false;
    EnumChildWindows(window, FindUnpaintedChild, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

void Close(const PROCESS_INFORMATION& process, HWND window) {
    if (window) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

std::optional<Start> TimeStart(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    Stopwatch watch;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
        return std::nullopt;
    }
    WaitForInputIdle(process.hProcess, kPatienceMs);
    HWND window = nullptr;
    while (watch.ElapsedMs() < kPatienceMs) {
        window = MainWindowOf(process.dwProcessId);
        if (window && Painted(window)) {
            break;
        }
        window = nullptr;
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            break; // ended before showing a window
        }
    }
    const double ms = watch.ElapsedMs();
    const MemoryUse memory = ProcessMemory(process.hProcess);
    const HWND shown = window ? window : MainWindowOf(process.dwProcessId);
    Close(process, shown);
    if (!window) {
        std::fprintf(stderr, "%ls showed no painted window\n", program.c_str());
        return std::nullopt;
    }
    return Start{ms, static_cast<double>(memory.peakWorkingSet) / kMiB};
}

int Run(int runs, const std::wstring& program, const std::wstring& floor) {
    // One untimed start of each: the first start of a program pays for loading
    // its libraries from disk.
    if (!TimeStart(program) || !TimeStart(floor)) {
        return 1;
    }
    Pairs time;
    Pairs memory;
    for (int i = 0; i < runs; ++i) {
        const bool programFirst = i % 2 == 0;
        std::optional<Start> first = TimeStart(programFirst ? program : floor);
        std::optional<Start> second = TimeStart(programFirst ? floor : program);
        if (!first || !second) {
            return 1;
        }
        const Start& measured = programFirst ? *first : *second;
        const Start& base = programFirst ? *second : *first;
        time.measured.push_back(measured.ms);
        time.floor.push_back(base.ms);
        memory.measured.push_back(measured.peakWorkingSetMiB);
        memory.floor.push_back(base.peakWorkingSetMiB);
    }
    ReportPairs("startup", "ms", time, 1.10);
    const double programMiB = Median(memory.measured);
    const double floorMiB = Median(memory.floor);
    char line[200];
    std::snprintf(line, sizeof line,
                  "median_program_peak_mib=%.2f median_floor_peak_mib=%.2f difference_mib=%.2f "
                  "target_mib=2.00 met=%s",
                  programMiB, floorMiB, programMiB - floorMiB,
                  programMiB - floorMiB <= 2.0 ? "yes" : "no");
    ReportLine("startup_memory", line);
    return 0;
}

} // namespace
} // namespace qm::bench

int wmain(int argc, wchar_t** argv) {
    using namespace qm::bench;
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench [--runs N] PROGRAM FLOOR\n");
        return 2;
    }
    const int runs = IntOption(argc, argv, L"--runs", 21);
    return Run(runs, WindowsPath(argv[argc - 2]), WindowsPath(argv[argc - 1]));
}

#include "hostile_browser.h"

#include "frm_main.h"
#include "picture_view.h"

#include <psapi.h>

#include <iterator>

namespace qm::test {
namespace {

constexpr wchar_t kScratchPrefix[] = L"C:\\qm-hostile-";

// Folders of earlier runs whose process no longer exists.
void RemoveLeftovers() {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((std::wstring(kScratchPrefix) + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::wstring mine = std::to_wstring(GetCurrentProcessId()) + L"-";
    do {
        const std::wstring name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            name.find(L"-" + mine) == std::wstring::npos) {
            RemoveTree(L"C:\\" + name);
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

} // namespace

ScratchFolder::ScratchFolder(const std::wstring& purpose) {
    static int made = 0;
    if (made++ == 0) {
        RemoveLeftovers();
    }
    path_ = kScratchPrefix + std::to_wstring(GetCurrentProcessId()) + L"-" + purpose;
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

ScopedCurrentFolder::ScopedCurrentFolder(const std::wstring& folder) {
    wchar_t former[MAX_PATH] = {};
    GetCurrentDirectoryW(static_cast<DWORD>(std::size(former)), former);
    former_ = former;
    SetCurrentDirectoryW(folder.c_str());
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
    SetCurrentDirectoryW(former_.c_str());
}

void WatchingMainWindow::SetLogoPicture(HBITMAP picture) {
    committedAtHandOver = CommittedBytes();
    logo.Reset(picture);
}

BrowserSession::BrowserSession() {
    browser_ = OpenPictureBrowser(platform, main);
    PumpAsTheProgram();
}

BrowserSession::~BrowserSession() {
    if (IsWindow(browser_)) {
        DestroyWindow(browser_);
    }
    PumpAsTheProgram();
}

HBITMAP BrowserSession::Preview() const {
    return ViewPicture(Item(frmmain::imgBrowser));
}

double BrowserSession::SelectFile(const std::wstring& name) {
    HWND list = Item(frmmain::File1);
    const LRESULT index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(name.c_str()));
    if (index < 0) {
        return -1;
    }
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(browser_, WM_COMMAND, MAKEWPARAM(frmmain::File1, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    // The new picture drawn on the screen is part of the selection.
    UpdateWindow(browser_);
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

bool BrowserSession::OpenFolder(const std::wstring& text) {
    return DoubleClickListItemNamed(Item(frmmain::Dir1), text);
}

void BrowserSession::Click(int buttonId) {
    SendMessageW(Item(buttonId), BM_CLICK, 0, 0);
    PumpAsTheProgram();
}

std::size_t CommittedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

std::size_t WorkingSetBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

std::size_t PeakWorkingSetBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

} // namespace qm::test

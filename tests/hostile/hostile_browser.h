#pragma once
// The real picture browser in this process, opened in a folder of the test's
// making, with the main window and process starts recorded; and the machine
// state around it (scratch folders, current folder, memory) for the sweeps.

#include "browser_doubles.h"
#include "browser_test_support.h"
#include "frm_main_layout.h"

#include <windows.h>

#include <cstddef>
#include <string>

namespace qm::test {

inline const std::wstring kAppTitle = L"Quorvane Marquelle XP";

// A new folder under C:\ for one test, removed with everything in it afterwards;
// what a crashed earlier run left there goes first.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& purpose);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring Path(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// The process's current folder, where the browser's lists start, for a while.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::wstring& folder);
    ~ScopedCurrentFolder();
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

private:
    std::wstring former_;
};

// The main window as the browser sees it: what it was asked, the picture it was
// given, and the process's committed memory at the moment it got it (the
// browser's preview and the copy both exist then).
class WatchingMainWindow final : public MainWindowAccess {
public:
    void ShowMainWindow() override { ++shown; }
    void SetLogoPicture(HBITMAP picture) override;
    int shown = 0;
    OwnedBitmap logo;
    std::size_t committedAtHandOver = 0;
};

class BrowserSession {
public:
    // Opens the browser as the main window does; Handle() is nullptr when it fails.
    BrowserSession();
    ~BrowserSession();
    BrowserSession(const BrowserSession&) = delete;
    BrowserSession& operator=(const BrowserSession&) = delete;

    HWND Handle() const { return browser_; }
    HWND Item(int id) const { return GetDlgItem(browser_, id); }
    HBITMAP Preview() const;

    // Selects File1's item of that name as the list does (LB_SETCURSEL, then
    // LBN_SELCHANGE to the window) and paints; returns the seconds it took, or
    // a negative number when the name is not listed.
    double SelectFile(const std::wstring& name);
    // Opens Dir1's item of that text as a double-click does; false when not listed.
    bool OpenFolder(const std::wstring& text);
    void Click(int buttonId);

    WatchingMainWindow main;
    RecordingPlatform platform;

private:
    HWND browser_ = nullptr;
};

// The process's committed private memory, in bytes.
std::size_t CommittedBytes();
std::size_t WorkingSetBytes();
std::size_t PeakWorkingSetBytes();

} // namespace qm::test

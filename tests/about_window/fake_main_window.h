#pragma once
// Stands in for the main window: a real top-level window that the about window
// makes visible again, counting how often it is asked to.

#include "main_window_access.h"

#include <windows.h>

namespace qm::test {

class FakeMainWindow final : public MainWindowAccess {
public:
    FakeMainWindow();
    ~FakeMainWindow() override;
    FakeMainWindow(const FakeMainWindow&) = delete;
    FakeMainWindow& operator=(const FakeMainWindow&) = delete;

    HWND Handle() const { return window_; }
    int ShowCalls() const { return showCalls_; }
    // What the main window does before it opens the about window.
    void HideForHandOff() { ShowWindow(window_, SW_HIDE); }

    void ShowMainWindow() override;
    void SetLogoPicture(HBITMAP picture) override;

private:
    HWND window_;
    int showCalls_ = 0;
};

} // namespace qm::test

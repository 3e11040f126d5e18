#include "about_test_support.h"

namespace qm::test {

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindowsOfThisThread() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool HasTaskbarButton(HWND window) {
    if (!IsWindowVisible(window) || (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) {
        return false;
    }
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (exStyle & WS_EX_APPWINDOW) {
        return true;
    }
    return GetWindow(window, GW_OWNER) == nullptr && !(exStyle & WS_EX_TOOLWINDOW);
}

} // namespace qm::test

#include "about_test_support.h"

namespace qm::test {

void PumpAsTheProgram() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        HWND active = GetActiveWindow();
        if (active && IsDialogMessageW(active, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpAsTheProgramUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        PumpAsTheProgram();
        Sleep(5);
    }
    return true;
}

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

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

RECT TwipsRect(int left, int top, int width, int height) {
    const int dpi = ScreenDpi();
    auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    return RECT{px(left), px(top), px(left + width), px(top + height)};
}

void PressKey(UINT key) {
    HWND focus = GetFocus();
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(focus, WM_KEYDOWN, key, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageW(focus, WM_KEYUP, key, 1 | (static_cast<LPARAM>(scan) << 16) | (3u << 30));
}

} // namespace qm::test

// Opens the program's other windows from outside, as a user would, for the
// screenshots:
//
//   window_driver about          the about window, from the main window's menu
//   window_driver browser N      the picture browser, previewing its N-th file
//   window_driver close          ends the program, as closing its main window does
//
// Exits 0 once the window is there, 1 when it did not appear.

#include "form1.h"
#include "frm_main_layout.h"
#include "resource_ids.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr wchar_t kMainCaption[] = L"Quorvane Marquelle XP";
constexpr wchar_t kBrowserCaption[] = L"Marquelle XP Picture Browser";
constexpr wchar_t kAboutCaption[] = L"About Quorvane Marquelle XP";

HWND WaitForVisibleWindow(const wchar_t* caption) {
    for (int tries = 0; tries < 200; ++tries) {
        HWND window = FindWindowW(nullptr, caption);
        if (window && IsWindowVisible(window)) {
            return window;
        }
        Sleep(50);
    }
    std::fwprintf(stderr, L"window_driver: \"%ls\" did not appear\n", caption);
    return nullptr;
}

int OpenAbout(HWND main) {
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
    return WaitForVisibleWindow(kAboutCaption) ? 0 : 1;
}

int OpenBrowserAt(HWND main, int fileIndex) {
    PostMessageW(GetDlgItem(main, qm::form1::Command1), BM_CLICK, 0, 0);
    HWND browser = WaitForVisibleWindow(kBrowserCaption);
    if (!browser) {
        return 1;
    }
    // Select the file as a click would: the list changes, then tells its window.
    HWND files = GetDlgItem(browser, qm::frmmain::File1);
    if (SendMessageW(files, LB_SETCURSEL, fileIndex, 0) == LB_ERR) {
        std::fwprintf(stderr, L"window_driver: the file list has no item %d\n", fileIndex);
        return 1;
    }
    SendMessageW(browser, WM_COMMAND, MAKEWPARAM(qm::frmmain::File1, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(files));
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const bool closing = argc >= 2 && std::wcscmp(argv[1], L"close") == 0;
    HWND main = argc < 2  ? nullptr
                : closing ? FindWindowW(nullptr, kMainCaption)
                          : WaitForVisibleWindow(kMainCaption);
    if (!main) {
        std::fwprintf(stderr, L"usage: window_driver about | browser N | close\n");
        return 1;
    }
    if (closing) {
        // The main window may be hidden behind another window; closing it still
        // ends the program.
        PostMessageW(main, WM_CLOSE, 0, 0);
        return 0;
    }
    if (std::wcscmp(argv[1], L"about") == 0) {
        return OpenAbout(main);
    }
    if (std::wcscmp(argv[1], L"browser") == 0 && argc == 3) {
        return OpenBrowserAt(main, _wtoi(argv[2]));
    }
    std::fwprintf(stderr, L"usage: window_driver about | browser N | close\n");
    return 1;
}

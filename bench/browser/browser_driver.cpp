#include "browser_driver.h"

#include "frm_main.h"
#include "frm_main_layout.h"
#include "main_window_access.h"
#include "message_dispatch.h"
#include "picture_view.h"
#include "platform.h"

#include <commctrl.h>

namespace qm::bench {
namespace {

// The main window's part: nothing to show, and a handed-over picture is freed.
class AbsentMainWindow final : public MainWindowAccess {
public:
    void ShowMainWindow() override {}
    void SetLogoPicture(HBITMAP picture) override { DeleteObject(picture); }
};

AbsentMainWindow& MainWindow() {
    static AbsentMainWindow mainWindow;
    return mainWindow;
}

} // namespace

BrowserSession::BrowserSession(const std::wstring& folder) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!SetCurrentDirectoryW(folder.c_str())) {
        return;
    }
    window_ = OpenPictureBrowser(HostPlatform(), MainWindow());
    Pump();
}

BrowserSession::~BrowserSession() {
    if (window_ && IsWindow(window_)) {
        SendMessageW(window_, WM_CLOSE, 0, 0);
        Pump();
    }
}

bool BrowserSession::OpenFolderEntry(const std::wstring& text) {
    HWND folders = Control(frmmain::Dir1);
    const LRESULT index = SendMessageW(folders, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (index == LB_ERR) {
        return false;
    }
    SendMessageW(folders, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(frmmain::Dir1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(folders));
    UpdateWindow(folders);
    UpdateWindow(Control(frmmain::File1));
    return true;
}

void BrowserSession::PressFileListKey(UINT key) {
    HWND files = Control(frmmain::File1);
    SendMessageW(files, WM_KEYDOWN, key, 1);
    SendMessageW(files, WM_KEYUP, key, 0xC0000001);
    UpdateWindow(files);
    UpdateWindow(Control(frmmain::imgBrowser));
}

int BrowserSession::FileCount() const {
    return static_cast<int>(SendMessageW(Control(frmmain::File1), LB_GETCOUNT, 0, 0));
}

int BrowserSession::FolderEntryCount() const {
    return static_cast<int>(SendMessageW(Control(frmmain::Dir1), LB_GETCOUNT, 0, 0));
}

HBITMAP BrowserSession::PreviewPicture() const {
    return ViewPicture(Control(frmmain::imgBrowser));
}

void BrowserSession::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchProgramMessage(msg);
    }
}

} // namespace qm::bench

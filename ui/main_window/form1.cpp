#include "form1.h"

#include "app_info.h"
#include "backed_up_commands.h"
#include "dialog_font.h"
#include "form1_layout.h"
#include "form1_record.h"
#include "frm_about.h"
#include "frm_main.h"
#include "picture_view.h"
#include "resource_ids.h"

#include <cwchar>

namespace qm {
namespace {

// A fixed frame with the system menu and close button only.
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

HICON LoadMainIcon(int widthMetric, int heightMetric) {
    // Shared: the class keeps it for the life of the process.
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN),
                                         IMAGE_ICON, GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

HBITMAP LoadDefaultLogo() {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDB_DEFAULT_LOGO), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION));
}

} // namespace

Form1::Form1(Platform& platform) : platform_(platform) {}

Form1::~Form1() {
    // Destroy the controls while the font they use still exists.
    if (Handle()) {
        DestroyWindow(Handle());
    }
}

bool Form1::Create() {
    const WindowClass windowClass{kForm1ClassName, LoadMainIcon(SM_CXICON, SM_CYICON),
                                  LoadMainIcon(SM_CXSMICON, SM_CYSMICON)};
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    const TwipsScale scale = TwipsScale::ForScreen();
    const RECT frame = FrameForClientArea(scale, form1::kClientArea, kFrameStyle,
                                          WS_EX_CONTROLPARENT, menu != nullptr);
    if (!Window::Create(windowClass, kAppTitle, kFrameStyle, WS_EX_CONTROLPARENT, frame, menu)) {
        if (menu) {
            DestroyMenu(menu);
        }
        return false;
    }
    KeepClientHeight(Handle(), scale, form1::kClientArea);
    font_ = CreateDialogFont(scale);
    CreateControls(Handle(), form1::kControls, form1::kControlCount, scale, font_.Get());
    for (std::size_t i = 0; i < form1::kControlCount; ++i) {
        if (std::wcscmp(form1::kControls[i].className, L"EDIT") == 0) {
            // Zero lifts the limit to the largest the box allows.
            SendDlgItemMessageW(Handle(), form1::kControls[i].id, EM_SETLIMITTEXT, 0, 0);
        }
    }
    toolTips_ = std::make_unique<ToolTips>(Handle());
    for (std::size_t i = 0; i < form1::kToolTipCount; ++i) {
        toolTips_->Add(GetDlgItem(Handle(), form1::kToolTips[i].id), form1::kToolTips[i].text);
    }
    SetViewPicture(GetDlgItem(Handle(), form1::Image1), LoadDefaultLogo());
    focusToRestore_ = GetDlgItem(Handle(), form1::Command1);
    return true;
}

void Form1::Show() {
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(GetDlgItem(Handle(), form1::Command1));
    UpdateWindow(Handle());
}

void Form1::ShowMainWindow() {
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void Form1::SetLogoPicture(HBITMAP picture) {
    SetViewPicture(GetDlgItem(Handle(), form1::Image1), picture);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // Buttons and menu entries both arrive with code 0; box notifications do not.
        if (HIWORD(wParam) == BN_CLICKED) {
            OnCommand(LOWORD(wParam));
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnControlColorStatic(reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATE:
        if (OnActivate(LOWORD(wParam) != WA_INACTIVE)) {
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (focusToRestore_ && IsWindow(focusToRestore_)) {
            SetFocus(focusToRestore_);
            return 0;
        }
        break;
    case WM_CLOSE:
        EndProgram();
        return 0;
    case WM_ENDSESSION:
        // The system is logging off: nothing to save, and no loop left to return to.
        if (wParam) {
            ExitProcess(0);
        }
        return 0;
    }
    return Default(message, wParam, lParam);
}

void Form1::OnCommand(int id) {
    switch (id) {
    case form1::Command1:
        OnCommand1Click();
        break;
    case form1::Command2:
        OnCommand2Click();
        break;
    case form1::Command3:
        OnCommand3Click();
        break;
    case form1::Command4:
        OnCommand4Click();
        break;
    case IDM_EXIT:
        OnExitClick();
        break;
    case IDM_ABOUT:
        OnAboutClick();
        break;
    }
}

LRESULT Form1::OnControlColorStatic(HDC dc) {
    // Only the locked caption boxes ask: they take the window's own colour. The
    // brush is the system's, so nothing is created per message.
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool Form1::OnActivate(bool active) {
    // The focus comes back to the control that had it, as in a dialog box.
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) {
            focusToRestore_ = focus;
        }
        return false;
    }
    if (focusToRestore_ && IsWindow(focusToRestore_)) {
        SetFocus(focusToRestore_);
        return true;
    }
    return false;
}

void Form1::OnCommand1Click() {
    HideForHandOff();
    if (!OpenPictureBrowser(platform_, *this)) {
        // Never leave the process without a visible window.
        ShowMainWindow();
    }
}

void Form1::OnCommand2Click() {
    BackUpThenPreview(platform_, form1::ReadOemInfoRecord(Handle()));
}

void Form1::OnCommand3Click() {
    BackUpThenApply(platform_, form1::ReadOemInfoRecord(Handle()));
}

void Form1::OnCommand4Click() {
    BackUpThenRemove(platform_);
}

void Form1::OnExitClick() {
    EndProgram();
}

void Form1::OnAboutClick() {
    HideForHandOff();
    if (!OpenAboutWindow(*this)) {
        ShowMainWindow();
    }
}

void Form1::HideForHandOff() {
    ShowWindow(Handle(), SW_HIDE);
}

void Form1::EndProgram() {
    // Ends the message loop, and with it the process: nothing is asked or saved.
    PostQuitMessage(0);
}

} // namespace qm

#include "frm_about.h"

#include "app_info.h"
#include "control_table.h"
#include "dialog_font.h"
#include "frm_about_hidden_owner.h"
#include "frm_about_layout.h"
#include "frm_about_placement.h"
#include "frm_about_texts.h"
#include "handles.h"
#include "main_window_access.h"
#include "resource_ids.h"
#include "window.h"

#include <memory>

namespace qm {

namespace {

constexpr wchar_t kAboutClassName[] = L"QmAboutWindow";

// A fixed dialog frame with a system menu and close button only; owned by a
// hidden window of its own, so it has no taskbar button (see HiddenOwner).
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kAboutExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

OwnedIcon LoadAboutIcon(int size) {
    return OwnedIcon(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ABOUT),
                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

class AboutWindow final : public Window {
public:
    explicit AboutWindow(MainWindowAccess& mainWindow)
        : mainWindow_(mainWindow), scale_(TwipsScale::ForScreen()) {}

    // Creates the window and runs its set-up; placed, not yet shown. Returns
    // false when the system refuses the window.
    bool Create();
    // Hands this object to its window, which deletes it after its last message,
    // and shows the window.
    void Show();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnCreate();
    void SetUp();
    void SetIcons();
    void SetPicture();
    void CreateRuleBrushes();
    void OnPaint();
    void PaintRule(HDC dc, const about::RuleLine& line, HBRUSH brush) const;
    LRESULT OnControlColorStatic(HDC dc, HWND control) const;
    void OnActivate(bool active);
    void OnCommand(int id);
    void OnCmdOkClick();
    void OnClose();

    HWND Control(int id) const { return GetDlgItem(Handle(), id); }

    MainWindowAccess& mainWindow_;
    const TwipsScale scale_;
    about::HiddenOwner owner_;
    OwnedFont font_;
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;
    OwnedBitmap picture_;
    OwnedBrush shadowBrush_;
    OwnedBrush highlightBrush_;
    // The control that had the focus when the window was last deactivated.
    HWND focusToRestore_ = nullptr;
};

bool AboutWindow::Create() {
    const WindowClass windowClass{kAboutClassName};
    // The caption is the set-up's first step, in OnCreate.
    const RECT frame =
        FrameForClientArea(scale_, about::kClientArea, kAboutStyle, kAboutExStyle, false);
    if (!Window::Create(windowClass, L"", kAboutStyle, kAboutExStyle, frame, nullptr,
                        owner_.Handle())) {
        return false;
    }
    about::KeepOnWorkArea(Handle());
    return true;
}

void AboutWindow::Show() {
    DeleteOnFinalMessage();
    // Activation puts the focus on "OK" (OnActivate).
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnControlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case DM_GETDEFID:
        // Enter with the focus anywhere clicks "OK".
        return MAKELONG(IDOK, DC_HASDEFID);
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            OnCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_CLOSE:
        OnClose();
        return 0;
    }
    return Default(message, wParam, lParam);
}

void AboutWindow::OnCreate() {
    font_ = CreateDialogFont(scale_);
    CreateControls(Handle(), about::kControls, about::kControlCount, scale_, font_.Get());
    SetIcons();
    SetPicture();
    CreateRuleBrushes();
    SetUp();
}

void AboutWindow::SetUp() {
    SetWindowTextW(Handle(), about::AboutCaption().c_str());
    SetWindowTextW(Control(about::kLblVersion),
                   about::VersionLine(kVersionMajor, kVersionMinor, kVersionRevision).c_str());
    SetWindowTextW(Control(about::kLblTitle), kAppTitle);
}

void AboutWindow::SetIcons() {
    bigIcon_ = LoadAboutIcon(32);
    smallIcon_ = LoadAboutIcon(16);
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

void AboutWindow::SetPicture() {
    picture_.Reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                   MAKEINTRESOURCEW(IDB_ABOUT_PICTURE),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    HWND box = Control(about::kPicIcon);
    // The box never held another picture; whatever it hands back is freed here.
    OwnedBitmap previous(reinterpret_cast<HBITMAP>(
        SendMessageW(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.Get()))));
    BITMAP size{};
    if (!picture_ || !GetObjectW(picture_.Get(), sizeof size, &size)) {
        return;
    }
    // The box sizes itself to its picture, its sunken border around it.
    RECT frame{0, 0, size.bmWidth, size.bmHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(box, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(box, GWL_EXSTYLE)));
    SetWindowPos(box, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::CreateRuleBrushes() {
    shadowBrush_.Reset(CreateSolidBrush(about::kRuleShadow.colour));
    highlightBrush_.Reset(CreateSolidBrush(about::kRuleHighlight.colour));
}

void AboutWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    if (dc) {
        PaintRule(dc, about::kRuleShadow, shadowBrush_.Get());
        PaintRule(dc, about::kRuleHighlight, highlightBrush_.Get());
        EndPaint(Handle(), &paint);
    }
}

void AboutWindow::PaintRule(HDC dc, const about::RuleLine& line, HBRUSH brush) const {
    // Filled, not stroked: a pen wider than one pixel would centre on the line
    // and could cover its neighbour. The right end point, like LineTo's, is
    // not drawn.
    const int top = scale_.ToPixels(line.top);
    const RECT area{scale_.ToPixels(line.left), top, scale_.ToPixels(line.right),
                    top + line.pixelWidth};
    FillRect(dc, &area, brush);
}

LRESULT AboutWindow::OnControlColorStatic(HDC dc, HWND control) const {
    const bool isVersion = control == Control(about::kLblVersion);
    SetTextColor(dc, isVersion ? GetSysColor(COLOR_BTNTEXT) : RGB(0, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    // The system's brush: nothing is created per message.
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void AboutWindow::OnActivate(bool active) {
    // As in a dialog box: the focus comes back to the control that had it, and
    // starts on "OK".
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) {
            focusToRestore_ = focus;
        }
        return;
    }
    SetFocus(focusToRestore_ && IsWindow(focusToRestore_) ? focusToRestore_ : Control(IDOK));
}

void AboutWindow::OnCommand(int id) {
    // Esc comes as IDCANCEL: "OK" is the cancel button too.
    if (id == IDOK || id == IDCANCEL) {
        OnCmdOkClick();
    }
}

void AboutWindow::OnCmdOkClick() {
    mainWindow_.ShowMainWindow();
    OnClose();
    // The object is gone now.
}

void AboutWindow::OnClose() {
    // Never refused. The main window comes back before this one goes, so that
    // it, not some other program, becomes the active window.
    mainWindow_.ShowMainWindow();
    DestroyWindow(Handle());
}

} // namespace

HWND OpenAboutWindow(MainWindowAccess& mainWindow) {
    auto window = std::make_unique<AboutWindow>(mainWindow);
    if (!window->Create()) {
        return nullptr;
    }
    HWND handle = window->Handle();
    window.release()->Show();
    return handle;
}

} // namespace qm

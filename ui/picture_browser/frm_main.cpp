#include "frm_main.h"

#include "dialog_font.h"
#include "frm_main_bitmap_file.h"
#include "frm_main_drives.h"
#include "frm_main_folder_list.h"
#include "frm_main_folder_scan.h"
#include "frm_main_layout.h"
#include "frm_main_list_box.h"
#include "frm_main_open.h"
#include "frm_main_paths.h"
#include "graphics_program.h"
#include "handles.h"
#include "backed_up_commands.h"
#include "main_window_access.h"
#include "message_box.h"
#include "picture_view.h"
#include "resource_ids.h"
#include "window.h"
#include "window_text.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace qm {
namespace {

using namespace frmmain;

constexpr wchar_t kClassName[] = L"QmPictureBrowser";
constexpr wchar_t kCaption[] = L"Marquelle XP Picture Browser";
// A thin fixed frame with the system menu and close button only.
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

HICON LoadMainIcon(int widthMetric, int heightMetric) {
    // Shared: the class keeps it for the life of the process.
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN),
                                         IMAGE_ICON, GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

HBITMAP LoadPlaceholder() {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDB_PREVIEW_PLACEHOLDER), IMAGE_BITMAP,
                                           0, 0, LR_CREATEDIBSECTION));
}

std::wstring ProcessCurrentFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    const DWORD length = size ? GetCurrentDirectoryW(size, folder.data()) : 0;
    folder.resize(length < size ? length : 0);
    return NormalizeFolder(folder);
}

bool IsPushButton(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    const LONG_PTR type = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(className, L"Button") == 0 &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// The hidden Text1 as the graphics program's current path; the Open dialog is
// modal to the browser.
class Text1ProgramPath final : public CurrentProgramPath {
public:
    explicit Text1ProgramPath(HWND browser) : browser_(browser) {}
    std::wstring Get() const override { return WindowText(GetDlgItem(browser_, Text1)); }
    void Set(const std::wstring& path) override {
        SetWindowTextW(GetDlgItem(browser_, Text1), path.c_str());
    }
    void* DialogOwner() const override { return browser_; }

private:
    HWND browser_;
};

class PictureBrowser final : public Window {
public:
    PictureBrowser(Platform& platform, MainWindowAccess& mainWindow, DriveReadiness& drives)
        : platform_(platform), mainWindow_(mainWindow), drives_(drives),
          scale_(TwipsScale::ForScreen()) {}
    ~PictureBrowser() override {
        // Destroy the controls while the font they use still exists.
        if (Handle()) {
            DestroyWindow(Handle());
        }
    }

    // Creates the window, its controls and lists, and runs its load; placed,
    // not yet shown. Returns false when the system refuses any of it.
    bool Create();
    // Hands this object to its window, which deletes it after its last
    // message, and shows the window.
    void Show();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnCreate();
    void SetDriveListDropHeight();
    void StartLists();
    void FillDriveList(wchar_t current);
    void OnLoad();

    void OnCommand(int id, int code);
    void OnButtonClick(int id);
    void OnDrive1Notify(int code);
    void OnDrive1Change();
    void SelectDrive(wchar_t letter);
    bool PointFolderListAtDrive(wchar_t letter);
    bool PointFolderListAt(const std::wstring& folder);
    void OnDir1Change(const std::vector<std::wstring>& bitmapNames);
    void OnDir1Open();
    void OnFile1Click();
    void OnCommand1Click();
    void OnCommand2Click();
    void OnCommand3Click();
    void OnCommand4Click();
    void OnEnter();
    void OnClose();
    void Unload();

    void OnActivate(bool active);
    LRESULT OnVKeyToItem(HWND list, int key);
    void OnMeasureItem(MEASUREITEMSTRUCT& item) const;
    void OnDrawItem(const DRAWITEMSTRUCT& item) const;

    HWND Control(int id) const { return GetDlgItem(Handle(), id); }
    Text1ProgramPath ProgramPath() const { return Text1ProgramPath(Handle()); }

    Platform& platform_;
    MainWindowAccess& mainWindow_;
    DriveReadiness& drives_;
    const TwipsScale scale_;
    OwnedFont font_;
    bool controlsCreated_ = false;
    // The control that had the focus when the window was last deactivated.
    HWND focusToRestore_ = nullptr;

    // Drive1: the letter of each item, and the item whose change was handled last.
    std::vector<wchar_t> driveLetters_;
    int shownDrive_ = -1;
    // Dir1: the folder it shows and its items.
    std::wstring dir1Folder_;
    std::vector<FolderEntry> folderEntries_;
    // File1: the folder its names come from.
    std::wstring file1Folder_;
    // The controls a selection in File1 uses, looked up once: under Wine each
    // lookup by id asks the server.
    HWND fileList_ = nullptr;
    HWND preview_ = nullptr;
};

bool PictureBrowser::Create() {
    if (!RegisterPictureView()) {
        return false;
    }
    const WindowClass windowClass{kClassName, LoadMainIcon(SM_CXICON, SM_CYICON),
                                  LoadMainIcon(SM_CXSMICON, SM_CYSMICON)};
    const RECT frame =
        FrameForClientArea(scale_, kClientArea, kFrameStyle, WS_EX_CONTROLPARENT, false);
    if (!Window::Create(windowClass, kCaption, kFrameStyle, WS_EX_CONTROLPARENT, frame)) {
        return false;
    }
    return controlsCreated_;
}

void PictureBrowser::Show() {
    DeleteOnFinalMessage();
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    // Activation puts the focus on File1 (OnActivate); this covers a window
    // that the system shows without activating it.
    if (!IsChild(Handle(), GetFocus())) {
        SetFocus(Control(File1));
    }
}

LRESULT PictureBrowser::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_VKEYTOITEM:
        return OnVKeyToItem(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    case WM_MEASUREITEM:
        OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return 0;
    }
    return Default(message, wParam, lParam);
}

void PictureBrowser::OnCreate() {
    font_ = CreateDialogFont(scale_);
    controlsCreated_ = CreateControls(Handle(), kControls, kControlCount, scale_, font_.Get());
    fileList_ = Control(File1);
    preview_ = Control(imgBrowser);
    SetDriveListDropHeight();
    // The path may be as long as the system allows.
    SendMessageW(Control(Text1), EM_SETLIMITTEXT, 0, 0);
    SetViewPicture(Control(imgBrowser), LoadPlaceholder());
    StartLists();
    OnLoad();
}

void PictureBrowser::SetDriveListDropHeight() {
    // A combo box takes its height from its font; the height it is given is
    // that of its list when dropped down.
    HWND combo = Control(Drive1);
    RECT place{};
    GetWindowRect(combo, &place);
    SetWindowPos(combo, nullptr, 0, 0, place.right - place.left,
                 place.bottom - place.top + scale_.ToPixels(kDriveListDropHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBrowser::StartLists() {
    // The lists start at the process's current drive and folder.
    const std::wstring start = ProcessCurrentFolder();
    FillDriveList(DriveLetterOf(start));
    PointFolderListAt(start);
}

void PictureBrowser::FillDriveList(wchar_t current) {
    HWND combo = Control(Drive1);
    for (const DriveEntry& drive : ListDrives()) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.text.c_str()));
        driveLetters_.push_back(drive.letter);
    }
    const auto found = std::find(driveLetters_.begin(), driveLetters_.end(), current);
    if (found != driveLetters_.end()) {
        shownDrive_ = static_cast<int>(found - driveLetters_.begin());
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(shownDrive_), 0);
    }
}

void PictureBrowser::OnLoad() {
    // The file list's pattern, "*.bmp", is its own from creation.
    Text1ProgramPath programPath = ProgramPath();
    programPath.Set(LoadGraphicsProgramPath(platform_));
    if (!programPath.Get().empty()) {
        ShowWindow(Control(Command4), SW_SHOW);
    }
}

void PictureBrowser::OnCommand(int id, int code) {
    switch (id) {
    case Drive1:
        OnDrive1Notify(code);
        break;
    case Dir1:
        if (code == LBN_DBLCLK) {
            OnDir1Open();
        }
        break;
    case File1:
        if (code == LBN_SELCHANGE) {
            OnFile1Click();
        }
        break;
    default:
        if (code == BN_CLICKED) {
            OnButtonClick(id);
        }
        break;
    }
}

void PictureBrowser::OnButtonClick(int id) {
    switch (id) {
    case Command1:
        OnCommand1Click();
        break;
    case Command2:
        OnCommand2Click();
        break;
    case Command3:
        OnCommand3Click();
        break;
    case Command4:
        OnCommand4Click();
        break;
    case IDOK:
        // Enter, as the dialog manager passes it on: there is no default button.
        OnEnter();
        break;
    }
}

void PictureBrowser::OnDrive1Notify(int code) {
    // While the list is dropped down the user is still choosing; the choice
    // counts when it closes.
    const bool dropped = SendMessageW(Control(Drive1), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    if ((code == CBN_SELCHANGE && !dropped) || code == CBN_CLOSEUP) {
        OnDrive1Change();
    }
}

void PictureBrowser::OnDrive1Change() {
    HWND combo = Control(Drive1);
    const int index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    if (index < 0 || index >= static_cast<int>(driveLetters_.size()) || index == shownDrive_) {
        return;
    }
    shownDrive_ = index;
    if (PointFolderListAtDrive(driveLetters_[index])) {
        return;
    }
    ShowMessage(Handle(),
                L"Drive " + ComboItemText(combo, index) + L" is not ready, or contains no media.");
    // Runs this handling again, nested, unless C is already shown; the failed
    // drive is not tried again.
    SelectDrive(L'C');
}

void PictureBrowser::SelectDrive(wchar_t letter) {
    const auto found = std::find(driveLetters_.begin(), driveLetters_.end(), letter);
    if (found == driveLetters_.end()) {
        return;
    }
    HWND combo = Control(Drive1);
    const int index = static_cast<int>(found - driveLetters_.begin());
    if (index == static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0))) {
        return;
    }
    // Setting the selection sends no notification: the change is handled here, at once.
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    OnDrive1Change();
}

bool PictureBrowser::PointFolderListAtDrive(wchar_t letter) {
    if (!drives_.IsReady(letter)) {
        return false;
    }
    // A current folder that has gone since leaves the root.
    return PointFolderListAt(DriveCurrentFolder(letter)) || PointFolderListAt(DriveRoot(letter));
}

bool PictureBrowser::PointFolderListAt(const std::wstring& folder) {
    std::optional<FolderContents> contents = ReadFolder(folder);
    if (!contents) {
        return false;
    }
    dir1Folder_ = folder;
    folderEntries_ = FolderListEntries(folder, contents->subfolders);
    ShowFolderEntries(Control(Dir1), folderEntries_);
    OnDir1Change(contents->bitmapNames);
    return true;
}

void PictureBrowser::OnDir1Change(const std::vector<std::wstring>& bitmapNames) {
    // File1 lists Dir1's folder, from the same reading that filled Dir1: a
    // folder that could not be read never gets this far, and File1 keeps its
    // former folder.
    file1Folder_ = dir1Folder_;
    ReplaceListItems(Control(File1), bitmapNames);
}

void PictureBrowser::OnDir1Open() {
    const LRESULT index = SendMessageW(Control(Dir1), LB_GETCURSEL, 0, 0);
    if (index < 0 || index >= static_cast<LRESULT>(folderEntries_.size())) {
        return;
    }
    // Copied: pointing the list elsewhere replaces the entries.
    const std::wstring folder = folderEntries_[static_cast<std::size_t>(index)].path;
    PointFolderListAt(folder);
}

void PictureBrowser::OnFile1Click() {
    const std::wstring name = SelectedItemText(fileList_);
    if (name.empty()) {
        return;
    }
    // A file that cannot be loaded leaves the preview as it was.
    RECT shown{};
    GetClientRect(preview_, &shown);
    if (HBITMAP picture =
            LoadBitmapFile(JoinPath(file1Folder_, name), SIZE{shown.right, shown.bottom})) {
        SetViewPicture(preview_, picture);
    }
}

void PictureBrowser::OnCommand1Click() {
    const std::wstring name = SelectedItemText(Control(File1));
    if (name.empty()) {
        ShowMessage(Handle(), L"Please choose a bitmap to use for oem image");
        return;
    }
    BackUpThenInstallLogo(platform_, dir1Folder_, name);
    // A copy: the preview's own picture goes with this window.
    if (HBITMAP picture = CopyPicture(ViewPicture(Control(imgBrowser)))) {
        mainWindow_.SetLogoPicture(picture);
    }
    mainWindow_.ShowMainWindow();
    Unload();
    // The object is gone now.
}

void PictureBrowser::OnCommand2Click() {
    mainWindow_.ShowMainWindow();
    Unload();
    // The object is gone now.
}

void PictureBrowser::OnCommand3Click() {
    Text1ProgramPath programPath = ProgramPath();
    LaunchGraphicsProgram(platform_, programPath);
}

void PictureBrowser::OnCommand4Click() {
    Text1ProgramPath programPath = ProgramPath();
    ChooseGraphicsProgram(platform_, programPath);
}

void PictureBrowser::OnEnter() {
    HWND focus = GetFocus();
    if (focus == Control(Dir1)) {
        OnDir1Open();
    } else if (IsChild(Handle(), focus) && IsPushButton(focus)) {
        SendMessageW(focus, BM_CLICK, 0, 0);
    }
}

void PictureBrowser::OnClose() {
    // Disabled, the window is behind a message box or the Open dialog, whose
    // handler still needs it; the user cannot close it then either.
    if (!IsWindowEnabled(Handle())) {
        return;
    }
    Unload();
}

void PictureBrowser::Unload() {
    // The main window comes back before this one goes, so that it, not some
    // other program, becomes the active window.
    mainWindow_.ShowMainWindow();
    DestroyWindow(Handle());
}

void PictureBrowser::OnActivate(bool active) {
    // As in a dialog box: the focus comes back to the control that had it, and
    // starts on File1.
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) {
            focusToRestore_ = focus;
        }
        return;
    }
    SetFocus(focusToRestore_ && IsWindow(focusToRestore_) ? focusToRestore_ : Control(File1));
}

LRESULT PictureBrowser::OnVKeyToItem(HWND list, int key) {
    if (list == Control(Dir1) && key == VK_RETURN) {
        OnDir1Open();
        return -2; // handled
    }
    return -1; // the list box's own handling
}

void PictureBrowser::OnMeasureItem(MEASUREITEMSTRUCT& item) const {
    if (item.CtlID != static_cast<UINT>(Dir1)) {
        return;
    }
    WindowDc screen(nullptr);
    ScopedSelect select(screen.Get(), font_.Get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    item.itemHeight = static_cast<UINT>(metrics.tmHeight + 2);
}

void PictureBrowser::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlID != static_cast<UINT>(Dir1)) {
        return;
    }
    if (item.itemID >= folderEntries_.size()) {
        // An empty list still shows where the focus is.
        if (item.itemState & ODS_FOCUS) {
            DrawFocusRect(item.hDC, &item.rcItem);
        }
        return;
    }
    DrawFolderEntry(item, folderEntries_[item.itemID], scale_.ToPixels(120));
}

} // namespace

HWND OpenPictureBrowser(Platform& platform, MainWindowAccess& mainWindow, DriveReadiness& drives) {
    auto browser = std::make_unique<PictureBrowser>(platform, mainWindow, drives);
    if (!browser->Create()) {
        return nullptr;
    }
    HWND handle = browser->Handle();
    browser.release()->Show();
    return handle;
}

HWND OpenPictureBrowser(Platform& platform, MainWindowAccess& mainWindow) {
    return OpenPictureBrowser(platform, mainWindow, HostDriveReadiness());
}

} // namespace qm

#include "frm_main_layout.h"

#include "picture_view.h"

#include <iterator>

namespace qm::frmmain {
namespace {

constexpr DWORD kListStyle =
    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
// Owner-drawn for the indentation; Enter reaches the window through
// WM_VKEYTOITEM when no dialog manager takes it first.
constexpr DWORD kFolderListStyle =
    kListStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_WANTKEYBOARDINPUT;
constexpr DWORD kDriveListStyle = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_PUSHBUTTON;

} // namespace

const ControlSpec kControls[] = {
    {File1, L"LISTBOX", L"", 3120, 120, 2055, 2235, kListStyle, WS_EX_CLIENTEDGE},
    {Dir1, L"LISTBOX", L"", 240, 480, 2535, 1890, kFolderListStyle, WS_EX_CLIENTEDGE},
    {Drive1, L"COMBOBOX", L"", 240, 120, 2535, 315, kDriveListStyle, 0},
    {Command1, L"BUTTON", L"Use this Logo", 360, 4680, 2175, 495, WS_VISIBLE | kButtonStyle, 0},
    {Command2, L"BUTTON", L"Cancel", 2880, 4680, 2175, 495, WS_VISIBLE | kButtonStyle, 0},
    {Command3, L"BUTTON", L"Launch Graphics Program To Create Or Modify Your Logo", 360, 5400, 4695,
     375, WS_VISIBLE | kButtonStyle, 0},
    // Hidden until the load finds a stored program.
    {Command4, L"BUTTON", L"Change Default Graphics Program For Logo Editing", 360, 5880, 4695, 375,
     kButtonStyle, 0},
    {Label1, L"STATIC",
     L"The image must be a bitmap (*.bmp), and be 172 x 100 for Windows XP, and 176 x 110 for all "
     L"other Windows systems.",
     120, 6480, 5175, 495, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0},
    // Never visible: it only holds the graphics program's path.
    {Text1, L"EDIT", L"", 120, 5880, 5175, 375, ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {imgBrowser, kPictureViewClass, L"", 1440, 2760, 2580, 1500, WS_VISIBLE, 0},
};

const std::size_t kControlCount = std::size(kControls);

} // namespace qm::frmmain

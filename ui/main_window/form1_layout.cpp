#include "form1_layout.h"

#include "form1.h"
#include "picture_view.h"

#include <iterator>

namespace qm::form1 {
namespace {

// The nine detail rows: a caption box at left and its value box beside it, both
// at the row's top.
constexpr int kLabelLeft = 240, kLabelWidth = 1575, kLabelHeight = 255;
constexpr int kValueLeft = 1920, kValueWidth = 3255, kValueHeight = 285;
constexpr int kButtonLeft = 3240, kButtonWidth = 1935, kButtonHeight = 375;

// Captions look like labels but are locked edit boxes, so their text can still be
// selected and copied.
constexpr DWORD kLabelStyle = WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kValueStyle = WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

constexpr ControlSpec Label(int id, const wchar_t* text, int top) {
    return {id, L"EDIT", text, kLabelLeft, top, kLabelWidth, kLabelHeight, kLabelStyle, 0};
}

constexpr ControlSpec Value(int id, const wchar_t* text, int top) {
    return {id,          L"EDIT",      text,        kValueLeft,      top,
            kValueWidth, kValueHeight, kValueStyle, WS_EX_CLIENTEDGE};
}

constexpr ControlSpec Button(int id, const wchar_t* caption, int top) {
    return {id, L"BUTTON", caption, kButtonLeft, top, kButtonWidth, kButtonHeight, kButtonStyle, 0};
}

} // namespace

const ControlSpec kControls[] = {
    Button(Command1, L"Choose Custom Logo", 4680),
    Button(Command2, L"Preview", 5160),
    Button(Command3, L"Apply Changes", 5640),
    Value(Text1, L"Quorvane", 120),
    Value(Text2, L"R-idozuvov W3400", 600),
    Value(Text3, L"Dorran Pellicott", 1080),
    Value(Text4, L"support@example.com", 1560),
    Value(Text5, L"000-000-0000", 2040),
    Value(Text6, L"000-000-0000", 2520),
    Label(Text7, L"Manufacturer", 120),
    Label(Text8, L"Model", 600),
    Label(Text9, L"Support Name", 1080),
    Label(Text10, L"Support E-Mail", 1560),
    Label(Text11, L"Support Phone", 2040),
    Label(Text12, L"Support Fax", 2520),
    Button(Command4, L"Remove Oem", 6120),
    Value(Text14, L"1200 Harbor Lane, Suite 4", 3000),
    Value(Text15, L"Anytown, WA 98000", 3480),
    Label(Text16, L"Support Address 1", 3000),
    Label(Text17, L"Support Address 2", 3480),
    Value(Text19, L"http://www.example.com/~dorran", 3960),
    Label(Text20, L"Support Website", 3960),
    // Never shown: it only holds the quote that wraps every support line.
    {Text13, L"EDIT", L"\"", 0, 0, 0, 0, ES_AUTOHSCROLL, 0},
    {Image1, kPictureViewClass, nullptr, 240, 4800, 2580, 1500, WS_VISIBLE, 0},
};
const std::size_t kControlCount = std::size(kControls);

const ToolTipSpec kToolTips[] = {
    {Command1,
     L"Click here to choose the custom logo you wish to be displayed in system properties."},
    {Command2, L"Click here to preview the changes."},
    {Command3, L"Click here to apply the changes."},
    {Command4, L"Click here to remove all modifications Marquelle has made."},
    {Image1, L"(c) 2026 Quorvane"},
};
const std::size_t kToolTipCount = std::size(kToolTips);

} // namespace qm::form1

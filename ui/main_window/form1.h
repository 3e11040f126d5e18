#pragma once
// The main window: nine OEM detail fields with their captions, the logo view, four
// buttons and the Exit / About menu bar. Created once at start and only ever hidden,
// so its fields and logo survive visits to the other windows.

#include "handles.h"
#include "main_window_access.h"
#include "tool_tips.h"
#include "window.h"

#include <windows.h>

#include <memory>

namespace qm {

class Platform;

// The window's controls, by their names. Ids stay clear of IDOK and IDCANCEL, which
// the dialog manager sends for Enter and Escape.
namespace form1 {
enum ControlId : int {
    Command1 = 1101, // "Choose Custom Logo"
    Command2 = 1102, // "Preview"
    Command3 = 1103, // "Apply Changes"
    Command4 = 1104, // "Remove Oem"
    Text1 = 1111,    // value boxes: Text1..Text6, Text14, Text15, Text19
    Text2 = 1112,
    Text3 = 1113,
    Text4 = 1114,
    Text5 = 1115,
    Text6 = 1116,
    Text7 = 1117, // label boxes: Text7..Text12, Text16, Text17, Text20
    Text8 = 1118,
    Text9 = 1119,
    Text10 = 1120,
    Text11 = 1121,
    Text12 = 1122,
    Text13 = 1123, // hidden quote field
    Text14 = 1124,
    Text15 = 1125,
    Text16 = 1126,
    Text17 = 1127,
    Text19 = 1129,
    Text20 = 1130,
    Image1 = 1140, // logo view
};
} // namespace form1

inline constexpr wchar_t kForm1ClassName[] = L"QmForm1";

class Form1 final : public Window, public MainWindowAccess {
public:
    // The platform is what the branding commands act through.
    explicit Form1(Platform& platform);
    ~Form1() override;

    // Creates the window with its controls and menu, placed but hidden. Returns
    // false when the system refuses the window itself.
    bool Create();
    // The first show: visible, with the focus on "Choose Custom Logo".
    void Show();

    // MainWindowAccess
    void ShowMainWindow() override;
    void SetLogoPicture(HBITMAP picture) override;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnCreate();
    void OnCommand(int id);
    LRESULT OnControlColorStatic(HDC dc);
    // True when it put the focus back itself.
    bool OnActivate(bool active);

    void OnCommand1Click(); // Choose Custom Logo
    void OnCommand2Click(); // Preview
    void OnCommand3Click(); // Apply Changes
    void OnCommand4Click(); // Remove Oem
    void OnExitClick();
    void OnAboutClick();

    void HideForHandOff();
    void EndProgram();

    Platform& platform_;
    OwnedFont font_;
    std::unique_ptr<ToolTips> toolTips_;
    // The control that had the focus when the window was last deactivated.
    HWND focusToRestore_ = nullptr;
};

} // namespace qm

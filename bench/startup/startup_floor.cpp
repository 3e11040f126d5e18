// The start-up floor: the main window's frame, menu bar and controls made by
// plain CreateWindowExW calls and painted, with no resources (no icon, pictures
// or manifest) and none of the program's logic. The start-up benchmark times the
// program against this; what it measures is everything the program adds.

#include <windows.h>

#include <commctrl.h>

#include <iterator>

namespace {

struct Control {
    const wchar_t* className;
    const wchar_t* text;
    int left, top, width, height; // twips
    DWORD style;
    DWORD exStyle;
};

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kValue = WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kLabel = kValue | ES_READONLY;

// The main window's controls in its Tab order, at its places.
const Control kControls[] = {
    {L"BUTTON", L"Choose Custom Logo", 3240, 4680, 1935, 375, kButton, 0},
    {L"BUTTON", L"Preview", 3240, 5160, 1935, 375, kButton, 0},
    {L"BUTTON", L"Apply Changes", 3240, 5640, 1935, 375, kButton, 0},
    {L"EDIT", L"Quorvane", 1920, 120, 3255, 285, kValue, WS_EX_CLIENTEDGE},
    {L"EDIT", L"R-idozuvov W3400", 1920, 600, 3255, 285, kValue, WS_EX_CLIENTEDGE},
    {L"EDIT", L"Dorran Pellicott", 1920, 1080, 3255, 285, kValue, WS_EX_CLIENTEDGE},
    {L"EDIT", L"support@example.com", 1920, 1560, 3255, 285, kValue, WS_EX_CLIENTEDGE},
    {L"EDIT", L"000-000-0000", 1920, 2040, 3255, 285, kValue, WS_EX_CLIENTEDGE},
    {L"EDIT", L"000-000-0000", 1920, 2520, 3255, 285, kValue, WS_EX_CLIENTEDGE},
    {L"EDIT", L"Manufacturer", 240, 120, 1575, 255, kLabel, 0},
    {L"EDIT", L"Model", 240, 600, 1575, 255, kLabel, 0},
    {L"EDIT", L"Support Name", 240, 1080, 1575, 255, kLabel, 0},
    {L"EDIT", L"Support E-Mail", 240, 1560, 1575, 255, kLabel, 0},
    {L"EDIT", L"Support Phone", 240, 2040, 1575, 255, kLabel, 0},
    {L"EDIT", L"Support Fax", 240, 2520, 1575, 255, kLabel, 0},
    {L"BUTTON", L"Remove Oem", 3240, 6120, 1935, 375, kButton, 0},
    {L"EDIT", L"1200 Harbor Lane, Suite 4", 1920, 3000, 3255, 285, kValue, WS_EX_CLIENTEDGE},
    {L"EDIT", L"Anytown, WA 98000", 1920, 3480, 3255, 285, kValue, WS_EX_CLIENTEDGE},
    {L"EDIT", L"Support Address 1", 240, 3000, 1575, 255, kLabel, 0},
    {L"EDIT", L"Support Address 2", 240, 3480, 1575, 255, kLabel, 0},
    {L"EDIT", L"http://www.example.com/~dorran", 1920, 3960, 3255, 285, kValue, WS_EX_CLIENTEDGE},
    {L"EDIT", L"Support Website", 240, 3960, 1575, 255, kLabel, 0},
    {L"EDIT", L"\"", 0, 0, 0, 0, ES_AUTOHSCROLL, 0},
    // Stands in for the logo view: a control of the same size that paints itself.
    {L"STATIC", L"", 240, 4800, 2580, 1500, WS_VISIBLE | SS_GRAYRECT, 0},
};

const wchar_t* const kTips[] = {
    L"Click here to choose the custom logo you wish to be displayed in system properties.",
    L"Click here to preview the changes.",
    L"Click here to apply the changes.",
    L"Click here to remove all modifications Marquelle has made.",
    L"(c) 2026 Quorvane",
};
const int kTipControls[] = {0, 1, 2, 15, 23};

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FloorProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"QmStartupFloor";
    RegisterClassExW(&windowClass);

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    auto pixels = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };

    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 1, L"Exit");
    AppendMenuW(menu, MF_STRING, 2, L"About");

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame{pixels(5160), pixels(2685), pixels(5160 + 5520), pixels(2685 + 6840)};
    AdjustWindowRectEx(&frame, style, TRUE, WS_EX_CONTROLPARENT);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, L"QmStartupFloor", L"Quorvane Marquelle XP",
                                  style, frame.left, frame.top, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, menu, instance, nullptr);

    LOGFONTW logFont{};
    logFont.lfHeight = -MulDiv(8, dpi, 72);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(logFont.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&logFont);

    HWND made[std::size(kControls)] = {};
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        const Control& c = kControls[i];
        made[i] = CreateWindowExW(c.exStyle, c.className, c.text, WS_CHILD | c.style,
                                  pixels(c.left), pixels(c.top), pixels(c.width), pixels(c.height),
                                  window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)),
                                  instance, nullptr);
        SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                                nullptr, instance, nullptr);
    for (std::size_t i = 0; i < std::size(kTips); ++i) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(made[kTipControls[i]]);
        tool.lpszText = const_cast<wchar_t*>(kTips[i]);
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(made[0]);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    DeleteObject(font);
    return 0;
}

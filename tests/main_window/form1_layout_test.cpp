// Form1's frame, place and control geometry, read back from the windows, in pixels
// at 96 DPI (15 twips a pixel).

#include "form1_fixture.h"
#include "window_test_support.h"

#include <string>

namespace qm::test {
namespace {

using namespace form1;

TEST_F(Form1Test, ScreenIs96Dpi) {
    // The pixel figures below hold only at 96 DPI.
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(96, GetDeviceCaps(screen, LOGPIXELSX));
    EXPECT_EQ(96, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
}

TEST_F(Form1Test, ClientAreaHasItsFixedPlaceAndSize) {
    const RECT client = ClientOnScreen(Form());
    EXPECT_EQ(344, client.left);                // 5160 twips
    EXPECT_EQ(179, client.top);                 // 2685 twips
    EXPECT_EQ(368, client.right - client.left); // 5520 twips
    EXPECT_EQ(456, client.bottom - client.top); // 6840 twips
}

TEST_F(Form1Test, FrameIsFixedWithCloseButtonOnly) {
    const LONG style = GetWindowLongW(Form(), GWL_STYLE);
    EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_CHILD);
    const LONG exStyle = GetWindowLongW(Form(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_CONTROLPARENT);
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW); // keeps its taskbar button
    EXPECT_EQ(nullptr, GetWindow(Form(), GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(Form()));
    EXPECT_EQ(L"Quorvane Marquelle XP", TextOf(Form()));
}

TEST_F(Form1Test, CarriesTheProgramIcon) {
    EXPECT_NE(0u, GetClassLongPtrW(Form(), GCLP_HICON));
    EXPECT_NE(0u, GetClassLongPtrW(Form(), GCLP_HICONSM));
}

struct Placement {
    const char* name;
    int id;
    int left, top, width, height;
};

// Label boxes: 240 / 1575 x 255 twips; value boxes: 1920 / 3255 x 285 twips; rows
// every 480 twips from 120; buttons 3240 / 1935 x 375 twips.
constexpr Placement kPlacements[] = {
    {"Text7", Text7, 16, 8, 105, 17},          {"Text1", Text1, 128, 8, 217, 19},
    {"Text8", Text8, 16, 40, 105, 17},         {"Text2", Text2, 128, 40, 217, 19},
    {"Text9", Text9, 16, 72, 105, 17},         {"Text3", Text3, 128, 72, 217, 19},
    {"Text10", Text10, 16, 104, 105, 17},      {"Text4", Text4, 128, 104, 217, 19},
    {"Text11", Text11, 16, 136, 105, 17},      {"Text5", Text5, 128, 136, 217, 19},
    {"Text12", Text12, 16, 168, 105, 17},      {"Text6", Text6, 128, 168, 217, 19},
    {"Text16", Text16, 16, 200, 105, 17},      {"Text14", Text14, 128, 200, 217, 19},
    {"Text17", Text17, 16, 232, 105, 17},      {"Text15", Text15, 128, 232, 217, 19},
    {"Text20", Text20, 16, 264, 105, 17},      {"Text19", Text19, 128, 264, 217, 19},
    {"Command1", Command1, 216, 312, 129, 25}, {"Command2", Command2, 216, 344, 129, 25},
    {"Command3", Command3, 216, 376, 129, 25}, {"Command4", Command4, 216, 408, 129, 25},
    {"Image1", Image1, 16, 320, 172, 100},
};

TEST_F(Form1Test, EveryControlHasItsPlaceAndSize) {
    for (const Placement& p : kPlacements) {
        SCOPED_TRACE(p.name);
        HWND control = Control(p.id);
        ASSERT_NE(nullptr, control);
        const RECT r = PlaceOf(control);
        EXPECT_EQ(p.left, r.left);
        EXPECT_EQ(p.top, r.top);
        EXPECT_EQ(p.width, r.right - r.left);
        EXPECT_EQ(p.height, r.bottom - r.top);
        EXPECT_TRUE(IsWindowVisible(control));
    }
}

TEST_F(Form1Test, EveryControlUsesTheEightPointDialogFont) {
    HFONT shared = nullptr;
    for (const Placement& p : kPlacements) {
        if (p.id == Image1) {
            continue; // draws no text
        }
        SCOPED_TRACE(p.name);
        auto font = reinterpret_cast<HFONT>(SendMessageW(Control(p.id), WM_GETFONT, 0, 0));
        ASSERT_NE(nullptr, font);
        if (shared) {
            EXPECT_EQ(shared, font);
        }
        shared = font;
    }
    LOGFONTW logical{};
    ASSERT_TRUE(GetObjectW(shared, sizeof logical, &logical));
    EXPECT_EQ(-11, logical.lfHeight); // 8 points at 96 DPI
    EXPECT_EQ(FW_NORMAL, logical.lfWeight);
    EXPECT_EQ(std::wstring(L"MS Shell Dlg"), logical.lfFaceName);
}

struct Kind {
    const char* name;
    int id;
    bool label;
};

constexpr Kind kBoxes[] = {
    {"Text7", Text7, true},    {"Text8", Text8, true},    {"Text9", Text9, true},
    {"Text10", Text10, true},  {"Text11", Text11, true},  {"Text12", Text12, true},
    {"Text16", Text16, true},  {"Text17", Text17, true},  {"Text20", Text20, true},
    {"Text1", Text1, false},   {"Text2", Text2, false},   {"Text3", Text3, false},
    {"Text4", Text4, false},   {"Text5", Text5, false},   {"Text6", Text6, false},
    {"Text14", Text14, false}, {"Text15", Text15, false}, {"Text19", Text19, false},
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

TEST_F(Form1Test, LabelBoxesAreLockedAndBorderlessValueBoxesSunkenAndUnlimited) {
    for (const Kind& box : kBoxes) {
        SCOPED_TRACE(box.name);
        HWND control = Control(box.id);
        EXPECT_EQ(0, lstrcmpiW(L"Edit", ClassOf(control).c_str()));
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        const LONG exStyle = GetWindowLongW(control, GWL_EXSTYLE);
        EXPECT_FALSE(style & ES_MULTILINE);
        EXPECT_FALSE(style & WS_BORDER);
        EXPECT_EQ(box.label, (style & ES_READONLY) != 0);
        EXPECT_EQ(!box.label, (exStyle & WS_EX_CLIENTEDGE) != 0);
        if (!box.label) {
            EXPECT_TRUE(style & ES_AUTOHSCROLL);
            EXPECT_GE(static_cast<unsigned>(SendMessageW(control, EM_GETLIMITTEXT, 0, 0)),
                      0x7FFFFFFEu);
        }
    }
}

TEST_F(Form1Test, LabelBoxesAreDrawnInTheButtonFaceColour) {
    // Locked boxes ask their parent for colours; the answer is the system's brush,
    // the same one every time, not a new one per message.
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Kind& box : kBoxes) {
        if (!box.label) {
            continue;
        }
        SCOPED_TRACE(box.name);
        const LRESULT brush = SendMessageW(Form(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(Control(box.id)));
        EXPECT_EQ(reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)), brush);
        EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetBkColor(dc));
    }
    DeleteDC(dc);

    // And on the screen: the right end of a caption box, past its text, shows the
    // window's colour; the same spot of a value box shows the window background.
    RedrawWindow(Form(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPendingMessages();
    auto pixelAtRightEnd = [](HWND control) {
        RECT r{};
        GetClientRect(control, &r);
        POINT p{r.right - 3, (r.top + r.bottom) / 2};
        ClientToScreen(control, &p);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, p.x, p.y);
        ReleaseDC(nullptr, screen);
        return colour;
    };
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pixelAtRightEnd(Control(Text7)));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), pixelAtRightEnd(Control(Text1)));
}

TEST_F(Form1Test, ButtonsAreOrdinaryPushButtons) {
    // None is the default or the cancel button.
    for (int id : {Command1, Command2, Command3, Command4}) {
        SCOPED_TRACE(id);
        const LONG style = GetWindowLongW(Control(id), GWL_STYLE);
        EXPECT_EQ(BS_PUSHBUTTON, style & BS_TYPEMASK);
    }
}

} // namespace
} // namespace qm::test

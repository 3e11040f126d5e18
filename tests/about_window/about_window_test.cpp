// The about window, driven for real under Wine: its frame and places, its texts
// and colours, the keyboard, and every way back to the main window.

#include "about_test_support.h"
#include "fake_main_window.h"
#include "frm_about.h"
#include "frm_about_layout.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace qm::test {
namespace {

using about::kLblDescription;
using about::kLblDisclaimer;
using about::kLblTitle;
using about::kLblVersion;
using about::kPicIcon;

const std::wstring kTitle = L"Quorvane Marquelle XP";

SIZE SizeOf(const RECT& r) {
    return SIZE{r.right - r.left, r.bottom - r.top};
}

HWND Item(HWND about, int id) {
    return GetDlgItem(about, id);
}

// The hand-off as the main window does it: hide, then open.
HWND OpenFrom(FakeMainWindow& mainWindow) {
    mainWindow.HideForHandOff();
    HWND about = OpenAboutWindow(mainWindow);
    PumpAsTheProgram();
    return about;
}

// The tests that only look share one opening: under Wine without a window
// manager every hide of a window waits about two seconds.
class AboutWindowShown : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        mainWindow_ = new FakeMainWindow;
        PumpAsTheProgram();
        about_ = OpenFrom(*mainWindow_);
    }

    static void TearDownTestSuite() {
        if (IsWindow(about_)) {
            DestroyWindow(about_);
        }
        delete mainWindow_;
        PumpAsTheProgram();
    }

    void SetUp() override { ASSERT_TRUE(about_ && IsWindow(about_)); }

    static HWND Item(int id) { return GetDlgItem(about_, id); }

    static inline FakeMainWindow* mainWindow_ = nullptr;
    static inline HWND about_ = nullptr;
};

// The tests that press keys and close the window open it afresh each time.
class AboutWindowUse : public ::testing::Test {
protected:
    void SetUp() override {
        PumpAsTheProgram();
        windowsBefore_ = SortedTopLevelWindows();
        about_ = OpenFrom(mainWindow_);
        ASSERT_NE(about_, nullptr);
    }

    void TearDown() override {
        if (IsWindow(about_)) {
            DestroyWindow(about_);
        }
        PumpAsTheProgram();
    }

    static std::vector<HWND> SortedTopLevelWindows() {
        auto windows = TopLevelWindowsOfThisThread();
        std::sort(windows.begin(), windows.end());
        return windows;
    }

    FakeMainWindow mainWindow_;
    std::vector<HWND> windowsBefore_;
    HWND about_ = nullptr;
};

TEST_F(AboutWindowShown, HasAFixedDialogFrameWithCloseButtonOnly) {
    const LONG_PTR style = GetWindowLongPtrW(about_, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(about_, GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD));
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    // A tool window would get the small caption.
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_CONTROLPARENT);
    EXPECT_TRUE(IsWindowVisible(about_));
}

TEST_F(AboutWindowShown, OkIsTheDefaultButton) {
    HWND ok = Item(IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    // Asked by the dialog manager when Enter is pressed on another control.
    EXPECT_EQ(SendMessageW(about_, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
}

TEST_F(AboutWindowShown, ClientAreaLiesAtItsFixedPlaceOnTheScreen) {
    EXPECT_EQ(ClientOnScreen(about_), TwipsRect(5160, 2385, 5655, 3555));
    if (ScreenDpi() == 96) {
        EXPECT_EQ(ClientOnScreen(about_), (RECT{344, 159, 344 + 377, 159 + 237}));
    }
}

TEST_F(AboutWindowShown, ControlsLieAtTheirPlaces) {
    struct Place {
        int id;
        const char* name;
        int left, top, width, height;
    };
    const Place places[] = {
        {IDOK, "cmdOK", 4245, 2880, 1260, 345},
        {kLblTitle, "lblTitle", 1050, 240, 4245, 480},
        {kLblVersion, "lblVersion", 1050, 780, 4245, 225},
        {kLblDescription, "lblDescription", 1080, 1125, 4245, 1170},
        {kLblDisclaimer, "lblDisclaimer", 255, 2625, 3870, 825},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        ASSERT_NE(Item(place.id), nullptr);
        EXPECT_EQ(PlaceOf(Item(place.id)),
                  TwipsRect(place.left, place.top, place.width, place.height));
    }
}

TEST_F(AboutWindowShown, PictureBoxSizesItselfToItsPictureAndSunkenBorder) {
    HWND box = Item(kPicIcon);
    ASSERT_NE(box, nullptr);
    const RECT place = PlaceOf(box);
    const RECT expected = TwipsRect(120, 240, 780, 780);
    EXPECT_EQ(place.left, expected.left);
    EXPECT_EQ(place.top, expected.top);
    EXPECT_EQ(SizeOf(place).cx, 52);
    EXPECT_EQ(SizeOf(place).cy, 52);
    EXPECT_TRUE(GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    auto picture = reinterpret_cast<HBITMAP>(SendMessageW(box, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(picture, nullptr);
    BITMAP bitmap{};
    ASSERT_TRUE(GetObjectW(picture, sizeof bitmap, &bitmap));
    EXPECT_EQ(bitmap.bmWidth, 48);
    EXPECT_EQ(bitmap.bmHeight, 48);
    EXPECT_EQ(bitmap.bmBitsPixel, 24);
    RECT client{};
    GetClientRect(box, &client);
    EXPECT_EQ(SizeOf(client).cx, 48);
    EXPECT_EQ(SizeOf(client).cy, 48);
}

TEST_F(AboutWindowShown, CarriesTheBalloonIconInBothSizes) {
    struct Icon {
        WPARAM kind;
        LONG size;
    };
    for (const Icon icon : {Icon{ICON_BIG, 32}, Icon{ICON_SMALL, 16}}) {
        SCOPED_TRACE(icon.size);
        auto handle = reinterpret_cast<HICON>(SendMessageW(about_, WM_GETICON, icon.kind, 0));
        ASSERT_NE(handle, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(handle, &info));
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        if (info.hbmColor) {
            BITMAP colour{};
            GetObjectW(info.hbmColor, sizeof colour, &colour);
            EXPECT_EQ(colour.bmWidth, icon.size);
            EXPECT_EQ(colour.bmHeight, icon.size);
            DeleteObject(info.hbmColor);
        }
        EXPECT_EQ(mask.bmWidth, icon.size);
        DeleteObject(info.hbmMask);
    }
}

TEST_F(AboutWindowShown, ShowsTitleVersionAndDescription) {
    EXPECT_EQ(TextOf(about_), L"About " + kTitle);
    EXPECT_EQ(TextOf(Item(kLblTitle)), kTitle);
    EXPECT_EQ(TextOf(Item(kLblVersion)), L"Version 1.1.0");
    EXPECT_EQ(TextOf(Item(IDOK)), L"OK");

    const std::wstring description = TextOf(Item(kLblDescription));
    EXPECT_EQ(description,
              L"Marquelle allows you to add a custom logo and support information to the "
              L"properties tab of \x22my computer\x22 like major computer companies. Let all who "
              L"use your systems know that you are competitive. All information fields are "
              L"optional. If you do not wish to include your phone number, e-mail, or fax, etc., "
              L"simply leave these fields blank.");
    EXPECT_EQ(std::count(description.begin(), description.end(), L'"'), 2);
}

TEST_F(AboutWindowShown, DisclaimerNamesMakerYearRightsAndLimits) {
    const std::wstring notice = TextOf(Item(kLblDisclaimer));
    for (const wchar_t* part : {L"Quorvane", L"2026", L"All rights reserved", L"may not be altered",
                                L"not responsible", L"misuse"}) {
        EXPECT_NE(notice.find(part), std::wstring::npos)
            << "missing: " << std::string(part, part + wcslen(part));
    }
}

TEST_F(AboutWindowShown, LabelsWrapAtWordsWithinTheirBoxes) {
    for (int id : {kLblTitle, kLblVersion, kLblDescription, kLblDisclaimer}) {
        SCOPED_TRACE(id);
        HWND label = Item(id);
        const LONG_PTR style = GetWindowLongPtrW(label, GWL_STYLE);
        EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT);
        EXPECT_FALSE(style & WS_TABSTOP);

        RECT box{};
        GetClientRect(label, &box);
        const std::wstring text = TextOf(label);
        HDC dc = GetDC(label);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        RECT needed{0, 0, box.right, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        EXPECT_LE(needed.right, box.right);
        EXPECT_LE(needed.bottom, box.bottom) << "the text needs more height than its label has";
    }
}

TEST_F(AboutWindowShown, LabelsHaveBlackTextOnTheWindowBackground) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (int id : {kLblTitle, kLblVersion, kLblDescription, kLblDisclaimer}) {
        SCOPED_TRACE(id);
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        const LRESULT brush = SendMessageW(about_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(Item(id)));
        const COLORREF text = id == kLblVersion ? GetSysColor(COLOR_BTNTEXT) : RGB(0, 0, 0);
        EXPECT_EQ(GetTextColor(dc), text);
        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
        // The system's own brush each time: none is made per message.
        EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(COLOR_BTNFACE));
    }
    DeleteDC(dc);
}

TEST_F(AboutWindowShown, EtchedRuleIsAGreyLineOverATwoPixelWhiteLine) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF grey = RGB(128, 128, 128);
    const COLORREF white = RGB(255, 255, 255);
    ASSERT_NE(face, grey);
    ASSERT_NE(face, white);
    RedrawWindow(about_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    const RECT greyLine = TwipsRect(90, 2445, 5654 - 90, 0);
    const RECT whiteLine = TwipsRect(105, 2460, 5654 - 105, 0);
    RECT client{};
    GetClientRect(about_, &client);
    ASSERT_EQ(greyLine.right, client.right) << "the rule reaches the right edge";
    ASSERT_EQ(whiteLine.top, greyLine.top + 1) << "one pixel apart";

    struct Probe {
        int x, y;
        COLORREF colour;
    };
    const int y = greyLine.top;
    const Probe probes[] = {
        {greyLine.left - 1, y, face},      {greyLine.left, y, grey},
        {client.right - 1, y, grey},       {greyLine.left, y - 1, face},
        {whiteLine.left - 1, y + 1, face}, {whiteLine.left, y + 1, white},
        {whiteLine.left, y + 2, white},    {client.right - 1, y + 1, white},
        {client.right - 1, y + 2, white},  {whiteLine.left, y + 3, face},
        {client.right / 2, y, grey},       {client.right / 2, y + 2, white},
    };
    HDC dc = GetDC(about_);
    for (const Probe& probe : probes) {
        EXPECT_EQ(GetPixel(dc, probe.x, probe.y), probe.colour)
            << "at " << probe.x << ", " << probe.y;
    }
    ReleaseDC(about_, dc);
}

TEST_F(AboutWindowShown, NoTaskbarButtonAndOnlyOneVisibleWindowWhileOpen) {
    std::vector<HWND> visible;
    for (HWND window : TopLevelWindowsOfThisThread()) {
        EXPECT_FALSE(HasTaskbarButton(window)) << "window " << window;
        if (IsWindowVisible(window)) {
            visible.push_back(window);
        }
    }
    EXPECT_EQ(visible, std::vector<HWND>{about_});
    // Not owned by the main window: its owner is a window of its own, never shown.
    HWND owner = GetWindow(about_, GW_OWNER);
    EXPECT_NE(owner, nullptr);
    EXPECT_NE(owner, mainWindow_->Handle());
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_FALSE(GetWindowLongPtrW(about_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(AboutWindowUse, FocusStartsOnOkAndTabVisitsThePictureOnly) {
    EXPECT_EQ(GetActiveWindow(), about_);
    EXPECT_EQ(GetFocus(), Item(about_, IDOK));
    PostKeyPress(VK_TAB);
    PumpAsTheProgram();
    EXPECT_EQ(GetFocus(), Item(about_, kPicIcon));
    PostKeyPress(VK_TAB);
    PumpAsTheProgram();
    EXPECT_EQ(GetFocus(), Item(about_, IDOK));
}

struct WayBack {
    const char* name;
    std::function<void(HWND about)> act;
};

TEST_F(AboutWindowUse, EveryWayOfClosingBringsBackTheMainWindowAndDestroysTheWindow) {
    const WayBack ways[] = {
        {"click OK", [](HWND about) { SendMessageW(Item(about, IDOK), BM_CLICK, 0, 0); }},
        {"Enter on OK", [](HWND) { PostKeyPress(VK_RETURN); }},
        {"Enter on the picture",
         [](HWND about) {
             SetFocus(Item(about, kPicIcon));
             PostKeyPress(VK_RETURN);
         }},
        {"Esc", [](HWND) { PostKeyPress(VK_ESCAPE); }},
        {"Esc on the picture",
         [](HWND about) {
             SetFocus(Item(about, kPicIcon));
             PostKeyPress(VK_ESCAPE);
         }},
        {"WM_CLOSE", [](HWND about) { PostMessageW(about, WM_CLOSE, 0, 0); }},
        {"close button or system menu Close (SC_CLOSE)",
         [](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4",
         [](HWND) {
             const LPARAM altDown = static_cast<LPARAM>(KF_ALTDOWN) << 16;
             PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F4, 1 | altDown);
         }},
    };
    for (const WayBack& way : ways) {
        SCOPED_TRACE(way.name);
        if (!IsWindow(about_)) {
            about_ = OpenFrom(mainWindow_);
        }
        ASSERT_NE(about_, nullptr);
        ASSERT_FALSE(IsWindowVisible(mainWindow_.Handle()));
        const int showsBefore = mainWindow_.ShowCalls();

        way.act(about_);
        EXPECT_TRUE(PumpAsTheProgramUntil([this] { return !IsWindow(about_); }));
        EXPECT_GT(mainWindow_.ShowCalls(), showsBefore);
        EXPECT_TRUE(IsWindowVisible(mainWindow_.Handle()));
        // The window and its hidden owner are both gone.
        EXPECT_EQ(SortedTopLevelWindows(), windowsBefore_);
    }
}

TEST_F(AboutWindowUse, EachOpeningIsANewWindowWithTheSameTexts) {
    auto texts = [](HWND about) {
        std::vector<std::wstring> all{TextOf(about)};
        for (int id : {kLblTitle, kLblVersion, kLblDescription, kLblDisclaimer}) {
            all.push_back(TextOf(Item(about, id)));
        }
        return all;
    };
    const auto first = texts(about_);
    SendMessageW(Item(about_, IDOK), BM_CLICK, 0, 0);
    PumpAsTheProgram();
    ASSERT_FALSE(IsWindow(about_));

    about_ = OpenFrom(mainWindow_);
    ASSERT_NE(about_, nullptr);
    EXPECT_EQ(texts(about_), first);
    EXPECT_EQ(GetFocus(), Item(about_, IDOK));
}

} // namespace
} // namespace qm::test

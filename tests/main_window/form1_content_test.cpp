// What Form1 shows at start: texts, tool tips, menu, logo and the hidden quote.

#include "form1_fixture.h"
#include "picture_view.h"
#include "resource_ids.h"
#include "window_test_support.h"

#include <commctrl.h>

#include <memory>
#include <string>

namespace qm::test {
namespace {

using namespace form1;

struct InitialText {
    const char* name;
    int id;
    const wchar_t* text;
};

TEST_F(Form1Test, ControlsStartWithTheirTexts) {
    const InitialText kTexts[] = {
        {"Text7", Text7, L"Manufacturer"},
        {"Text8", Text8, L"Model"},
        {"Text9", Text9, L"Support Name"},
        {"Text10", Text10, L"Support E-Mail"},
        {"Text11", Text11, L"Support Phone"},
        {"Text12", Text12, L"Support Fax"},
        {"Text16", Text16, L"Support Address 1"},
        {"Text17", Text17, L"Support Address 2"},
        {"Text20", Text20, L"Support Website"},
        {"Text1", Text1, L"Quorvane"},
        {"Text2", Text2, L"R-idozuvov W3400"},
        {"Text3", Text3, L"Dorran Pellicott"},
        {"Text5", Text5, L"000-000-0000"},
        {"Text6", Text6, L"000-000-0000"},
        {"Command1", Command1, L"Choose Custom Logo"},
        {"Command2", Command2, L"Preview"},
        {"Command3", Command3, L"Apply Changes"},
        {"Command4", Command4, L"Remove Oem"},
    };
    for (const InitialText& t : kTexts) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(t.text, TextOf(Control(t.id)));
    }
}

TEST_F(Form1Test, SampleAddressesUseReservedExampleDomains) {
    const std::wstring email = TextOf(Control(Text4));
    const std::wstring website = TextOf(Control(Text19));
    EXPECT_NE(std::wstring::npos, email.find(L'@'));
    EXPECT_EQ(L"@example.com", email.substr(email.find(L'@')));
    EXPECT_EQ(0u, website.find(L"http://www.example.com/"));
    EXPECT_FALSE(TextOf(Control(Text14)).empty());
    EXPECT_FALSE(TextOf(Control(Text15)).empty());
}

TEST_F(Form1Test, QuoteFieldIsHiddenAndHoldsOneDoubleQuote) {
    HWND quote = Control(Text13);
    ASSERT_NE(nullptr, quote);
    EXPECT_FALSE(IsWindowVisible(quote));
    EXPECT_EQ(L"\"", TextOf(quote));
}

TEST_F(Form1Test, LogoViewStartsWithTheDefaultLogoFillingIt) {
    HWND view = Control(Image1);
    wchar_t className[64] = {};
    GetClassNameW(view, className, 64);
    EXPECT_EQ(std::wstring(kPictureViewClass), className);
    EXPECT_FALSE(GetWindowLongW(view, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongW(view, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));

    DIBSECTION dib{};
    ASSERT_EQ(static_cast<int>(sizeof dib), GetObjectW(ViewPicture(view), sizeof dib, &dib));
    EXPECT_EQ(172, dib.dsBm.bmWidth);
    EXPECT_EQ(100, dib.dsBm.bmHeight);
    EXPECT_EQ(24, dib.dsBm.bmBitsPixel);

    // Shown unscaled: the view's pixels are the picture's pixels.
    HBITMAP own = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                  MAKEINTRESOURCEW(IDB_DEFAULT_LOGO), IMAGE_BITMAP,
                                                  0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, own);
    HDC screen = GetDC(nullptr);
    HDC picture = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(picture, own);
    RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPendingMessages();
    POINT origin{0, 0};
    ClientToScreen(view, &origin);
    int differing = 0;
    for (int y = 0; y < 100; y += 9) {
        for (int x = 0; x < 172; x += 7) {
            differing += GetPixel(screen, origin.x + x, origin.y + y) != GetPixel(picture, x, y);
        }
    }
    EXPECT_EQ(0, differing);
    SelectObject(picture, old);
    DeleteDC(picture);
    ReleaseDC(nullptr, screen);
    DeleteObject(own);
}

struct ToolTipsSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchToolTips(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ToolTipsSearch*>(param);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == search->owner) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindToolTips(HWND owner) {
    ToolTipsSearch search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchToolTips, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ToolTipOf(HWND tips, HWND owner, HWND control) {
    wchar_t text[512] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST_F(Form1Test, ButtonsAndLogoCarryTheirToolTips) {
    HWND tips = FindToolTips(Form());
    ASSERT_NE(nullptr, tips);
    EXPECT_EQ(5, SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(L"Click here to choose the custom logo you wish to be displayed in system "
              L"properties.",
              ToolTipOf(tips, Form(), Control(Command1)));
    EXPECT_EQ(L"Click here to preview the changes.", ToolTipOf(tips, Form(), Control(Command2)));
    EXPECT_EQ(L"Click here to apply the changes.", ToolTipOf(tips, Form(), Control(Command3)));
    EXPECT_EQ(L"Click here to remove all modifications Marquelle has made.",
              ToolTipOf(tips, Form(), Control(Command4)));
    const std::wstring logoTip = ToolTipOf(tips, Form(), Control(Image1));
    EXPECT_NE(std::wstring::npos, logoTip.find(L"2026"));
    EXPECT_NE(std::wstring::npos, logoTip.find(L"Quorvane"));

    // Every tool the control knows belongs to one of those five.
    for (int i = 0; i < 5; ++i) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        ASSERT_TRUE(SendMessageW(tips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)));
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId));
        EXPECT_TRUE(id == Command1 || id == Command2 || id == Command3 || id == Command4 ||
                    id == Image1)
            << id;
    }
}

TEST_F(Form1Test, MenuBarHoldsExitThenAboutWithNothingBelow) {
    HMENU menu = GetMenu(Form());
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(2, GetMenuItemCount(menu));
    const struct {
        const wchar_t* caption;
        UINT id;
    } kItems[] = {{L"Exit", IDM_EXIT}, {L"About", IDM_ABOUT}};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        wchar_t caption[64] = {};
        GetMenuStringW(menu, i, caption, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(kItems[i].caption), caption); // no access key, no shortcut
        EXPECT_EQ(kItems[i].id, GetMenuItemID(menu, i));
        EXPECT_EQ(nullptr, GetSubMenu(menu, i));
        EXPECT_FALSE(GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    }
}

// Whatever branding files the system folder holds, every start looks the same.
class Form1OverExistingFilesTest : public Form1Test {
protected:
    void BeforeStart() override {
        WriteSystemFile("oeminfo.ini", "[General]\r\nManufacturer=Someone Else\r\n");
        WriteSystemFile("oemlogo.bmp", "not a bitmap");
    }
};

TEST_F(Form1OverExistingFilesTest, StartsWithTheSampleDetailsAndDefaultLogo) {
    EXPECT_EQ(L"Quorvane", TextOf(Control(Text1)));
    EXPECT_EQ(L"R-idozuvov W3400", TextOf(Control(Text2)));
    BITMAP logo{};
    ASSERT_TRUE(GetObjectW(ViewPicture(Control(Image1)), sizeof logo, &logo));
    EXPECT_EQ(172, logo.bmWidth);
    EXPECT_EQ(100, logo.bmHeight);
    // Nor does starting touch them.
    EXPECT_EQ("[General]\r\nManufacturer=Someone Else\r\n", ReadSystemFile("oeminfo.ini"));
    EXPECT_EQ("not a bitmap", ReadSystemFile("oemlogo.bmp"));
}

} // namespace
} // namespace qm::test

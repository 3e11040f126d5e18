// The picture browser as it opens: its frame, places, texts, picture, focus and
// keyboard, read back from the real windows.

#include "browser_fixture.h"
#include "picture_view.h"
#include "resource_ids.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

namespace qm::test {
namespace {

using namespace frmmain;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

TEST_F(BrowserTest, HasAThinFixedFrameWithCaptionIconAndCloseButtonOnly) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(TextOf(browser_), L"Marquelle XP Picture Browser");
    const LONG_PTR style = GetWindowLongPtrW(browser_, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD | WS_POPUP));
    EXPECT_FALSE(GetWindowLongPtrW(browser_, GWL_EXSTYLE) &
                 (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME));
    EXPECT_TRUE(GetWindowLongPtrW(browser_, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_TRUE(IsWindowVisible(browser_));
    EXPECT_EQ(GetWindow(browser_, GW_OWNER), nullptr);

    // The main window's icon: shared handles, so the same resource gives the same one.
    const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(browser_, GCLP_HICON));
    const auto mainIcon =
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                   GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED);
    ASSERT_NE(mainIcon, nullptr);
    EXPECT_EQ(icon, mainIcon);
}

TEST_F(BrowserTest, ClientAreaLiesAtItsFixedPlaceOnTheScreen) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(ClientOnScreen(browser_), TwipsRect(5235, 2415, 5445, 7140));
}

TEST_F(BrowserTest, ControlsHaveTheirKindsPlacesAndTexts) {
    ASSERT_NE(Open(), nullptr);
    struct Expected {
        int id;
        const char* name;
        const wchar_t* className;
        const wchar_t* text;
        int left, top, width, height;
        bool visible;
    };
    const Expected controls[] = {
        {File1, "File1", L"ListBox", L"", 3120, 120, 2055, 2235, true},
        {Dir1, "Dir1", L"ListBox", L"", 240, 480, 2535, 1890, true},
        {Drive1, "Drive1", L"ComboBox", nullptr, 240, 120, 2535, 315, true},
        {Command1, "Command1", L"Button", L"Use this Logo", 360, 4680, 2175, 495, true},
        {Command2, "Command2", L"Button", L"Cancel", 2880, 4680, 2175, 495, true},
        {Command3, "Command3", L"Button", L"Launch Graphics Program To Create Or Modify Your Logo",
         360, 5400, 4695, 375, true},
        {Command4, "Command4", L"Button", L"Change Default Graphics Program For Logo Editing", 360,
         5880, 4695, 375, false},
        {Label1, "Label1", L"Static",
         L"The image must be a bitmap (*.bmp), and be 172 x 100 for Windows XP, and 176 x 110 for "
         L"all other Windows systems.",
         120, 6480, 5175, 495, true},
        {Text1, "Text1", L"Edit", L"", 120, 5880, 5175, 375, false},
        {imgBrowser, "imgBrowser", kPictureViewClass, L"", 1440, 2760, 2580, 1500, true},
    };
    for (const Expected& control : controls) {
        SCOPED_TRACE(control.name);
        HWND window = Item(control.id);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(ClassOf(window), control.className);
        if (control.text) {
            EXPECT_EQ(TextOf(window), control.text);
        }
        EXPECT_EQ(IsWindowVisible(window) != FALSE, control.visible);
        const RECT expected = TwipsRect(control.left, control.top, control.width, control.height);
        const RECT place = PlaceOf(window);
        if (control.id == Drive1) {
            // A combo box takes its height from its font.
            EXPECT_EQ(place.left, expected.left);
            EXPECT_EQ(place.top, expected.top);
            EXPECT_EQ(place.right, expected.right);
            EXPECT_NEAR(place.bottom, expected.bottom, 2);
        } else {
            EXPECT_EQ(place, expected);
        }
    }
    EXPECT_EQ(GetWindowLongPtrW(Item(Drive1), GWL_STYLE) & CBS_DROPDOWNLIST, CBS_DROPDOWNLIST);
    // The label wraps at word boundaries and takes no focus.
    EXPECT_EQ(GetWindowLongPtrW(Item(Label1), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
    EXPECT_FALSE(GetWindowLongPtrW(Item(Label1), GWL_STYLE) & WS_TABSTOP);
    // The preview has no border.
    EXPECT_FALSE(GetWindowLongPtrW(Item(imgBrowser), GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongPtrW(Item(imgBrowser), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // The drive list drops down far enough to show several drives.
    RECT dropped{};
    SendMessageW(Item(Drive1), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_GT(dropped.bottom - dropped.top, 100);
}

TEST_F(BrowserTest, PreviewShowsThePlaceholderAtItsOwnSize) {
    ASSERT_NE(Open(), nullptr);
    RECT client{};
    GetClientRect(Item(imgBrowser), &client);
    const RECT expected = TwipsRect(0, 0, 2580, 1500);
    EXPECT_EQ(client, expected);

    OwnedBitmap placeholder(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_PREVIEW_PLACEHOLDER),
                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(placeholder);
    EXPECT_TRUE(RenderView(Item(imgBrowser)) ==
                RenderPicture(placeholder.Get(), client.right, client.bottom));
}

TEST_F(BrowserTest, FileListHasTheFocusAndTabWalksTheButtonsInOrder) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(GetFocus(), Item(File1));
    // Command4 is hidden, so it is passed over.
    for (int id : {Dir1, Drive1, Command1, Command2, Command3, File1}) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), Item(id)) << "expected control " << id;
    }
}

TEST_F(BrowserTest, HasNoDefaultAndNoCancelButton) {
    ASSERT_NE(Open(), nullptr);
    for (int id : {Command1, Command2, Command3, Command4}) {
        EXPECT_EQ(GetWindowLongPtrW(Item(id), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    }
    EXPECT_NE(HIWORD(SendMessageW(browser_, DM_GETDEFID, 0, 0)), DC_HASDEFID);
    MessageBoxAnswerer answerer(kAppTitle);
    // Enter in the file list uses no logo; Esc cancels nothing.
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(IsWindow(browser_));
    EXPECT_TRUE(main_.calls.empty());
    Sleep(200);
    EXPECT_TRUE(answerer.Texts().empty());
}

TEST_F(BrowserTest, EnterOnAFocusedButtonPressesIt) {
    ASSERT_NE(Open(), nullptr);
    SetFocus(Item(Command2));
    PressKey(VK_RETURN);
    EXPECT_FALSE(IsWindow(browser_));
    EXPECT_EQ(main_.calls, (std::vector<std::string>{"show", "show"}));
}

} // namespace
} // namespace qm::test

// The browser's commands: "Use this Logo" with and without a selection, Cancel
// and closing, a fresh window at every opening, and the graphics program's
// setting and buttons.

#include "browser_fixture.h"
#include "picture_view.h"
#include "resource_ids.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace qm::test {
namespace {

using namespace frmmain;
using Calls = std::vector<std::string>;

class CommandTest : public BrowserTest {
protected:
    // Whatever logo the prefix had comes back after each test.
    ScopedFile installedLogo_{InstalledLogoPath(), std::nullopt};
    ScopedFile programSetting_{ProgramSettingPath(), std::nullopt};

    Pixels Preview() const { return RenderView(Item(imgBrowser)); }
    // The main window's new logo, drawn as a view of the preview's size draws it.
    Pixels Logo() const {
        const RECT size = TwipsRect(0, 0, 2580, 1500);
        return RenderPicture(main_.logo.Get(), size.right, size.bottom);
    }
};

TEST_F(CommandTest, UseThisLogoWithoutASelectionAsksForOneAndStays) {
    ASSERT_NE(Open(), nullptr);
    MessageBoxAnswerer answerer(kAppTitle);
    Click(Command1);
    EXPECT_EQ(answerer.Texts(),
              (std::vector<std::wstring>{L"Please choose a bitmap to use for oem image"}));
    EXPECT_EQ(answerer.LastButtons(), (std::vector<std::wstring>{L"OK"}));
    EXPECT_TRUE(IsWindow(browser_));
    EXPECT_TRUE(main_.calls.empty());
    EXPECT_FALSE(FileExists(InstalledLogoPath()));
}

TEST_F(CommandTest, OpeningAFolderEmptiesTheSelectionThatUseThisLogoNeeds) {
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(ClickFile(L"b.bmp"));
    ASSERT_TRUE(OpenFolder(L"sub a"));
    MessageBoxAnswerer answerer(kAppTitle);
    Click(Command1);
    EXPECT_EQ(answerer.Texts().size(), 1u);
    EXPECT_TRUE(IsWindow(browser_));
    EXPECT_FALSE(FileExists(InstalledLogoPath()));
}

TEST_F(CommandTest, UseThisLogoInstallsTheFileAndHandsThePreviewToTheMainWindow) {
    // An earlier logo is replaced.
    WriteFileBytes(InstalledLogoPath(), "an earlier logo");
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(OpenFolder(L"bitmaps"));
    ASSERT_TRUE(ClickFile(L"wide 300x100.bmp"));
    const Pixels preview = Preview();

    MessageBoxAnswerer answerer(kAppTitle);
    Click(Command1);
    EXPECT_FALSE(IsWindow(browser_));
    EXPECT_EQ(ReadFileBytes(InstalledLogoPath()),
              ReadFileBytes(Tree().bitmaps + L"\\wide 300x100.bmp"));
    // The picture as the preview held it, squeezed to the preview's 172 x 100,
    // and the main window shown.
    EXPECT_EQ(main_.calls, (Calls{"logo", "show", "show"}));
    ASSERT_TRUE(main_.logo);
    BITMAP size{};
    GetObjectW(main_.logo.Get(), sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 172);
    EXPECT_EQ(size.bmHeight, 100);
    EXPECT_TRUE(Logo() == preview);
    Sleep(200);
    EXPECT_TRUE(answerer.Texts().empty());
}

TEST_F(CommandTest, AFileThatIsNoBitmapIsInstalledWhileTheMainWindowGetsTheEarlierPreview) {
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(OpenFolder(L"bitmaps"));
    ASSERT_TRUE(ClickFile(L"8-bit.bmp"));
    const Pixels preview = Preview();
    ASSERT_TRUE(ClickFile(kNoBitmapName));
    Click(Command1);
    EXPECT_FALSE(IsWindow(browser_));
    EXPECT_EQ(ReadFileBytes(InstalledLogoPath()), kNoBitmapBytes);
    EXPECT_TRUE(Logo() == preview);
}

TEST_F(CommandTest, UseThisLogoFromTheRootOfADrive) {
    const std::wstring name =
        L"qm-frmmain-root-" + std::to_wstring(GetCurrentProcessId()) + L".bmp";
    const std::string bytes = TwoColourBitmapFile(
        {172, 100, 24, false, false, Split::LeftRight, Rgb{255, 0, 0}, Rgb{0, 0, 255}});
    ScopedFile rootFile(L"C:\\" + name, bytes);
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(OpenFolder(L"C:\\"));
    ASSERT_TRUE(ClickFile(name));
    Click(Command1);
    EXPECT_FALSE(IsWindow(browser_));
    EXPECT_EQ(ReadFileBytes(InstalledLogoPath()), bytes);
    const Pixels logo = Logo();
    EXPECT_TRUE(Near(logo.At(10, 50), Rgb{255, 0, 0}));
    EXPECT_TRUE(Near(logo.At(logo.Width() - 10, 50), Rgb{0, 0, 255}));
}

TEST_F(CommandTest, CancelAndClosingBringTheMainWindowBackUnchanged) {
    struct Way {
        const char* name;
        std::function<void(HWND)> close;
        Calls calls;
    };
    const Way ways[] = {
        {"Cancel",
         [](HWND browser) { SendMessageW(GetDlgItem(browser, Command2), BM_CLICK, 0, 0); },
         Calls{"show", "show"}},
        // What the close button and the window menu send.
        {"close button", [](HWND browser) { SendMessageW(browser, WM_SYSCOMMAND, SC_CLOSE, 0); },
         Calls{"show"}},
        {"WM_CLOSE", [](HWND browser) { PostMessageW(browser, WM_CLOSE, 0, 0); }, Calls{"show"}},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        main_.calls.clear();
        ASSERT_NE(Open(), nullptr);
        ASSERT_TRUE(ClickFile(L"b.bmp"));
        way.close(browser_);
        PumpAsTheProgram();
        EXPECT_FALSE(IsWindow(browser_));
        EXPECT_EQ(main_.calls, way.calls);
        EXPECT_FALSE(main_.logo);
        EXPECT_FALSE(FileExists(InstalledLogoPath()));
    }
}

TEST_F(CommandTest, EveryOpeningStartsAfresh) {
    ASSERT_NE(Open(), nullptr);
    const Pixels placeholder = Preview();
    ASSERT_TRUE(OpenFolder(L"bitmaps"));
    ASSERT_TRUE(ClickFile(L"24-bit.bmp"));
    Click(Command1);
    ASSERT_FALSE(IsWindow(browser_));
    ASSERT_FALSE(Logo() == placeholder);

    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(Preview() == placeholder);
    EXPECT_EQ(ListItems(Item(Dir1)).back(), L"Sub b");
    EXPECT_EQ(SelectedListItem(Item(Dir1)), L"start");
    EXPECT_EQ(SelectedListItem(Item(File1)), L"");
    // The main window keeps its own copy after the first browser is gone.
    BITMAP size{};
    EXPECT_TRUE(GetObjectW(main_.logo.Get(), sizeof size, &size));
}

TEST_F(CommandTest, StoredProgramIsLoadedIntoText1AndShowsCommand4) {
    WriteFileBytes(ProgramSettingPath(), "\"C:\\Tools\\paint, pro.exe\"\r\n");
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(TextOf(Item(Text1)), L"C:\\Tools\\paint, pro.exe");
    EXPECT_FALSE(IsWindowVisible(Item(Text1)));
    EXPECT_TRUE(IsWindowVisible(Item(Command4)));
    // Now in the Tab order, after Command3.
    SetFocus(Item(Command3));
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(Command4));

    // Launch starts the stored program without asking.
    Click(Command3);
    EXPECT_TRUE(platform_.dialogs.empty());
    EXPECT_EQ(platform_.startedApplications,
              (std::vector<std::wstring>{L"C:\\Tools\\paint, pro.exe"}));

    // Change asks, keeps the answer in Text1 and the setting, and starts nothing.
    platform_.dialogAnswer = L"C:\\Other\\draw.exe";
    Click(Command4);
    ASSERT_EQ(platform_.dialogs.size(), 1u);
    EXPECT_EQ(platform_.dialogs[0].owner, browser_);
    EXPECT_EQ(platform_.dialogs[0].filter, L"Programs (*.exe)|*.exe");
    EXPECT_EQ(TextOf(Item(Text1)), L"C:\\Other\\draw.exe");
    EXPECT_EQ(ReadFileBytes(ProgramSettingPath()), "\"C:\\Other\\draw.exe\"\r\n");
    EXPECT_EQ(platform_.startedApplications.size(), 1u);
    EXPECT_TRUE(IsWindow(browser_));
}

TEST_F(CommandTest, WithoutAStoredProgramLaunchAsksFirstAndCommand4StaysHidden) {
    for (const std::optional<std::string>& setting :
         {std::optional<std::string>(), std::optional<std::string>("\"\"\r\n")}) {
        SCOPED_TRACE(setting ? "empty path stored" : "no program.cng");
        if (setting) {
            WriteFileBytes(ProgramSettingPath(), *setting);
        }
        platform_.dialogs.clear();
        platform_.startedApplications.clear();
        ASSERT_NE(Open(), nullptr);
        EXPECT_EQ(TextOf(Item(Text1)), L"");
        EXPECT_FALSE(IsWindowVisible(Item(Command4)));

        platform_.dialogAnswer = L"C:\\Tools\\paint.exe";
        Click(Command3);
        ASSERT_EQ(platform_.dialogs.size(), 1u);
        EXPECT_EQ(platform_.dialogs[0].owner, browser_);
        EXPECT_EQ(platform_.startedApplications,
                  (std::vector<std::wstring>{L"C:\\Tools\\paint.exe"}));
        EXPECT_EQ(TextOf(Item(Text1)), L"C:\\Tools\\paint.exe");
        // Shown only from the next opening on.
        EXPECT_FALSE(IsWindowVisible(Item(Command4)));

        // The next opening reads the setting afresh.
        DestroyWindow(browser_);
        ASSERT_NE(Open(), nullptr);
        EXPECT_EQ(TextOf(Item(Text1)), L"C:\\Tools\\paint.exe");
        EXPECT_TRUE(IsWindowVisible(Item(Command4)));
        DestroyWindow(browser_);
        DeleteFileW(ProgramSettingPath().c_str());
    }
}

} // namespace
} // namespace qm::test

// The drive, folder and file lists: what they show, walking through folders by
// mouse and keyboard, and the nested change handling of drives that are not ready.

#include "browser_fixture.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qm::test {
namespace {

using namespace frmmain;
using Texts = std::vector<std::wstring>;

std::wstring TopName() {
    return Tree().top.substr(3); // after "C:\"
}

Texts StartFolderList() {
    return {L"C:\\", TopName(), L"start", L"bitmaps", L"folder.bmp", L"sub a", L"Sub b"};
}

TEST_F(BrowserTest, ListsStartAtTheProcessesCurrentDriveAndFolder) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(ComboText(Item(Drive1)).substr(0, 2), L"c:");
    // The path from the root down, then the subfolders, sorted without regard
    // to case; a hidden folder is left out.
    EXPECT_EQ(ListItems(Item(Dir1)), StartFolderList());
    EXPECT_EQ(SelectedListItem(Item(Dir1)), L"start");
    // Only *.bmp by its long name, sorted without regard to case; hidden and
    // system files, other names and a folder named like a bitmap are left out.
    EXPECT_EQ(ListItems(Item(File1)), (Texts{L"A.BMP", L"b.bmp", L"c.bmp"}));
    EXPECT_EQ(SelectedListItem(Item(File1)), L"");
}

TEST_F(BrowserTest, DriveListHoldsEveryDriveByLetterAndColon) {
    ASSERT_NE(Open(), nullptr);
    const Texts items = ComboItems(Item(Drive1));
    std::wstring letters;
    for (const std::wstring& item : items) {
        ASSERT_GE(item.size(), 2u);
        EXPECT_TRUE(iswlower(item[0]) && item[1] == L':') << item;
        // A volume label, where there is one, follows in brackets.
        if (item.size() > 2) {
            EXPECT_EQ(item.substr(2, 2), L" [") << item;
            EXPECT_EQ(item.back(), L']') << item;
        }
        letters += static_cast<wchar_t>(towupper(item[0]));
    }
    std::wstring expected;
    for (int i = 0; i < 26; ++i) {
        if (GetLogicalDrives() & (1u << i)) {
            expected += static_cast<wchar_t>(L'A' + i);
        }
    }
    EXPECT_EQ(letters, expected);
}

TEST_F(BrowserTest, DoubleClickOpensAFolderAndEmptiesTheFileSelection) {
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(ClickFile(L"b.bmp"));
    ASSERT_EQ(SelectedListItem(Item(File1)), L"b.bmp");

    ASSERT_TRUE(OpenFolder(L"sub a"));
    EXPECT_EQ(ListItems(Item(Dir1)), (Texts{L"C:\\", TopName(), L"start", L"sub a"}));
    EXPECT_EQ(SelectedListItem(Item(Dir1)), L"sub a");
    EXPECT_EQ(ListItems(Item(File1)), (Texts{L"inner.bmp"}));
    EXPECT_EQ(SelectedListItem(Item(File1)), L"");

    // Back up the path, by the folder's own entry.
    ASSERT_TRUE(OpenFolder(TopName()));
    EXPECT_EQ(ListItems(Item(Dir1)), (Texts{L"C:\\", TopName(), L"start"}));
    EXPECT_TRUE(ListItems(Item(File1)).empty());
}

TEST_F(BrowserTest, EnterInTheFolderListOpensTheSelectedFolder) {
    ASSERT_NE(Open(), nullptr);
    HWND dir1 = Item(Dir1);
    SetFocus(dir1);
    // The keyboard moves the selection; only Enter opens.
    PressKey(VK_DOWN);
    EXPECT_EQ(SelectedListItem(dir1), L"bitmaps");
    EXPECT_EQ(ListItems(Item(File1)), (Texts{L"A.BMP", L"b.bmp", L"c.bmp"}));
    PressKey(VK_RETURN);
    EXPECT_EQ(ListItems(dir1).back(), L"bitmaps");
    EXPECT_EQ(SelectedListItem(dir1), L"bitmaps");
    EXPECT_TRUE(IsWindow(browser_));
    EXPECT_EQ(ListItems(Item(File1)).size(), kPreviewCaseCount + 2);
}

TEST_F(BrowserTest, RootOfADriveIsListedWithItsFolders) {
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(OpenFolder(L"C:\\"));
    const Texts folders = ListItems(Item(Dir1));
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.front(), L"C:\\");
    EXPECT_NE(std::find(folders.begin(), folders.end(), TopName()), folders.end());
    EXPECT_NE(std::find(folders.begin(), folders.end(), L"windows"), folders.end());
}

// The process keeps each drive's current folder in a variable named "=X:".
class ScopedDriveFolder {
public:
    ScopedDriveFolder(wchar_t letter, const std::wstring& folder) : name_{L'=', letter, L':'} {
        SetEnvironmentVariableW(name_.c_str(), folder.c_str());
    }
    ~ScopedDriveFolder() { SetEnvironmentVariableW(name_.c_str(), nullptr); }

private:
    std::wstring name_;
};

// Under Wine, Z: is the Unix root, so the prefix's drive C lies within it too.
std::wstring ThroughDriveZ(const std::wstring& pathOnC) {
    wchar_t prefix[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH)) {
        return {};
    }
    std::wstring path = L"Z:" + std::wstring(prefix) + L"/drive_c" + pathOnC.substr(2);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

TEST_F(BrowserTest, ChangingToAReadyDriveShowsThatDrivesCurrentFolder) {
    const std::wstring subA = ThroughDriveZ(Tree().subA);
    if (subA.empty() || !(GetLogicalDrives() & (1u << (L'Z' - L'A')))) {
        GTEST_SKIP() << "needs Wine's drive Z";
    }
    ScopedDriveFolder currentOfZ(L'Z', subA);
    ASSERT_NE(Open(), nullptr);
    MessageBoxAnswerer answerer(kAppTitle);
    ChooseComboItem(Item(Drive1), IndexOfDrive(Item(Drive1), L'Z'));
    EXPECT_EQ(ComboText(Item(Drive1)).substr(0, 2), L"z:");
    const Texts folders = ListItems(Item(Dir1));
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.front(), L"Z:\\");
    EXPECT_EQ(folders.back(), L"sub a");
    EXPECT_EQ(ListItems(Item(File1)), (Texts{L"inner.bmp"}));
    Sleep(200);
    EXPECT_TRUE(answerer.Texts().empty());

    // Back to C, at its own current folder.
    ChooseComboItem(Item(Drive1), IndexOfDrive(Item(Drive1), L'C'));
    EXPECT_EQ(ListItems(Item(Dir1)), StartFolderList());
}

TEST_F(BrowserTest, KeyboardChoosesADriveAtOnceAndTheDroppedListWhenItCloses) {
    ASSERT_NE(Open(), nullptr);
    HWND drive1 = Item(Drive1);
    const Texts drives = ComboItems(drive1);
    const wchar_t last = static_cast<wchar_t>(towupper(drives.back()[0]));
    if (last == L'C') {
        GTEST_SKIP() << "needs a drive after C";
    }
    MessageBoxAnswerer answerer(kAppTitle);
    SetFocus(drive1);
    PressKey(VK_END);
    EXPECT_EQ(ComboText(drive1), drives.back());
    EXPECT_EQ(ListItems(Item(Dir1)).front(), (std::wstring{last, L':', L'\\'}));

    // While the list is down the user is still choosing.
    SendMessageW(drive1, CB_SHOWDROPDOWN, TRUE, 0);
    PressKey(VK_HOME);
    EXPECT_EQ(ListItems(Item(Dir1)).front(), (std::wstring{last, L':', L'\\'}));
    SendMessageW(drive1, CB_SHOWDROPDOWN, FALSE, 0);
    PumpAsTheProgram();
    EXPECT_EQ(ComboText(drive1), drives.front());
    EXPECT_EQ(ListItems(Item(Dir1)).front().substr(0, 2),
              (std::wstring{static_cast<wchar_t>(towupper(drives.front()[0])), L':'}));
    Sleep(200);
    EXPECT_TRUE(answerer.Texts().empty());
}

TEST_F(BrowserTest, ChoosingTheDriveAlreadyShownChangesNothing) {
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(OpenFolder(L"sub a"));
    ChooseComboItem(Item(Drive1), IndexOfDrive(Item(Drive1), L'C'));
    EXPECT_EQ(ListItems(Item(Dir1)).back(), L"sub a");
}

// A letter mapped to a folder that does not exist: what a drive without its
// medium looks like to the program.
TEST_F(BrowserTest, DriveNotReadyIsReportedAndTheListsReturnToDriveC) {
    const std::wstring missing = Tree().top + L"\\missing";
    ScopedDrive drive(missing);
    ASSERT_NE(drive.Letter(), 0) << "no drive letter could be mapped";
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(OpenFolder(L"sub a"));

    MessageBoxAnswerer answerer(kAppTitle);
    const int index = IndexOfDrive(Item(Drive1), drive.Letter());
    ASSERT_GE(index, 0);
    const std::wstring driveText = ComboItems(Item(Drive1))[static_cast<std::size_t>(index)];
    ChooseComboItem(Item(Drive1), index);

    EXPECT_EQ(answerer.Texts(),
              (Texts{L"Drive " + driveText + L" is not ready, or contains no media."}));
    EXPECT_EQ(answerer.LastButtons(), (Texts{L"OK"}));
    EXPECT_EQ(ComboText(Item(Drive1)).substr(0, 2), L"c:");
    // Drive C's current folder is the process's current folder.
    EXPECT_EQ(ListItems(Item(Dir1)), StartFolderList());
    EXPECT_EQ(ListItems(Item(File1)), (Texts{L"A.BMP", L"b.bmp", L"c.bmp"}));
    EXPECT_TRUE(IsWindow(browser_));
}

TEST_F(BrowserTest, WhenDriveCIsNotReadyEitherBothAreReportedOnceAndTheListsStay) {
    const std::wstring missing = Tree().top + L"\\missing";
    ScopedDrive drive(missing);
    ASSERT_NE(drive.Letter(), 0) << "no drive letter could be mapped";
    FailingDrives drives({drive.Letter(), L'C'});
    ASSERT_NE(Open(drives), nullptr);
    ASSERT_TRUE(OpenFolder(L"sub a"));
    const Texts folders = ListItems(Item(Dir1));

    MessageBoxAnswerer answerer(kAppTitle);
    const int index = IndexOfDrive(Item(Drive1), drive.Letter());
    ASSERT_GE(index, 0);
    const std::wstring driveText = ComboItems(Item(Drive1))[static_cast<std::size_t>(index)];
    const std::wstring driveC =
        ComboItems(Item(Drive1))[static_cast<std::size_t>(IndexOfDrive(Item(Drive1), L'C'))];
    ChooseComboItem(Item(Drive1), index);

    EXPECT_EQ(answerer.Texts(),
              (Texts{L"Drive " + driveText + L" is not ready, or contains no media.",
                     L"Drive " + driveC + L" is not ready, or contains no media."}));
    EXPECT_EQ(drives.asked, (std::vector<wchar_t>{drive.Letter(), L'C'}));
    EXPECT_EQ(ComboText(Item(Drive1)), driveC);
    EXPECT_EQ(ListItems(Item(Dir1)), folders);
    EXPECT_EQ(ListItems(Item(File1)), (Texts{L"inner.bmp"}));
    EXPECT_TRUE(IsWindow(browser_));
}

} // namespace
} // namespace qm::test

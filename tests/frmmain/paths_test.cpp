// The folder paths and entries behind the picture browser's lists.

#include "frm_main_folder_list.h"
#include "frm_main_folder_scan.h"
#include "frm_main_paths.h"

#include <gtest/gtest.h>

namespace qm::frmmain {
namespace {

using Texts = std::vector<std::wstring>;

TEST(FolderPaths, NormalizeKeepsOnlyTheRootsBackslash) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:", L"C:\\"},
        {L"C:\\", L"C:\\"},
        {L"C:\\logos\\", L"C:\\logos"},
        {L"C:\\logos\\\\", L"C:\\logos"},
        {L"C:\\logos", L"C:\\logos"},
        {L"\\\\server\\share\\", L"\\\\server\\share"},
        {L"\\\\server\\share\\logos\\", L"\\\\server\\share\\logos"},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(NormalizeFolder(path), expected) << std::string(path.begin(), path.end());
    }
}

TEST(FolderPaths, JoinPutsOneBackslashBetween) {
    EXPECT_EQ(JoinPath(L"C:\\", L"logo.bmp"), L"C:\\logo.bmp");
    EXPECT_EQ(JoinPath(L"C:\\logos", L"logo.bmp"), L"C:\\logos\\logo.bmp");
    EXPECT_EQ(JoinPath(L"\\\\server\\share", L"logo.bmp"), L"\\\\server\\share\\logo.bmp");
}

TEST(FolderPaths, ChainRunsFromTheRootDown) {
    EXPECT_EQ(FolderChain(L"C:\\"), (Texts{L"C:\\"}));
    EXPECT_EQ(FolderChain(L"C:\\a b\\c"), (Texts{L"C:\\", L"C:\\a b", L"C:\\a b\\c"}));
    EXPECT_EQ(FolderChain(L"\\\\server\\share\\logos"),
              (Texts{L"\\\\server\\share", L"\\\\server\\share\\logos"}));
    EXPECT_TRUE(FolderChain(L"relative").empty());
}

TEST(FolderPaths, NamesAndDriveLetters) {
    EXPECT_EQ(FolderName(L"C:\\"), L"C:\\");
    EXPECT_EQ(FolderName(L"C:\\a b\\c"), L"c");
    EXPECT_EQ(FolderName(L"\\\\server\\share"), L"\\\\server\\share");
    EXPECT_EQ(DriveLetterOf(L"c:\\logos"), L'C');
    EXPECT_EQ(DriveLetterOf(L"\\\\server\\share"), 0);
}

TEST(FolderEntries, PathIsOpenThenSubfoldersOneStepFurtherIn) {
    const std::vector<FolderEntry> entries = FolderListEntries(L"C:\\logos", {L"new", L"old"});
    ASSERT_EQ(entries.size(), 4u);
    const FolderEntry expected[] = {
        {L"C:\\", L"C:\\", 0, true},
        {L"logos", L"C:\\logos", 1, true},
        {L"new", L"C:\\logos\\new", 2, false},
        {L"old", L"C:\\logos\\old", 2, false},
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].text, expected[i].text);
        EXPECT_EQ(entries[i].path, expected[i].path);
        EXPECT_EQ(entries[i].level, expected[i].level);
        EXPECT_EQ(entries[i].open, expected[i].open);
    }
    EXPECT_EQ(CurrentFolderIndex(entries), 1);
    // In a root, the subfolders' paths do not double the backslash.
    EXPECT_EQ(FolderListEntries(L"C:\\", {L"logos"})[1].path, L"C:\\logos");
}

TEST(BitmapNames, MatchByTheLongNamesEnding) {
    EXPECT_TRUE(IsBitmapName(L"logo.bmp"));
    EXPECT_TRUE(IsBitmapName(L"LOGO.BMP"));
    EXPECT_TRUE(IsBitmapName(L"a.b.bmp"));
    EXPECT_FALSE(IsBitmapName(L"logo.bmpx"));
    EXPECT_FALSE(IsBitmapName(L"logo.bm"));
    EXPECT_FALSE(IsBitmapName(L"bmp"));
}

} // namespace
} // namespace qm::frmmain

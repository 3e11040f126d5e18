// The folder paths and entries behind the picture browser's lists.

#include "frm_main_folder_list.h"
#include "frm_main_folder_scan.h"
#include "frm_main_paths.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// Both lists come from one reading of the folder, in the order lstrcmpiW gives
// (equal names in the order the folder lists them).
TEST(FolderReading, BothListsInTheOrderOfACaseBlindCompare) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"qm-frmmain-reading";
    CreateDirectoryW(folder.c_str(), nullptr);
    const Texts files = {L"b.bmp",    L"A.bmp",      L"a-c.bmp",    L"ab.bmp",   L"co-op.bmp",
                         L"coop.bmp", L"\u00C4.bmp", L"z.BMP",      L"10.bmp",   L"9.bmp",
                         L"_x.bmp",   L"~y.bmp",     L"\u00C9.bmp", L"e.bmp",    L"\u00DF.bmp",
                         L"ss.bmp",   L"a b.bmp",    L"a'b.bmp",    L"logo.txt", L"hidden.bmp"};
    const Texts folders = {L"Zeta", L"alpha", L"Beta-2", L"beta", L"\u00E9t\u00E9", L"ete"};
    for (const std::wstring& name : files) {
        const std::wstring path = folder + L"\\" + name;
        CloseHandle(CreateFileW(
            path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
            name == L"hidden.bmp" ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    for (const std::wstring& name : folders) {
        CreateDirectoryW((folder + L"\\" + name).c_str(), nullptr);
    }
    // The order the folder gives them in, sorted the slow way.
    Texts expectedFiles, expectedFolders;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L".." || (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)) {
            continue;
        }
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            expectedFolders.push_back(name);
        } else if (IsBitmapName(name)) {
            expectedFiles.push_back(name);
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    const auto caseBlind = [](const std::wstring& a, const std::wstring& b) {
        return lstrcmpiW(a.c_str(), b.c_str()) < 0;
    };
    std::stable_sort(expectedFiles.begin(), expectedFiles.end(), caseBlind);
    std::stable_sort(expectedFolders.begin(), expectedFolders.end(), caseBlind);
    ASSERT_EQ(expectedFiles.size(), files.size() - 2);

    const std::optional<FolderContents> contents = ReadFolder(folder);
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->bitmapNames, expectedFiles);
    EXPECT_EQ(contents->subfolders, expectedFolders);

    for (const std::wstring& name : files) {
        const std::wstring path = folder + L"\\" + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
    for (const std::wstring& name : folders) {
        RemoveDirectoryW((folder + L"\\" + name).c_str());
    }
    RemoveDirectoryW(folder.c_str());
    EXPECT_FALSE(ReadFolder(folder));
}

} // namespace
} // namespace qm::frmmain

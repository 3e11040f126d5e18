// The real browser on hostile paths: folders nested past MAX_PATH, names outside
// the code page, a folder that cannot be read and a drive that vanishes while it
// is shown. Nothing crashes, and no message comes but the not-ready one.

#include "hostile_browser.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <functional>

namespace qm::test {
namespace {

using namespace frmmain;

std::string SoundBitmap(Rgb first, Rgb second) {
    return TwoColourBitmapFile({16, 8, 24, false, false, Split::TopBottom, first, second});
}

std::wstring SystemLogoPath() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\oemlogo.bmp";
}

// The system folder's logo set to known bytes for the test, and put back after.
class KnownLogo {
public:
    explicit KnownLogo(const std::string& bytes)
        : existed_(FileExists(SystemLogoPath())), former_(ReadFileBytes(SystemLogoPath())) {
        WriteFileBytes(SystemLogoPath(), bytes);
    }
    ~KnownLogo() {
        if (existed_) {
            WriteFileBytes(SystemLogoPath(), former_);
        } else {
            DeleteFileW(SystemLogoPath().c_str());
        }
    }

private:
    bool existed_;
    std::string former_;
};

const std::string kEarlierLogo = "BM the earlier logo";

// A symbolic link from the folder's path to itself (a Vista function, looked up).
bool LinkToItself(const std::wstring& path) {
    using CreateLink = BOOLEAN(WINAPI*)(LPCWSTR, LPCWSTR, DWORD);
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CreateSymbolicLinkW");
    const auto create = reinterpret_cast<CreateLink>(reinterpret_cast<void (*)()>(found));
    constexpr DWORD kFolder = 1;
    return create && create(path.c_str(), path.c_str(), kFolder);
}

TEST(BrowserPaths, FoldersNestedPastMaxPathAreWalkedWithoutACrash) {
    ScratchFolder folder(L"deep");
    KnownLogo logo(kEarlierLogo);
    std::vector<std::wstring> names;
    std::wstring path = folder.Path();
    for (int level = 1; path.size() < 3 * MAX_PATH; ++level) {
        names.push_back(L"level " + std::to_wstring(level) + L" " + std::wstring(40, L'n'));
        path += L"\\" + names.back();
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    }
    const std::string bitmap = SoundBitmap({255, 0, 0}, {0, 0, 255});
    WriteFileBytes(path + L"\\deep.bmp", bitmap);

    ScopedCurrentFolder current(folder.Path());
    MessageBoxAnswerer answerer(kAppTitle);
    BrowserSession browser;
    ASSERT_NE(browser.Handle(), nullptr);
    std::size_t reached = 0;
    for (const std::wstring& name : names) {
        if (!browser.OpenFolder(name)) {
            break; // the system could not list it: skipped without a word
        }
        ASSERT_TRUE(IsWindow(browser.Handle()));
        ++reached;
    }
    std::size_t deepest = folder.Path().size();
    for (std::size_t i = 0; i < reached; ++i) {
        deepest += 1 + names[i].size();
    }
    // Where the walk ends, the file list shows that folder's bitmap, and the
    // preview and the copy work from there, or fail without a word.
    const HBITMAP before = browser.Preview();
    const bool listed = browser.SelectFile(L"deep.bmp") >= 0;
    const bool previewed = browser.Preview() != before;
    EXPECT_EQ(reached == names.size(), listed);
    bool installed = false;
    if (listed) {
        browser.Click(Command1);
        installed = ReadFileBytes(SystemLogoPath()) == bitmap;
        if (!installed) {
            EXPECT_EQ(ReadFileBytes(SystemLogoPath()), kEarlierLogo);
        }
        EXPECT_FALSE(IsWindow(browser.Handle()));
    }
    Sleep(100);
    EXPECT_TRUE(answerer.Texts().empty());
    std::printf("path sweep (browser): %zu of %zu levels opened, %zu characters deep; "
                "previewed %s, installed %s\n",
                reached, names.size(), deepest, previewed ? "yes" : "no", installed ? "yes" : "no");
}

TEST(BrowserPaths, NamesOutsideTheCodePageAreListedPreviewedAndInstalled) {
    ScratchFolder folder(L"foreign");
    KnownLogo logo(kEarlierLogo);
    const std::wstring foreignFolder = L"\u03A9\u03BC\u03AD\u03B3\u03B1 \u65E5\u672C \U0001F642";
    const std::wstring foreignName = L"\u30ED\u30B4 \u2713.bmp";
    CreateDirectoryW(folder.Path(foreignFolder).c_str(), nullptr);
    const std::string bitmap = SoundBitmap({0, 255, 0}, {255, 255, 0});
    WriteFileBytes(folder.Path(foreignFolder) + L"\\" + foreignName, bitmap);

    ScopedCurrentFolder current(folder.Path());
    MessageBoxAnswerer answerer(kAppTitle);
    BrowserSession browser;
    ASSERT_NE(browser.Handle(), nullptr);
    ASSERT_TRUE(browser.OpenFolder(foreignFolder));
    EXPECT_EQ(ListItems(browser.Item(File1)), std::vector<std::wstring>{foreignName});
    const HBITMAP before = browser.Preview();
    ASSERT_GE(browser.SelectFile(foreignName), 0);
    ASSERT_NE(browser.Preview(), before);
    browser.Click(Command1);
    EXPECT_EQ(ReadFileBytes(SystemLogoPath()), bitmap);
    EXPECT_NE(browser.main.logo.Get(), nullptr);
    EXPECT_FALSE(IsWindow(browser.Handle()));
    Sleep(100);
    EXPECT_TRUE(answerer.Texts().empty());
}

TEST(BrowserPaths, AFolderThatCannotBeReadIsSkippedQuietly) {
    ScratchFolder folder(L"unreadable");
    const std::wstring locked = folder.Path(L"locked");
    CreateDirectoryW(locked.c_str(), nullptr);
    WriteFileBytes(folder.Path(L"a.bmp"), SoundBitmap({0, 0, 0}, {255, 255, 255}));

    ScopedCurrentFolder current(folder.Path());
    MessageBoxAnswerer answerer(kAppTitle);
    BrowserSession browser;
    ASSERT_NE(browser.Handle(), nullptr);
    // Running as root, no permission keeps a folder shut; a link to itself does.
    RemoveDirectoryW(locked.c_str());
    if (!LinkToItself(locked)) {
        GTEST_SKIP() << "no symbolic links here";
    }
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((locked + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        FindClose(find);
        GTEST_SKIP() << "the looping link can be listed here";
    }
    const std::vector<std::wstring> folders = ListItems(browser.Item(Dir1));
    const std::vector<std::wstring> files = ListItems(browser.Item(File1));
    ASSERT_TRUE(browser.OpenFolder(L"locked"));
    EXPECT_TRUE(IsWindow(browser.Handle()));
    EXPECT_EQ(ListItems(browser.Item(Dir1)), folders);
    EXPECT_EQ(ListItems(browser.Item(File1)), files);
    Sleep(100);
    EXPECT_TRUE(answerer.Texts().empty());
    DeleteFileW(locked.c_str());
    RemoveDirectoryW(locked.c_str());
}

// Runs a program of the Unix side under Wine; returns at once, as Wine does not
// wait for such a program.
bool StartUnixProgram(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool DriveReady(wchar_t letter) {
    const std::wstring root{letter, L':', L'\\'};
    ULARGE_INTEGER available;
    return GetDiskFreeSpaceExW(root.c_str(), &available, nullptr, nullptr) != FALSE;
}

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i) {
        Sleep(25);
    }
    return done();
}

// A drive letter of the Wine prefix standing for a folder on drive C, as a
// removable medium would, until Vanish() or the end of its life. Wine lists the
// drives it has names for (DefineDosDevice) but reaches files through the links
// in the prefix's dosdevices folder, which are made and removed from the Unix
// side; removing the link alone leaves a listed drive that is not there.
class VanishableDrive {
public:
    explicit VanishableDrive(const std::wstring& folderOnC) {
        wchar_t prefix[MAX_PATH] = {};
        if (!GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH)) {
            return;
        }
        letter_ = UnusedDriveLetter();
        if (!letter_) {
            return;
        }
        std::wstring target = std::wstring(prefix) + L"/drive_c/" + folderOnC.substr(3);
        std::replace(target.begin(), target.end(), L'\\', L'/');
        link_ = std::wstring(prefix) + L"/dosdevices/" +
                static_cast<wchar_t>(std::towlower(letter_)) + L":";
        device_ = std::wstring{letter_, L':'};
        DefineDosDeviceW(0, device_.c_str(), folderOnC.c_str());
        if (!StartUnixProgram(L"Z:\\bin\\ln -sfn \"" + target + L"\" \"" + link_ + L"\"") ||
            !WaitFor([this] { return DriveReady(letter_); })) {
            letter_ = 0;
        }
    }
    ~VanishableDrive() {
        Vanish();
        if (!device_.empty()) {
            DefineDosDeviceW(DDD_REMOVE_DEFINITION, device_.c_str(), nullptr);
        }
    }
    wchar_t Letter() const { return letter_; }
    void Vanish() {
        if (!link_.empty()) {
            StartUnixProgram(L"Z:\\bin\\rm -f \"" + link_ + L"\"");
            const wchar_t letter = device_[0];
            WaitFor([letter] { return !DriveReady(letter); });
            link_.clear();
        }
    }

private:
    wchar_t letter_ = 0;
    std::wstring link_;
    std::wstring device_;
};

int DriveIndex(HWND combo, wchar_t letter) {
    const std::vector<std::wstring> items = ComboItems(combo);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].empty() && std::towupper(items[i][0]) == letter) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

class VanishingDrive : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(folder.Path(L"sub").c_str(), nullptr);
        WriteFileBytes(folder.Path(L"x.bmp"), SoundBitmap({255, 0, 0}, {0, 255, 0}));
        WriteFileBytes(folder.Path(L"y.bmp"), SoundBitmap({0, 0, 255}, {255, 255, 0}));
    }

    // Opens the browser, shows the drive and previews x.bmp from it.
    void ShowTheDrive(BrowserSession& browser) {
        ASSERT_NE(browser.Handle(), nullptr);
        drive = DriveIndex(browser.Item(Drive1), mapped.Letter());
        ASSERT_GE(drive, 0);
        ChooseComboItem(browser.Item(Drive1), drive);
        ASSERT_EQ(ListItems(browser.Item(File1)), (std::vector<std::wstring>{L"x.bmp", L"y.bmp"}));
        const HBITMAP before = browser.Preview();
        ASSERT_GE(browser.SelectFile(L"x.bmp"), 0);
        ASSERT_NE(browser.Preview(), before);
    }

    ScratchFolder folder{L"drive"};
    VanishableDrive mapped{folder.Path()};
    ScopedCurrentFolder current{L"C:\\"};
    int drive = -1;
};

TEST_F(VanishingDrive, ListsAndPreviewFailQuietlyAndOnlyChoosingItAgainSaysNotReady) {
    ASSERT_NE(mapped.Letter(), 0);
    MessageBoxAnswerer answerer(kAppTitle);
    BrowserSession browser;
    ASSERT_NO_FATAL_FAILURE(ShowTheDrive(browser));
    const std::wstring driveText = ComboItems(browser.Item(Drive1))[drive];
    mapped.Vanish();

    const HBITMAP shown = browser.Preview();
    EXPECT_GE(browser.SelectFile(L"y.bmp"), 0);
    EXPECT_EQ(browser.Preview(), shown);
    const std::vector<std::wstring> folders = ListItems(browser.Item(Dir1));
    EXPECT_TRUE(browser.OpenFolder(L"sub"));
    EXPECT_EQ(ListItems(browser.Item(Dir1)), folders);
    ChooseComboItem(browser.Item(Drive1), drive); // already shown: no change
    Sleep(100);
    EXPECT_TRUE(answerer.Texts().empty());

    ChooseComboItem(browser.Item(Drive1), DriveIndex(browser.Item(Drive1), L'C'));
    ChooseComboItem(browser.Item(Drive1), drive);
    EXPECT_TRUE(IsWindow(browser.Handle()));
    EXPECT_EQ(ComboText(browser.Item(Drive1))[0], L'c');
    Sleep(100);
    EXPECT_EQ(answerer.Texts(), std::vector<std::wstring>{L"Drive " + driveText +
                                                          L" is not ready, or contains no media."});
}

TEST_F(VanishingDrive, UseThisLogoFromItCopiesNothingAndSaysNothing) {
    ASSERT_NE(mapped.Letter(), 0);
    KnownLogo logo(kEarlierLogo);
    MessageBoxAnswerer answerer(kAppTitle);
    BrowserSession browser;
    ASSERT_NO_FATAL_FAILURE(ShowTheDrive(browser));
    mapped.Vanish();

    browser.Click(Command1);
    EXPECT_EQ(ReadFileBytes(SystemLogoPath()), kEarlierLogo);
    EXPECT_NE(browser.main.logo.Get(), nullptr);
    EXPECT_FALSE(IsWindow(browser.Handle()));
    Sleep(100);
    EXPECT_TRUE(answerer.Texts().empty());
}

} // namespace
} // namespace qm::test

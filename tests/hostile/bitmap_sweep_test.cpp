// The preview against damaged and hostile bitmap files: each one selected in the
// real browser keeps the process up, shows either its own picture or the one
// before, within a second, in bounded memory, and without a message.

#include "hostile_browser.h"
#include "malformed_bitmaps.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <winioctl.h>

#include <cstdio>

namespace qm::test {
namespace {

using namespace frmmain;

constexpr double kMaxSelectionSeconds = 1.0;
constexpr std::size_t kMemoryBound = 300u * 1024 * 1024;
const std::wstring kHugeName = L"huge 8000 x 8000.bmp";

// The case names are ASCII.
std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// A sparse file of 200 MB: its size set, nothing but the header written.
bool MakeHugeBitmap(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD unused = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    const std::string header = HugeBitmapHeader();
    DWORD written = 0;
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(kHugeBitmapFileSize);
    const bool made =
        WriteFile(file, header.data(), static_cast<DWORD>(header.size()), &written, nullptr) &&
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return made;
}

SIZE PictureSize(HBITMAP picture) {
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

struct Slowest {
    double seconds = 0;
    std::wstring name;
    void Note(double taken, const std::wstring& of) {
        if (taken > seconds) {
            seconds = taken;
            name = of;
        }
    }
};

// The system folder's logo, as it was before the test, comes back afterwards.
class InstalledLogoKept {
public:
    InstalledLogoKept() : existed_(FileExists(Path())), former_(ReadFileBytes(Path())) {}
    ~InstalledLogoKept() {
        if (existed_) {
            WriteFileBytes(Path(), former_);
        } else {
            DeleteFileW(Path().c_str());
        }
    }
    static std::wstring Path() {
        wchar_t folder[MAX_PATH] = {};
        GetSystemDirectoryW(folder, MAX_PATH);
        return std::wstring(folder) + L"\\oemlogo.bmp";
    }

private:
    bool existed_;
    std::string former_;
};

TEST(BitmapSweep, TheLargestPictureShownReachesTheMainWindowInBoundedMemory) {
    ScratchFolder folder(L"large");
    InstalledLogoKept logo;
    const std::vector<MalformedBitmap> cases = MalformedBitmaps();
    std::vector<std::wstring> large;
    for (const MalformedBitmap& bitmap : cases) {
        if (bitmap.name.find("1-bit 4") != std::string::npos ||
            bitmap.name.find("1-bit 8") != std::string::npos) {
            large.push_back(Wide(bitmap.name));
            WriteFileBytes(folder.Path(large.back()), bitmap.bytes);
        }
    }
    ASSERT_FALSE(large.empty());
    ScopedCurrentFolder current(folder.Path());
    const std::size_t committedBefore = CommittedBytes();
    {
        BrowserSession browser;
        ASSERT_NE(browser.Handle(), nullptr);
        for (const std::wstring& name : large) {
            EXPECT_LT(browser.SelectFile(name), kMaxSelectionSeconds);
        }
        browser.Click(Command1);
        EXPECT_FALSE(IsWindow(browser.Handle()));
        EXPECT_EQ(ReadFileBytes(InstalledLogoKept::Path()),
                  ReadFileBytes(folder.Path(large.back())));
        const SIZE handedOver = PictureSize(browser.main.logo.Get());
        const std::size_t growth = browser.main.committedAtHandOver - committedBefore;
        std::printf("largest picture: %ld x %ld handed to the main window, committed memory "
                    "then +%zu MB\n",
                    handedOver.cx, handedOver.cy, growth >> 20);
        EXPECT_LT(growth, kMemoryBound);
    }
}

TEST(BitmapSweep, EveryFileKeepsOrReplacesThePreviewQuicklyInBoundedMemory) {
    ScratchFolder folder(L"bitmaps");
    const std::vector<MalformedBitmap> cases = MalformedBitmaps();
    ASSERT_GE(cases.size(), 500u);
    for (const MalformedBitmap& bitmap : cases) {
        WriteFileBytes(folder.Path(Wide(bitmap.name)), bitmap.bytes);
    }
    const std::wstring hugePath = folder.Path(kHugeName);
    ASSERT_TRUE(MakeHugeBitmap(hugePath));

    ScopedCurrentFolder current(folder.Path());
    MessageBoxAnswerer answerer(kAppTitle);
    BrowserSession browser;
    ASSERT_NE(browser.Handle(), nullptr);
    ASSERT_EQ(ListItems(browser.Item(File1)).size(), cases.size() + 1);
    const std::size_t committedBefore = CommittedBytes();
    const std::size_t workingSetBefore = WorkingSetBytes();
    std::size_t committedMost = committedBefore;
    std::size_t workingSetMost = workingSetBefore;

    Slowest slowest;
    int shown = 0, kept = 0;
    auto select = [&](const std::wstring& name) {
        const double taken = browser.SelectFile(name);
        EXPECT_GE(taken, 0) << "not listed";
        slowest.Note(taken, name);
        committedMost = std::max(committedMost, CommittedBytes());
        workingSetMost = std::max(workingSetMost, WorkingSetBytes());
    };
    // What the view shows, drawn when its picture arrived.
    Pixels beforePixels = RenderView(browser.Item(imgBrowser));
    for (const MalformedBitmap& bitmap : cases) {
        SCOPED_TRACE(bitmap.name);
        const HBITMAP before = browser.Preview();
        select(Wide(bitmap.name));
        ASSERT_TRUE(IsWindow(browser.Handle()));
        const HBITMAP after = browser.Preview();
        ASSERT_NE(after, nullptr);
        if (after == before) {
            ++kept;
            EXPECT_NE(bitmap.outcome, Outcome::Shown);
            EXPECT_TRUE(RenderView(browser.Item(imgBrowser)) == beforePixels);
        } else {
            ++shown;
            beforePixels = RenderView(browser.Item(imgBrowser));
            EXPECT_NE(bitmap.outcome, Outcome::Kept);
            if (bitmap.width >= 0) {
                const SIZE size = PictureSize(after);
                EXPECT_EQ(size.cx, bitmap.width);
                EXPECT_EQ(size.cy, bitmap.height);
            }
        }
    }
    {
        // Sound, but 192,000,000 bytes of pixels: not drawn.
        const HBITMAP before = browser.Preview();
        select(kHugeName);
        EXPECT_EQ(browser.Preview(), before) << "huge";
    }

    EXPECT_LT(slowest.seconds, kMaxSelectionSeconds) << "slowest: " << Narrow(slowest.name);
    EXPECT_LT(committedMost - committedBefore, kMemoryBound);
    EXPECT_LT(workingSetMost - workingSetBefore, kMemoryBound);
    EXPECT_TRUE(answerer.Texts().empty());
    std::printf("bitmap sweep: %zu cases (%d shown, %d kept), slowest %.0f ms, "
                "committed memory at most +%zu MB, working set at most +%zu MB\n",
                cases.size() + 1, shown, kept + 1, slowest.seconds * 1000,
                (committedMost - committedBefore) >> 20, (workingSetMost - workingSetBefore) >> 20);
}

} // namespace
} // namespace qm::test

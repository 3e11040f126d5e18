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

// A sparse file: its size set, nothing but the header written.
bool MakeBigBitmap(const std::wstring& path, const BigBitmap& bitmap) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD unused = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    const std::string& header = bitmap.header;
    DWORD written = 0;
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(bitmap.fileSize);
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

// Sound pictures at and past the size the preview draws, in big sparse files,
// then "Use this Logo" on the last one drawn: quick, and in bounded memory.
TEST(BitmapSweep, TheLargestPicturesAreDrawnQuicklyInBoundedMemory) {
    ScratchFolder folder(L"large");
    InstalledLogoKept logo;
    struct Large {
        const wchar_t* name;
        BigBitmap bitmap;
    };
    const Large large[] = {
        {L"a 6000 x 4000 at 24 bits.bmp", BigBitmapOf(6000, 4000, 24)},
        {L"b 8192 x 8192 at 1 bit.bmp", BigBitmapOf(8192, 8192, 1)},
        {L"c 10000 x 8000 at 32 bits.bmp", BigBitmapOf(10000, 8000, 32)},
        {L"d 5792 x 4344 at 32 bits.bmp", BigBitmapOf(5792, 4344, 32)},
    };
    for (const Large& file : large) {
        ASSERT_TRUE(MakeBigBitmap(folder.Path(file.name), file.bitmap));
    }
    ScopedCurrentFolder current(folder.Path());
    const std::size_t committedBefore = CommittedBytes();
    const std::size_t peakBefore = PeakWorkingSetBytes();
    BrowserSession browser;
    ASSERT_NE(browser.Handle(), nullptr);
    Slowest slowest;
    std::wstring lastDrawn;
    for (const Large& file : large) {
        const HBITMAP before = browser.Preview();
        const double taken = browser.SelectFile(file.name);
        EXPECT_GE(taken, 0);
        slowest.Note(taken, file.name);
        if (browser.Preview() != before) {
            lastDrawn = file.name;
        }
    }
    ASSERT_FALSE(lastDrawn.empty()) << "not even a picture of 16 million pixels was drawn";
    ASSERT_GE(browser.SelectFile(lastDrawn), 0);
    browser.Click(Command1);
    EXPECT_FALSE(IsWindow(browser.Handle()));
    const std::size_t handOver = browser.main.committedAtHandOver - committedBefore;
    const std::size_t peakGrowth =
        PeakWorkingSetBytes() - std::min(peakBefore, PeakWorkingSetBytes());
    EXPECT_TRUE(ReadFileBytes(InstalledLogoKept::Path()) == ReadFileBytes(folder.Path(lastDrawn)));
    EXPECT_LT(slowest.seconds, kMaxSelectionSeconds) << "slowest: " << Narrow(slowest.name);
    EXPECT_LT(handOver, kMemoryBound);
    EXPECT_LT(peakGrowth, kMemoryBound);
    std::printf("largest pictures: %zu files, last drawn \"%s\", slowest %.0f ms, committed "
                "memory at the hand-over +%zu MB, peak working set +%zu MB\n",
                std::size(large), Narrow(lastDrawn).c_str(), slowest.seconds * 1000, handOver >> 20,
                peakGrowth >> 20);
}

TEST(BitmapSweep, EveryFileKeepsOrReplacesThePreviewQuicklyInBoundedMemory) {
    ScratchFolder folder(L"bitmaps");
    const std::vector<MalformedBitmap> cases = MalformedBitmaps();
    ASSERT_GE(cases.size(), 500u);
    for (const MalformedBitmap& bitmap : cases) {
        WriteFileBytes(folder.Path(Wide(bitmap.name)), bitmap.bytes);
    }
    const std::wstring hugePath = folder.Path(kHugeName);
    ASSERT_TRUE(MakeBigBitmap(hugePath, HugeBitmap()));

    ScopedCurrentFolder current(folder.Path());
    MessageBoxAnswerer answerer(kAppTitle);
    BrowserSession browser;
    ASSERT_NE(browser.Handle(), nullptr);
    ASSERT_EQ(ListItems(browser.Item(File1)).size(), cases.size() + 1);
    const std::size_t committedBefore = CommittedBytes();
    const std::size_t workingSetBefore = WorkingSetBytes();
    const std::size_t peakBefore = PeakWorkingSetBytes();
    std::size_t committedMost = committedBefore;
    std::size_t workingSetMost = workingSetBefore;

    Slowest slowest;
    int shown = 0, kept = 0;
    bool hugeDrawn = false;
    auto select = [&](const std::wstring& name) {
        const double taken = browser.SelectFile(name);
        EXPECT_GE(taken, 0) << "not listed";
        slowest.Note(taken, name);
        committedMost = std::max(committedMost, CommittedBytes());
        workingSetMost = std::max(workingSetMost, WorkingSetBytes());
    };
    RECT viewArea{};
    GetClientRect(browser.Item(imgBrowser), &viewArea);
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
            // The file's picture, at its own size or drawn to the view's.
            const SIZE size = PictureSize(after);
            const bool ownSize = size.cx == bitmap.width && size.cy == bitmap.height;
            const bool viewSize = size.cx == viewArea.right && size.cy == viewArea.bottom;
            EXPECT_TRUE(bitmap.width < 0 || ownSize || viewSize) << size.cx << " x " << size.cy;
        }
    }
    {
        // Sound, with 192,000,000 bytes of pixels: drawn or not, within the bounds.
        const HBITMAP before = browser.Preview();
        select(kHugeName);
        const SIZE size = PictureSize(browser.Preview());
        const bool drawn = browser.Preview() != before;
        EXPECT_TRUE(!drawn || (size.cx == 8000 && size.cy == 8000) ||
                    (size.cx == viewArea.right && size.cy == viewArea.bottom));
        drawn ? ++shown : ++kept;
        hugeDrawn = drawn;
    }

    EXPECT_LT(slowest.seconds, kMaxSelectionSeconds) << "slowest: " << Narrow(slowest.name);
    EXPECT_LT(committedMost - committedBefore, kMemoryBound);
    EXPECT_LT(workingSetMost - workingSetBefore, kMemoryBound);
    // The highest the working set ever was, within selections included.
    const std::size_t peakGrowth =
        PeakWorkingSetBytes() - std::min(peakBefore, PeakWorkingSetBytes());
    EXPECT_LT(peakGrowth, kMemoryBound);
    EXPECT_TRUE(answerer.Texts().empty());
    std::printf("bitmap sweep: %zu cases (%d shown, %d kept; the 200 MB file %s), slowest %.0f "
                "ms, committed memory at most +%zu MB, working set at most +%zu MB, its peak "
                "+%zu MB\n",
                cases.size() + 1, shown, kept, hugeDrawn ? "shown" : "kept", slowest.seconds * 1000,
                (committedMost - committedBefore) >> 20, (workingSetMost - workingSetBefore) >> 20,
                peakGrowth >> 20);
}

} // namespace
} // namespace qm::test

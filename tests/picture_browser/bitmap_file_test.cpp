// Reading bitmap files for the preview: the decoded pixels of each layout, files
// on either side of the one-read size, and a big picture box-scaled through a
// moving view of the file. (The header checks and the box scaling themselves
// are tested in tests/bitmap.)

#include "bitmap_files.h"
#include "browser_test_support.h"
#include "frm_main_bitmap_file.h"
#include "handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace qm::frmmain {
namespace {

using test::HeaderKind;
using test::Rgb;
using test::Set16;
using test::Set32;
using test::Split;

const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};

std::string File(int width, int height, int bits, bool runLength = false,
                 HeaderKind header = HeaderKind::Info, bool bitFields = false) {
    return test::TwoColourBitmapFile(
        {width, height, bits, false, runLength, Split::TopBottom, kRed, kBlue, header, bitFields});
}

TEST(BitmapFileLoading, EveryLayoutDecodesToItsColours) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"qm-frmmain-decode.bmp";
    struct Case {
        const char* name;
        std::string bytes;
        Rgb top, bottom;
    };
    const Case cases[] = {
        {"core header", File(4, 2, 1, false, HeaderKind::Core), kRed, kBlue},
        {"top-down",
         test::TwoColourBitmapFile({6, 4, 32, true, false, Split::TopBottom, kRed, kBlue}), kRed,
         kBlue},
        {"RLE8", File(6, 4, 8, true), kRed, kBlue},
        {"RLE4", File(6, 4, 4, true), kRed, kBlue},
        {"16 bits", File(6, 4, 16), kRed, kBlue},
        {"16-bit fields 5-6-5", File(6, 4, 16, false, HeaderKind::Info, true), kRed, kBlue},
        {"v4 header, 32-bit fields", File(6, 4, 32, false, HeaderKind::V4, true), kRed, kBlue},
        {"v5 header, 8 bits", File(6, 4, 8, false, HeaderKind::V5), kRed, kBlue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::WriteFileBytes(path, c.bytes);
        OwnedBitmap picture(LoadBitmapFile(path, SIZE{6, 4}));
        ASSERT_TRUE(picture);
        BITMAP size{};
        GetObjectW(picture.Get(), sizeof size, &size);
        const test::Pixels pixels = test::RenderPicture(picture.Get(), size.bmWidth, size.bmHeight);
        EXPECT_EQ(pixels.At(0, 0), c.top);
        EXPECT_EQ(pixels.At(size.bmWidth - 1, size.bmHeight - 1), c.bottom);
    }
    test::WriteFileBytes(path, "no bitmap");
    EXPECT_EQ(LoadBitmapFile(path, SIZE{6, 4}), nullptr);
    DeleteFileW(path.c_str());
    EXPECT_EQ(LoadBitmapFile(path, SIZE{6, 4}), nullptr);
}

// The loader reads a file of up to 128 KiB in one go and takes a bigger one by
// its size: files on either side of that line, and exactly on it, decode alike.
TEST(BitmapFileLoading, FilesAroundTheOneReadSizeDecodeWhole) {
    constexpr std::size_t kOneRead = 128 * 1024;
    struct Case {
        const char* name;
        int width, height;
        std::size_t paddedTo; // trailing bytes after the pixels, up to this size
    };
    const Case cases[] = {
        {"one byte short of the read", 200, 200, kOneRead - 1},
        {"exactly the read", 200, 200, kOneRead},
        {"one byte past the read", 200, 200, kOneRead + 1},
        {"pixels ending past the read", 256, 171, 0},
    };
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"qm-frmmain-one-read.bmp";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = test::GradientBitmapFile(c.width, c.height);
        ASSERT_LE(file.size(), c.paddedTo ? c.paddedTo : kOneRead + 1000);
        if (c.paddedTo) {
            file.resize(c.paddedTo, '\x5A');
        } else {
            ASSERT_GT(file.size(), kOneRead);
        }
        test::WriteFileBytes(path, file);
        OwnedBitmap picture(LoadBitmapFile(path, SIZE{c.width, c.height}));
        ASSERT_TRUE(picture);
        const test::Pixels pixels = test::RenderPicture(picture.Get(), c.width, c.height);
        int wrong = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                wrong += pixels.At(x, y) == test::GradientAt(x, y) ? 0 : 1;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
    DeleteFileW(path.c_str());
}

// A big smooth gradient, past the size from which the preview box-scales the
// file through a moving view: each preview pixel is its box's average, with no
// seam where one view of the file ends and the next begins.
TEST(BitmapFileLoading, BigPictureShrinksSmoothly) {
    constexpr int kWidth = 2000, kHeight = 1500; // 9 MB of pixels, many views
    const int stride = (kWidth * 3 + 3) / 4 * 4;
    std::string file(54, '\0');
    file[0] = 'B';
    file[1] = 'M';
    Set32(file, 2, static_cast<std::uint32_t>(54 + stride * kHeight));
    Set32(file, 10, 54);
    Set32(file, 14, 40);
    Set32(file, 18, kWidth);
    Set32(file, 22, kHeight);
    Set16(file, 26, 1);
    Set16(file, 28, 24);
    const auto red = [&](double x) { return x * 255 / (kWidth - 1); };
    const auto green = [&](double y) { return y * 255 / (kHeight - 1); };
    for (int stored = 0; stored < kHeight; ++stored) {
        const int y = kHeight - 1 - stored;
        std::string row(static_cast<std::size_t>(stride), '\0');
        for (int x = 0; x < kWidth; ++x) {
            row[x * 3] = static_cast<char>(90);
            row[x * 3 + 1] = static_cast<char>(static_cast<int>(green(y) + 0.5));
            row[x * 3 + 2] = static_cast<char>(static_cast<int>(red(x) + 0.5));
        }
        file += row;
    }
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"qm-frmmain-gradient.bmp";
    test::WriteFileBytes(path, file);
    constexpr int kShownWidth = 172, kShownHeight = 100;
    OwnedBitmap picture(LoadBitmapFile(path, SIZE{kShownWidth, kShownHeight}));
    DeleteFileW(path.c_str());
    ASSERT_TRUE(picture);
    const test::Pixels pixels = test::RenderPicture(picture.Get(), kShownWidth, kShownHeight);
    int worst = 0;
    for (int y = 0; y < kShownHeight; ++y) {
        for (int x = 0; x < kShownWidth; ++x) {
            // A box's average is the gradient at its middle.
            const double middleX = (x + 0.5) * kWidth / kShownWidth - 0.5;
            const double middleY = (y + 0.5) * kHeight / kShownHeight - 0.5;
            const test::Rgb got = pixels.At(x, y);
            worst = std::max({worst, std::abs(got.r - static_cast<int>(red(middleX) + 0.5)),
                              std::abs(got.g - static_cast<int>(green(middleY) + 0.5)),
                              std::abs(got.b - 90)});
        }
    }
    EXPECT_LE(worst, 1);
}

} // namespace
} // namespace qm::frmmain

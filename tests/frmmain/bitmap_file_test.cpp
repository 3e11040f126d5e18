// Reading bitmap files for the preview: what the headers must promise and hold
// before GDI gets to decode anything, and the decoded pixels of each layout.

#include "bitmap_files.h"
#include "browser_test_support.h"
#include "frm_main_bitmap_file.h"
#include "bitmap_box_scale.h"
#include "handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

namespace qm::frmmain {
namespace {

using test::Rgb;
using test::Split;
using test::TwoColourBitmap;

void Set16(std::string& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Set32(std::string& bytes, std::size_t at, std::uint32_t value) {
    Set16(bytes, at, value & 0xFFFF);
    Set16(bytes, at + 2, value >> 16);
}

std::optional<PackedBitmap> Parse(const std::string& bytes) {
    return ParseBitmapFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};

std::string File(int width, int height, int bits, bool rle = false) {
    return test::TwoColourBitmapFile(
        {width, height, bits, false, rle, Split::TopBottom, kRed, kBlue});
}

// The same picture with a core (OS/2) header: 12 bytes, three-byte colours.
std::string CoreFile() {
    std::string file = "BM";
    file += std::string(12, '\0');
    file += std::string(12, '\0');
    Set32(file, 14, 12);
    Set16(file, 18, 4); // width
    Set16(file, 20, 2); // height
    Set16(file, 22, 1);
    Set16(file, 24, 1);                     // bits per pixel
    file += std::string("\xFF\x00\x00", 3); // blue
    file += std::string("\x00\x00\xFF", 3); // red
    Set32(file, 10, static_cast<std::uint32_t>(file.size()));
    file += std::string("\x00\x00\x00\x00", 4); // bottom row: entry 0
    file += std::string("\xF0\x00\x00\x00", 4); // top row: entry 1
    Set32(file, 2, static_cast<std::uint32_t>(file.size()));
    return file;
}

TEST(BitmapFileLayout, SoundFilesGiveTheirPixelsPlace) {
    const std::string file = File(172, 100, 24);
    const auto bitmap = Parse(file);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->width, 172);
    EXPECT_EQ(bitmap->height, 100);
    EXPECT_EQ(bitmap->pixelOffset, 54u);
    EXPECT_EQ(bitmap->pixelSize, 516u * 100);
    EXPECT_EQ(bitmap->info.size(), sizeof(BITMAPINFOHEADER));

    const auto indexed = Parse(File(10, 4, 4));
    ASSERT_TRUE(indexed);
    EXPECT_EQ(indexed->info.size(), sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD));

    const auto core = Parse(CoreFile());
    ASSERT_TRUE(core);
    const auto* colours =
        reinterpret_cast<const RGBQUAD*>(core->info.data() + sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(core->info.size(), sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
    EXPECT_EQ(colours[1].rgbRed, 255);
    EXPECT_EQ(colours[0].rgbBlue, 255);
}

TEST(BitmapFileLayout, HeadersThatPromiseMoreThanTheFileHoldsAreRefused) {
    const std::string sound = File(8, 8, 8);
    struct Damage {
        const char* name;
        std::function<void(std::string&)> apply;
    };
    const Damage damages[] = {
        {"not BM", [](std::string& f) { f[0] = 'X'; }},
        {"cut short", [](std::string& f) { f.resize(f.size() - 1); }},
        {"header only", [](std::string& f) { f.resize(20); }},
        {"pixels beyond the end",
         [](std::string& f) { Set32(f, 10, static_cast<std::uint32_t>(f.size())); }},
        {"pixels inside the colour table", [](std::string& f) { Set32(f, 10, 60); }},
        {"header larger than the file", [](std::string& f) { Set32(f, 14, 100000); }},
        {"header of an unknown size", [](std::string& f) { Set32(f, 14, 20); }},
        {"no width", [](std::string& f) { Set32(f, 18, 0); }},
        {"negative width", [](std::string& f) { Set32(f, 18, 0xFFFFFFF8); }},
        {"no height", [](std::string& f) { Set32(f, 22, 0); }},
        {"two planes", [](std::string& f) { Set16(f, 26, 2); }},
        {"7 bits per pixel", [](std::string& f) { Set16(f, 28, 7); }},
        {"JPEG inside", [](std::string& f) { Set32(f, 30, BI_JPEG); }},
        {"RLE4 at 8 bits", [](std::string& f) { Set32(f, 30, BI_RLE4); }},
        {"huge",
         [](std::string& f) {
             Set32(f, 18, 100000);
             Set32(f, 22, 100000);
         }},
    };
    ASSERT_TRUE(Parse(sound));
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        std::string file = sound;
        damage.apply(file);
        EXPECT_FALSE(Parse(file));
    }
}

TEST(BitmapFileLayout, RunLengthPixelsAreBoundedByTheFile) {
    std::string file = File(16, 4, 8, true);
    const auto bitmap = Parse(file);
    ASSERT_TRUE(bitmap);
    const std::size_t available = file.size() - bitmap->pixelOffset;
    EXPECT_EQ(bitmap->pixelSize, available);

    Set32(file, 34, 1000000); // biSizeImage far beyond the file
    const auto overstated = Parse(file);
    ASSERT_TRUE(overstated);
    EXPECT_EQ(overstated->pixelSize, available);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(overstated->info.data());
    EXPECT_EQ(header->biSizeImage, available);

    Set32(file, 22, static_cast<std::uint32_t>(-4)); // run lengths cannot be top-down
    EXPECT_FALSE(Parse(file));
}

TEST(BitmapFileLayout, ColourCountsBeyondTheDepthAreCut) {
    std::string file = File(8, 8, 1);
    Set32(file, 46, 300); // biClrUsed
    const auto bitmap = Parse(file);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->info.size(), sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
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
        {"core header", CoreFile(), kRed, kBlue},
        {"top-down",
         test::TwoColourBitmapFile({6, 4, 32, true, false, Split::TopBottom, kRed, kBlue}), kRed,
         kBlue},
        {"RLE8", File(6, 4, 8, true), kRed, kBlue},
        {"16 bits", File(6, 4, 16), kRed, kBlue},
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

// The box scaling reads every uncompressed layout, either row order, shrunk or
// stretched, from the file's bytes as they are handed to it.
TEST(BitmapBoxScaling, EveryUncompressedLayoutScalesToItsColours) {
    struct Case {
        int bits;
        bool topDown;
        Split split;
        SIZE shown;
    };
    const Case cases[] = {
        {1, false, Split::TopBottom, {5, 4}},  {4, true, Split::LeftRight, {6, 3}},
        {8, false, Split::LeftRight, {3, 7}},  {16, true, Split::TopBottom, {4, 4}},
        {24, false, Split::TopBottom, {9, 8}}, {24, true, Split::LeftRight, {2, 2}},
        {32, false, Split::LeftRight, {8, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, shown " << c.shown.cx << " x "
                                        << c.shown.cy << (c.topDown ? ", top-down" : ""));
        const std::string bytes =
            test::TwoColourBitmapFile({13, 10, c.bits, c.topDown, false, c.split, kRed, kBlue});
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
        const auto bitmap = ParseBitmapFile(data, bytes.size());
        ASSERT_TRUE(bitmap);
        ASSERT_TRUE(CanBoxScale(*bitmap));
        std::size_t end = 0;
        const FileBytes fileBytes = [&](std::size_t offset, std::size_t length) {
            end = std::max(end, offset + length);
            return offset + length <= bytes.size() ? data + offset : nullptr;
        };
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(c.shown.cx * c.shown.cy));
        ASSERT_TRUE(BoxScale(*bitmap, fileBytes, c.shown, pixels.data()));
        EXPECT_LE(end, bitmap->pixelOffset + bitmap->pixelSize);
        EXPECT_EQ(pixels.front(), 0xFF0000u); // top left: the first colour
        EXPECT_EQ(pixels.back(), 0x0000FFu);  // bottom right: the second
    }
    // Run-length pixels stay with GDI; pixels that cannot be read draw nothing.
    EXPECT_FALSE(CanBoxScale(*Parse(File(6, 4, 8, true))));
    const auto bitmap = Parse(File(6, 4, 24));
    ASSERT_TRUE(bitmap);
    EXPECT_FALSE(BoxScale(
        *bitmap, [](std::size_t, std::size_t) { return nullptr; }, SIZE{3, 2},
        std::vector<std::uint32_t>(6).data()));
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

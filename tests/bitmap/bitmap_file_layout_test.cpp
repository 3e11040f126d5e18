// Reading a bitmap file's layout: what the headers must promise and hold before
// anything decodes the pixels, and the plain header handed on for each layout.

#include "bitmap_file_layout.h"
#include "bitmap_files.h"
#include "previewable_bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace qm::bitmap {
namespace {

using test::HeaderKind;
using test::Rgb;
using test::Set16;
using test::Set32;
using test::Split;

std::uint32_t Get32(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16) |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::optional<PackedBitmap> Parse(const std::string& bytes) {
    return ParseBitmapFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

bool Previewable(const std::string& bytes) {
    return IsPreviewableBitmap(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};

std::string File(int width, int height, int bits, bool runLength = false) {
    return test::TwoColourBitmapFile(
        {width, height, bits, false, runLength, Split::TopBottom, kRed, kBlue});
}

// Every header and layout reads into the same plain header: a BITMAPINFOHEADER
// with the picture's size, depth and compression, then masks or four-byte
// colours, and pixels that lie inside the file.
TEST(BitmapFileLayout, EveryLayoutReadsIntoAPlainHeader) {
    struct Case {
        const char* name;
        HeaderKind header;
        int bits;
        bool topDown, runLength, bitFields;
        std::uint32_t compression;
        std::uint32_t colours;
    };
    const Case cases[] = {
        {"core 1 bit", HeaderKind::Core, 1, false, false, false, kUncompressed, 2},
        {"core 8 bits", HeaderKind::Core, 8, false, false, false, kUncompressed, 256},
        {"core 24 bits", HeaderKind::Core, 24, false, false, false, kUncompressed, 0},
        {"info 4 bits", HeaderKind::Info, 4, false, false, false, kUncompressed, 16},
        {"info 16 bits", HeaderKind::Info, 16, false, false, false, kUncompressed, 0},
        {"info 32 bits top-down", HeaderKind::Info, 32, true, false, false, kUncompressed, 0},
        {"info RLE8", HeaderKind::Info, 8, false, true, false, kRunLength8, 256},
        {"info RLE4", HeaderKind::Info, 4, false, true, false, kRunLength4, 16},
        {"info 16-bit fields", HeaderKind::Info, 16, false, false, true, kBitFields, 0},
        {"v4 32-bit fields", HeaderKind::V4, 32, false, false, true, kBitFields, 0},
        {"v4 8 bits top-down", HeaderKind::V4, 8, true, false, false, kUncompressed, 256},
        {"v5 16-bit fields top-down", HeaderKind::V5, 16, true, false, true, kBitFields, 0},
        {"v5 RLE4", HeaderKind::V5, 4, false, true, false, kRunLength4, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file =
            test::TwoColourBitmapFile({5, 3, c.bits, c.topDown, c.runLength, Split::TopBottom, kRed,
                                       kBlue, c.header, c.bitFields});
        const auto bitmap = Parse(file);
        ASSERT_TRUE(bitmap);
        EXPECT_TRUE(Previewable(file));
        EXPECT_EQ(bitmap->width, 5);
        EXPECT_EQ(bitmap->height, 3);
        EXPECT_EQ(bitmap->topDown, c.topDown);
        EXPECT_EQ(bitmap->bitsPerPixel, c.bits);
        EXPECT_EQ(bitmap->compression, c.compression);
        EXPECT_EQ(bitmap->colourCount, c.colours);
        EXPECT_LE(bitmap->pixelOffset + bitmap->pixelSize, file.size());

        const std::vector<unsigned char>& info = bitmap->info;
        ASSERT_EQ(info.size(), kInfoHeaderSize + (c.bitFields ? 12 : 0) + c.colours * 4);
        EXPECT_EQ(Get32(info, 0), kInfoHeaderSize);
        EXPECT_EQ(Get32(info, 4), 5u);
        EXPECT_EQ(Get32(info, 8), c.topDown ? static_cast<std::uint32_t>(-3) : 3u);
        EXPECT_EQ(Get32(info, 12), 1u | static_cast<std::uint32_t>(c.bits) << 16);
        EXPECT_EQ(Get32(info, 16), c.compression);
        EXPECT_EQ(Get32(info, 20), bitmap->pixelSize);
        EXPECT_EQ(Get32(info, 32), c.colours);
        if (c.bitFields) {
            const bool sixteen = c.bits == 16;
            EXPECT_EQ(Get32(info, 40), sixteen ? 0xF800u : 0xFF0000u);
            EXPECT_EQ(Get32(info, 48), sixteen ? 0x001Fu : 0x0000FFu);
        }
        if (c.colours) {
            // The first colour's index per depth, as the test files place it.
            const std::size_t first = c.bits == 1 ? 0 : c.bits == 4 ? 3 : 7;
            const std::size_t at = kInfoHeaderSize + first * 4;
            EXPECT_EQ(Get32(info, at), 0x00FF0000u) << "blue, green, red, zero";
        }
    }
}

TEST(BitmapFileLayout, SoundFilesGiveTheirPixelsPlace) {
    const std::string file = File(172, 100, 24);
    const auto bitmap = Parse(file);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->pixelOffset, 54u);
    EXPECT_EQ(bitmap->pixelSize, 516u * 100);
    EXPECT_EQ(bitmap->info.size(), kInfoHeaderSize);
}

TEST(BitmapFileLayout, HeadersThatPromiseMoreThanTheFileHoldsAreRefused) {
    const std::string sound = File(8, 8, 8);
    const std::string fields = test::TwoColourBitmapFile(
        {8, 8, 16, false, false, Split::TopBottom, kRed, kBlue, HeaderKind::Info, true});
    struct Damage {
        const char* name;
        const std::string& file;
        std::function<void(std::string&)> apply;
    };
    const Damage damages[] = {
        {"not BM", sound, [](std::string& f) { f[0] = 'X'; }},
        {"cut short", sound, [](std::string& f) { f.resize(f.size() - 1); }},
        {"header only", sound, [](std::string& f) { f.resize(20); }},
        {"pixels beyond the end", sound,
         [](std::string& f) { Set32(f, 10, static_cast<std::uint32_t>(f.size())); }},
        {"pixels inside the colour table", sound, [](std::string& f) { Set32(f, 10, 60); }},
        {"header larger than the file", sound, [](std::string& f) { Set32(f, 14, 100000); }},
        {"header of an unknown size", sound, [](std::string& f) { Set32(f, 14, 20); }},
        {"no width", sound, [](std::string& f) { Set32(f, 18, 0); }},
        {"negative width", sound, [](std::string& f) { Set32(f, 18, 0xFFFFFFF8); }},
        {"no height", sound, [](std::string& f) { Set32(f, 22, 0); }},
        {"height of INT_MIN", sound, [](std::string& f) { Set32(f, 22, 0x80000000); }},
        {"two planes", sound, [](std::string& f) { Set16(f, 26, 2); }},
        {"7 bits per pixel", sound, [](std::string& f) { Set16(f, 28, 7); }},
        {"JPEG inside", sound, [](std::string& f) { Set32(f, 30, 4); }},
        {"RLE4 at 8 bits", sound, [](std::string& f) { Set32(f, 30, kRunLength4); }},
        {"bit fields at 8 bits", sound, [](std::string& f) { Set32(f, 30, kBitFields); }},
        {"huge", sound,
         [](std::string& f) {
             Set32(f, 18, 100000);
             Set32(f, 22, 100000);
         }},
        // A header of 48 bytes ends inside where its masks would be.
        {"masks beyond the header", fields, [](std::string& f) { Set32(f, 14, 48); }},
    };
    ASSERT_TRUE(Parse(sound));
    ASSERT_TRUE(Parse(fields));
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        std::string file = damage.file;
        damage.apply(file);
        EXPECT_FALSE(Parse(file));
        EXPECT_FALSE(Previewable(file));
    }
}

// Up to 24 million pixels are read; one more is not, though the file holds it.
TEST(BitmapFileLayout, PicturesBeyond24MillionPixelsAreRefused) {
    constexpr std::uint32_t kLimit = 24u * 1024 * 1024;
    for (const std::uint32_t width : {kLimit, kLimit + 1}) {
        SCOPED_TRACE(width);
        std::string file = File(8, 8, 1);
        const std::size_t offset = Parse(file)->pixelOffset;
        Set32(file, 18, width);
        Set32(file, 22, 1);
        file.resize(offset + (width + 31) / 32 * 4);
        EXPECT_EQ(Parse(file).has_value(), width == kLimit);
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
    EXPECT_EQ(Get32(overstated->info, 20), available);

    Set32(file, 34, 6); // a shorter stream is taken as the header says
    const auto shorter = Parse(file);
    ASSERT_TRUE(shorter);
    EXPECT_EQ(shorter->pixelSize, 6u);

    Set32(file, 22, static_cast<std::uint32_t>(-4)); // run lengths cannot be top-down
    EXPECT_FALSE(Parse(file));
}

TEST(BitmapFileLayout, ColourCountsBeyondTheDepthAreCut) {
    std::string file = File(8, 8, 1);
    Set32(file, 46, 300); // biClrUsed
    const auto bitmap = Parse(file);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->colourCount, 2u);
    EXPECT_EQ(bitmap->info.size(), kInfoHeaderSize + 2 * 4);
}

} // namespace
} // namespace qm::bitmap

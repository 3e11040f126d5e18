// Box scaling: every uncompressed layout, either row order, shrunk or stretched,
// read from the file's bytes as they are handed to it, and never beyond its
// pixels.

#include "bitmap_box_scale.h"
#include "bitmap_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace qm::bitmap {
namespace {

using test::HeaderKind;
using test::Rgb;
using test::Split;

const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};

std::optional<PackedBitmap> Parse(const std::string& bytes) {
    return ParseBitmapFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// The file's bytes, each fetch checked to lie inside the pixels.
class PixelBytes {
public:
    PixelBytes(const std::string& file, const PackedBitmap& bitmap)
        : file_(file), first_(bitmap.pixelOffset), end_(bitmap.pixelOffset + bitmap.pixelSize) {}

    FileBytes Fetch() {
        return [this](std::size_t offset, std::size_t length) -> const unsigned char* {
            outside_ = outside_ || offset < first_ || offset + length > end_;
            return offset + length <= file_.size()
                       ? reinterpret_cast<const unsigned char*>(file_.data()) + offset
                       : nullptr;
        };
    }
    bool ReadOutside() const { return outside_; }

private:
    const std::string& file_;
    std::size_t first_, end_;
    bool outside_ = false;
};

TEST(BitmapBoxScaling, EveryUncompressedLayoutScalesToItsColours) {
    struct Case {
        int bits;
        bool topDown;
        Split split;
        PictureSize shown;
        HeaderKind header;
    };
    const Case cases[] = {
        {1, false, Split::TopBottom, {5, 4}, HeaderKind::Info},
        {4, true, Split::LeftRight, {6, 3}, HeaderKind::Info},
        {8, false, Split::LeftRight, {3, 7}, HeaderKind::Info},
        {16, true, Split::TopBottom, {4, 4}, HeaderKind::Info},
        {24, false, Split::TopBottom, {9, 8}, HeaderKind::Info},
        {24, true, Split::LeftRight, {2, 2}, HeaderKind::Info},
        {32, false, Split::LeftRight, {8, 1}, HeaderKind::Info},
        {1, false, Split::LeftRight, {30, 25}, HeaderKind::Core}, // stretched
        {8, false, Split::TopBottom, {4, 2}, HeaderKind::Core},
        {4, true, Split::TopBottom, {13, 10}, HeaderKind::V4},
        {24, false, Split::LeftRight, {1, 1}, HeaderKind::V5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, shown " << c.shown.width << " x "
                                        << c.shown.height << (c.topDown ? ", top-down" : ""));
        const std::string file = test::TwoColourBitmapFile(
            {13, 10, c.bits, c.topDown, false, c.split, kRed, kBlue, c.header});
        const auto bitmap = Parse(file);
        ASSERT_TRUE(bitmap);
        ASSERT_TRUE(CanBoxScale(*bitmap));
        PixelBytes bytes(file, *bitmap);
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(c.shown.width * c.shown.height));
        ASSERT_TRUE(BoxScale(*bitmap, bytes.Fetch(), c.shown, pixels.data()));
        EXPECT_FALSE(bytes.ReadOutside());
        if (c.shown.width * c.shown.height == 1) {
            // 6 of 13 columns red, 7 blue, rounded to the nearest level.
            EXPECT_EQ(pixels.front(), (255u * 6 * 10 + 65) / 130 << 16 | (255u * 7 * 10 + 65) / 130)
                << std::hex << pixels.front();
            continue;
        }
        EXPECT_EQ(pixels.front(), 0xFF0000u); // top left: the first colour
        EXPECT_EQ(pixels.back(), 0x0000FFu);  // bottom right: the second
    }
}

// Each preview pixel is the rounded average of its box of picture pixels.
TEST(BitmapBoxScaling, EachPixelIsItsBoxsRoundedAverage) {
    // Every pixel of the 4 x 2 picture differs; each half is one box.
    const std::string file = test::GradientBitmapFile(4, 2);
    const auto bitmap = Parse(file);
    ASSERT_TRUE(bitmap);
    PixelBytes bytes(file, *bitmap);
    std::vector<std::uint32_t> pixels(2);
    ASSERT_TRUE(BoxScale(*bitmap, bytes.Fetch(), {2, 1}, pixels.data()));
    for (int box = 0; box < 2; ++box) {
        int sums[3] = {};
        for (int y = 0; y < 2; ++y) {
            for (int x = box * 2; x < box * 2 + 2; ++x) {
                const Rgb pixel = test::GradientAt(x, y);
                sums[0] += pixel.r;
                sums[1] += pixel.g;
                sums[2] += pixel.b;
            }
        }
        const auto level = [](int sum) { return static_cast<std::uint32_t>((sum + 2) / 4); };
        EXPECT_EQ(pixels[static_cast<std::size_t>(box)],
                  level(sums[0]) << 16 | level(sums[1]) << 8 | level(sums[2]))
            << "box " << box;
    }
}

TEST(BitmapBoxScaling, WhatCannotBeReadDrawsNothing) {
    // Run-length and bit-field pixels stay with the decoder.
    EXPECT_FALSE(CanBoxScale(
        *Parse(test::TwoColourBitmapFile({6, 4, 8, false, true, Split::TopBottom, kRed, kBlue}))));
    EXPECT_FALSE(CanBoxScale(*Parse(test::TwoColourBitmapFile(
        {6, 4, 16, false, false, Split::TopBottom, kRed, kBlue, HeaderKind::Info, true}))));

    const std::string file =
        test::TwoColourBitmapFile({6, 4, 24, false, false, Split::TopBottom, kRed, kBlue});
    const auto bitmap = Parse(file);
    ASSERT_TRUE(bitmap);
    std::vector<std::uint32_t> pixels(6);
    EXPECT_FALSE(BoxScale(
        *bitmap, [](std::size_t, std::size_t) { return nullptr; }, {3, 2}, pixels.data()));
    PixelBytes bytes(file, *bitmap);
    for (const PictureSize empty : {PictureSize{0, 2}, PictureSize{3, 0}, PictureSize{-3, 2}}) {
        EXPECT_FALSE(BoxScale(*bitmap, bytes.Fetch(), empty, pixels.data()));
    }
}

} // namespace
} // namespace qm::bitmap

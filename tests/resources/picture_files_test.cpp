// The committed picture files, read from disk: every header field that Windows and the
// program rely on.

#include "binary_reading.h"

#include <gtest/gtest.h>

namespace {

uint32_t RowStride(uint32_t width, uint32_t bits) {
    return (width * bits + 31) / 32 * 4;
}

struct BitmapFile {
    const char* name;
    int32_t width;
    int32_t height;
    uint32_t file_size;
};

const BitmapFile kBitmaps[] = {
    {"default_logo.bmp", 172, 100, 51654},
    {"preview_placeholder.bmp", 172, 100, 51654},
    {"about_picture.bmp", 48, 48, 6966},
};

TEST(PictureFiles, BitmapsAreUncompressed24BitBottomUpAt2834PixelsPerMetre) {
    for (const auto& expected : kBitmaps) {
        SCOPED_TRACE(expected.name);
        Bytes file = ReadCommittedResource(expected.name);
        ASSERT_EQ(file.size(), expected.file_size);
        uint32_t image_size = RowStride(expected.width, 24) * expected.height;
        // File header
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(U32(file, 2), expected.file_size);
        EXPECT_EQ(U16(file, 6), 0);
        EXPECT_EQ(U16(file, 8), 0);
        EXPECT_EQ(U32(file, 10), 54u);
        // Information header
        EXPECT_EQ(U32(file, 14), 40u);
        EXPECT_EQ(I32(file, 18), expected.width);
        EXPECT_EQ(I32(file, 22), expected.height) << "positive: rows stored bottom-up";
        EXPECT_EQ(U16(file, 26), 1);
        EXPECT_EQ(U16(file, 28), 24);
        EXPECT_EQ(U32(file, 30), 0u) << "BI_RGB";
        EXPECT_EQ(U32(file, 34), image_size);
        EXPECT_EQ(I32(file, 38), 2834);
        EXPECT_EQ(I32(file, 42), 2834);
        EXPECT_EQ(U32(file, 46), 0u);
        EXPECT_EQ(U32(file, 50), 0u);
        EXPECT_EQ(54 + image_size, expected.file_size);
    }
}

TEST(PictureFiles, PlaceholderIsGreyAndNotTheLogo) {
    Bytes placeholder = ReadCommittedResource("preview_placeholder.bmp");
    Bytes logo = ReadCommittedResource("default_logo.bmp");
    ASSERT_EQ(placeholder.size(), 51654u);
    ASSERT_EQ(logo.size(), 51654u);
    EXPECT_NE(placeholder, logo);
    bool all_grey = true;
    for (size_t i = 54; i + 2 < placeholder.size(); i += 3)
        all_grey = all_grey && placeholder[i] == placeholder[i + 1] &&
                   placeholder[i] == placeholder[i + 2];
    EXPECT_TRUE(all_grey);
}

struct IconImage {
    uint8_t size;
    uint16_t bits;
};

struct IconFile {
    const char* name;
    std::vector<IconImage> images;
};

const IconFile kIcons[] = {
    {"main.ico", {{48, 24}}},
    {"about.ico", {{32, 4}, {16, 4}}},
};

TEST(PictureFiles, IconsHoldTheirImagesWithColourAndMask) {
    for (const auto& expected : kIcons) {
        SCOPED_TRACE(expected.name);
        Bytes file = ReadCommittedResource(expected.name);
        ASSERT_GE(file.size(), 6u);
        EXPECT_EQ(U16(file, 0), 0);
        EXPECT_EQ(U16(file, 2), 1) << "icon, not cursor";
        ASSERT_EQ(U16(file, 4), expected.images.size());
        size_t next_image = 6 + 16 * expected.images.size();
        for (size_t i = 0; i < expected.images.size(); ++i) {
            const auto& image = expected.images[i];
            SCOPED_TRACE(image.size);
            size_t entry = 6 + 16 * i;
            EXPECT_EQ(file.at(entry), image.size);
            EXPECT_EQ(file.at(entry + 1), image.size);
            EXPECT_EQ(file.at(entry + 2), image.bits == 4 ? 16 : 0) << "colour count";
            EXPECT_EQ(file.at(entry + 3), 0);
            EXPECT_EQ(U16(file, entry + 4), 1);
            EXPECT_EQ(U16(file, entry + 6), image.bits);
            uint32_t bytes_in_image = U32(file, entry + 8);
            uint32_t offset = U32(file, entry + 12);
            EXPECT_EQ(offset, next_image) << "images follow the directory, one after another";
            ASSERT_LE(size_t{offset} + bytes_in_image, file.size());
            next_image = offset + bytes_in_image;

            // The image: a bitmap header of double height, palette, colour, then AND mask.
            EXPECT_EQ(U32(file, offset), 40u);
            EXPECT_EQ(I32(file, offset + 4), image.size);
            EXPECT_EQ(I32(file, offset + 8), 2 * image.size);
            EXPECT_EQ(U16(file, offset + 12), 1);
            EXPECT_EQ(U16(file, offset + 14), image.bits);
            EXPECT_EQ(U32(file, offset + 16), 0u);
            uint32_t palette = image.bits <= 8 ? 4u << image.bits : 0;
            uint32_t colour = RowStride(image.size, image.bits) * image.size;
            uint32_t mask = RowStride(image.size, 1) * image.size;
            EXPECT_EQ(bytes_in_image, 40 + palette + colour + mask);

            // The mask leaves the corners see-through and the middle solid.
            uint32_t mask_stride = RowStride(image.size, 1);
            size_t mask_start = offset + 40 + palette + colour;
            size_t top_row = mask_start + mask_stride * (image.size - 1); // rows bottom-up
            size_t middle_row = mask_start + mask_stride * (image.size / 2);
            size_t centre = image.size / 2;
            EXPECT_EQ(file.at(top_row) & 0x80, 0x80) << "top-left corner transparent";
            EXPECT_EQ(file.at(middle_row + centre / 8) & (0x80 >> centre % 8), 0)
                << "centre opaque";
        }
        EXPECT_EQ(next_image, file.size());
    }
}

} // namespace

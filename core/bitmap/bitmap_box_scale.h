#pragma once
// Draws a big uncompressed bitmap at the preview's size by averaging each
// preview pixel's box of picture pixels. The rows are fetched a band at a time
// in the order the file stores them, so the file never needs to be in memory
// whole, and no full-size copy of the picture is ever made.

#include "bitmap_file_layout.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace qm::bitmap {

struct PictureSize {
    int width, height;
};

// Whether BoxScale reads the bitmap's layout: no compression, 1 to 32 bits.
bool CanBoxScale(const PackedBitmap& bitmap);

// The file's bytes [offset, offset + length); valid until the next call;
// nullptr when they cannot be read.
using FileBytes = std::function<const unsigned char*(std::size_t offset, std::size_t length)>;

// Fills target, shown.width x shown.height pixels from the top down as
// 0x00RRGGBB; false when the pixels cannot be read or shown is empty.
bool BoxScale(const PackedBitmap& bitmap, const FileBytes& bytes, PictureSize shown,
              std::uint32_t* target);

} // namespace qm::bitmap

// Feeds arbitrary bytes to the bitmap file reader and, when it accepts them, to
// the box scaler: neither may crash or read out of bounds (the sanitizers
// watch), what the reader accepts must lie inside the file, and the scaler
// must read only the pixels the reader found.

#include "bitmap_box_scale.h"
#include "bitmap_file_layout.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckLayout(const qm::bitmap::PackedBitmap& bitmap, std::size_t size) {
    Require(bitmap.width > 0 && bitmap.height > 0);
    Require(std::uint64_t{static_cast<std::uint32_t>(bitmap.width)} *
                static_cast<std::uint32_t>(bitmap.height) <=
            24u * 1024 * 1024);
    Require(bitmap.pixelOffset < size && bitmap.pixelSize <= size - bitmap.pixelOffset);
    const std::size_t masks = bitmap.compression == qm::bitmap::kBitFields ? 3 : 0;
    Require(bitmap.info.size() == qm::bitmap::kInfoHeaderSize + (masks + bitmap.colourCount) * 4);
    Require(bitmap.colourCount <= 256);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bitmap = qm::bitmap::ParseBitmapFile(data, size);
    if (!bitmap) {
        return 0;
    }
    CheckLayout(*bitmap, size);
    if (!qm::bitmap::CanBoxScale(*bitmap)) {
        return 0;
    }

    // The preview's size comes from the file's last bytes, so it is shrunk as
    // often as stretched.
    const qm::bitmap::PictureSize shown{1 + data[size - 1] % 32, 1 + data[size - 2] % 32};
    const std::size_t first = bitmap->pixelOffset;
    const std::size_t end = first + bitmap->pixelSize;
    const qm::bitmap::FileBytes bytes = [&](std::size_t offset, std::size_t length) {
        Require(offset >= first && length <= end - first && offset - first <= end - first - length);
        return data + offset;
    };
    std::vector<std::uint32_t> target(static_cast<std::size_t>(shown.width * shown.height),
                                      0xFFFFFFFF);
    Require(qm::bitmap::BoxScale(*bitmap, bytes, shown, target.data()));
    for (const std::uint32_t pixel : target) {
        Require(pixel <= 0xFFFFFF); // every pixel written, as 0x00RRGGBB
    }
    return 0;
}

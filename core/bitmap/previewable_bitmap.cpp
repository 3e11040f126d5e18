#include "previewable_bitmap.h"

#include "bitmap_file_layout.h"

namespace qm::bitmap {

bool IsPreviewableBitmap(const unsigned char* data, std::size_t size) {
    return ParseBitmapFile(data, size).has_value();
}

} // namespace qm::bitmap

#pragma once
// Whether a file is a bitmap the picture browser previews: the check the
// browser makes before it decodes anything, for callers that take a logo
// without the browser.

#include <cstddef>

namespace qm::bitmap {

// True when the whole file's bytes are a bitmap whose headers the preview
// accepts: a known layout and depth, at most 24 million pixels, and everything
// the headers promise inside the file.
bool IsPreviewableBitmap(const unsigned char* data, std::size_t size);

} // namespace qm::bitmap

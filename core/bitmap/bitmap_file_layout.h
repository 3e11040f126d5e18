#pragma once
// Reads a Windows bitmap file into a picture for the preview. The file's headers
// are checked and copied into a plain BITMAPINFO before GDI decodes the pixels,
// so a damaged file can make GDI read nothing beyond it. (Wine's LoadImage
// draws a top-down bitmap black; GDI's own decoding reads every layout.)

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace qm::frmmain {

// A bitmap file's pixels as GDI takes them: a BITMAPINFOHEADER with its masks
// or colour table, and where the pixels lie in the file.
struct PackedBitmap {
    std::vector<unsigned char> info; // BITMAPINFO: header, then masks or colours
    std::size_t pixelOffset;
    std::size_t pixelSize;
    int width;
    int height; // rows, always positive
};

// The layout of a bitmap file's bytes; nothing when they are no bitmap GDI can
// read or do not hold everything their headers promise.
std::optional<PackedBitmap> ParseBitmapFile(const unsigned char* data, std::size_t size);

// The file drawn stretched to shown (the size it is shown at) as a 32-bit DIB
// section; nullptr when it cannot be read. A big photo never exists in memory
// at its own size.
HBITMAP LoadBitmapFile(const std::wstring& path, SIZE shown);

} // namespace qm::frmmain

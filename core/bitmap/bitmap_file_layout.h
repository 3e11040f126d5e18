#pragma once
// Reads the layout of a Windows bitmap file from its headers. Every size and
// offset they promise is checked against the bytes the file holds, and what
// passes is copied into a plain BITMAPINFO, so a damaged file can make the
// decoder read nothing beyond it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace qm::bitmap {

// How the pixels are stored (the header's compression field).
enum Compression : std::uint32_t {
    kUncompressed = 0,
    kRunLength8 = 1,
    kRunLength4 = 2,
    kBitFields = 3,
};

// A bitmap file's pixels as GDI takes them, and where they lie in the file.
struct PackedBitmap {
    // BITMAPINFO in the file's byte order: a 40-byte BITMAPINFOHEADER, then the
    // three masks or the colour table (four bytes an entry).
    std::vector<unsigned char> info;
    std::size_t pixelOffset;
    std::size_t pixelSize;
    int width;
    int height;   // rows, always positive
    bool topDown; // rows stored from the top
    int bitsPerPixel;
    std::uint32_t compression;
    std::uint32_t colourCount; // entries of the colour table in info
};

// Size of the BITMAPINFOHEADER that starts PackedBitmap::info.
constexpr std::size_t kInfoHeaderSize = 40;

// The layout of a bitmap file's bytes; nothing when they are no bitmap GDI can
// read or do not hold everything their headers promise.
std::optional<PackedBitmap> ParseBitmapFile(const unsigned char* data, std::size_t size);

} // namespace qm::bitmap

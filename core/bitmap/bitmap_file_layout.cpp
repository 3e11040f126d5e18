#include "bitmap_file_layout.h"

#include <cstring>

namespace qm::bitmap {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
// The picture is drawn straight into one of the preview's size, but GDI still
// reads every pixel of the mapped file, and its scaling takes about four bytes
// a pixel more: a sound 8000 x 8000 picture took over 400 MB of working set and
// most of a second. Up to 24 million pixels (a camera's 6000 x 4000) it stays
// near 200 MB; beyond, a file is not drawn.
constexpr std::uint64_t kMaxPixels = 24u * 1024 * 1024;

std::uint32_t Read16(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
}

std::uint32_t Read32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

unsigned char* Write16(unsigned char* p, std::uint32_t value) {
    p[0] = static_cast<unsigned char>(value);
    p[1] = static_cast<unsigned char>(value >> 8);
    return p + 2;
}

unsigned char* Write32(unsigned char* p, std::uint32_t value) {
    return Write16(Write16(p, value & 0xFFFF), value >> 16);
}

bool DepthFits(std::uint32_t bits, std::uint32_t compression) {
    switch (compression) {
    case kUncompressed:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRunLength8:
        return bits == 8;
    case kRunLength4:
        return bits == 4;
    case kBitFields:
        return bits == 16 || bits == 32;
    default:
        return false; // JPEG and PNG inside a bitmap are not for a logo
    }
}

// The header fields the rest of the file is read by, whichever header it has.
struct Header {
    std::uint32_t width;
    std::int64_t height; // negative for top-down
    std::uint32_t planes;
    std::uint32_t bits;
    std::uint32_t compression;
    std::uint32_t sizeImage;
    std::uint32_t colourCount;
};

Header ReadHeader(const unsigned char* header, bool core) {
    Header read{};
    if (core) {
        read.width = Read16(header + 4);
        read.height = Read16(header + 6);
        read.planes = Read16(header + 8);
        read.bits = Read16(header + 10);
        read.compression = kUncompressed;
        return read;
    }
    read.width = Read32(header + 4);
    read.height = static_cast<std::int32_t>(Read32(header + 8));
    read.planes = Read16(header + 12);
    read.bits = Read16(header + 14);
    read.compression = Read32(header + 16);
    read.sizeImage = Read32(header + 20);
    read.colourCount = Read32(header + 32);
    return read;
}

} // namespace

std::optional<PackedBitmap> ParseBitmapFile(const unsigned char* data, std::size_t size) {
    if (size < kFileHeaderSize + kCoreHeaderSize || data[0] != 'B' || data[1] != 'M') {
        return std::nullopt;
    }
    const std::size_t pixelOffset = Read32(data + 10);
    const unsigned char* header = data + kFileHeaderSize;
    const std::size_t headerSize = Read32(header);
    const bool core = headerSize == kCoreHeaderSize;
    if (!core && (headerSize < kInfoHeaderSize || headerSize > size - kFileHeaderSize)) {
        return std::nullopt;
    }

    const Header read = ReadHeader(header, core);
    const bool topDown = read.height < 0;
    const std::int64_t rows = topDown ? -read.height : read.height;
    const bool rle = read.compression == kRunLength8 || read.compression == kRunLength4;
    if (read.planes != 1 || read.width == 0 || read.width > 0x7FFFFFFF || rows <= 0 ||
        rows > 0x7FFFFFFF || !DepthFits(read.bits, read.compression) || (topDown && rle) ||
        std::uint64_t{read.width} * static_cast<std::uint64_t>(rows) > kMaxPixels) {
        return std::nullopt;
    }

    // What follows the header: three masks, or the colour table.
    const std::size_t masks = read.compression == kBitFields ? 3 : 0;
    if (masks && headerSize > kInfoHeaderSize && headerSize < kInfoHeaderSize + 12) {
        return std::nullopt; // the masks would lie beyond the header
    }
    std::uint32_t colourCount = 0;
    if (read.bits <= 8) {
        const std::uint32_t full = 1u << read.bits;
        colourCount = read.colourCount == 0 || read.colourCount > full ? full : read.colourCount;
    }
    const std::size_t entrySize = core ? 3 : 4;
    // Masks of a version 4 or 5 header are part of the header itself.
    const std::size_t masksInFile = masks && headerSize == kInfoHeaderSize ? masks * 4 : 0;
    const std::size_t tableStart = kFileHeaderSize + headerSize;
    const std::size_t tableEnd = tableStart + masksInFile + colourCount * entrySize;
    if (tableEnd > size || pixelOffset < tableEnd || pixelOffset >= size) {
        return std::nullopt;
    }

    const std::size_t available = size - pixelOffset;
    std::size_t pixelSize;
    if (rle) {
        // GDI stops decoding at biSizeImage, so it must lie within the file.
        pixelSize = read.sizeImage == 0 || read.sizeImage > available ? available : read.sizeImage;
    } else {
        const std::uint64_t stride = (std::uint64_t{read.width} * read.bits + 31) / 32 * 4;
        if (stride * static_cast<std::uint64_t>(rows) > available) {
            return std::nullopt;
        }
        pixelSize = static_cast<std::size_t>(stride * static_cast<std::uint64_t>(rows));
    }

    PackedBitmap bitmap{{},
                        pixelOffset,
                        pixelSize,
                        static_cast<int>(read.width),
                        static_cast<int>(rows),
                        topDown,
                        static_cast<int>(read.bits),
                        read.compression,
                        colourCount};
    bitmap.info.resize(kInfoHeaderSize + (masks + colourCount) * 4);
    unsigned char* out = bitmap.info.data();
    out = Write32(out, kInfoHeaderSize);
    out = Write32(out, read.width);
    out = Write32(out, static_cast<std::uint32_t>(read.height));
    out = Write16(out, 1); // planes
    out = Write16(out, read.bits);
    out = Write32(out, read.compression);
    out = Write32(out, static_cast<std::uint32_t>(pixelSize));
    out += 8; // no resolution
    out = Write32(out, colourCount);
    out += 4; // every colour important
    if (masks) {
        const unsigned char* source = masksInFile ? data + tableStart : header + kInfoHeaderSize;
        std::memcpy(out, source, masks * 4);
        out += masks * 4;
    }
    // Blue, green, red, and a zero where a core header's entries have none.
    for (std::uint32_t i = 0; i < colourCount; ++i, out += 4) {
        std::memcpy(out, data + tableStart + i * entrySize, 3);
    }
    return bitmap;
}

} // namespace qm::bitmap

#include "bitmap_file_layout.h"

#include "bitmap_box_scale.h"
#include "handles.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace qm::frmmain {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
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

bool DepthFits(std::uint32_t bits, std::uint32_t compression) {
    switch (compression) {
    case BI_RGB:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BI_RLE8:
        return bits == 8;
    case BI_RLE4:
        return bits == 4;
    case BI_BITFIELDS:
        return bits == 16 || bits == 32;
    default:
        return false; // JPEG and PNG inside a bitmap are not for a logo
    }
}

// One colour table entry of a core header file: blue, green, red.
RGBQUAD CoreColour(const unsigned char* p) {
    return RGBQUAD{p[0], p[1], p[2], 0};
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

    BITMAPINFOHEADER plain{};
    plain.biSize = sizeof plain;
    std::int64_t height;
    std::uint32_t colourCount = 0;
    if (core) {
        plain.biWidth = static_cast<LONG>(Read16(header + 4));
        height = Read16(header + 6);
        plain.biPlanes = static_cast<WORD>(Read16(header + 8));
        plain.biBitCount = static_cast<WORD>(Read16(header + 10));
        plain.biCompression = BI_RGB;
    } else {
        plain.biWidth = static_cast<LONG>(Read32(header + 4));
        height = static_cast<std::int32_t>(Read32(header + 8));
        plain.biPlanes = static_cast<WORD>(Read16(header + 12));
        plain.biBitCount = static_cast<WORD>(Read16(header + 14));
        plain.biCompression = Read32(header + 16);
        plain.biSizeImage = Read32(header + 20);
        colourCount = Read32(header + 32);
    }
    const bool topDown = height < 0;
    const std::int64_t rows = topDown ? -height : height;
    const bool rle = plain.biCompression == BI_RLE8 || plain.biCompression == BI_RLE4;
    if (plain.biPlanes != 1 || plain.biWidth <= 0 || rows <= 0 || rows > 0x7FFFFFFF ||
        !DepthFits(plain.biBitCount, plain.biCompression) || (topDown && rle) ||
        static_cast<std::uint64_t>(plain.biWidth) * static_cast<std::uint64_t>(rows) > kMaxPixels) {
        return std::nullopt;
    }
    plain.biHeight = static_cast<LONG>(height);

    // What follows the header: three masks, or the colour table.
    const std::size_t masks = plain.biCompression == BI_BITFIELDS ? 3 : 0;
    if (masks && headerSize > kInfoHeaderSize && headerSize < kInfoHeaderSize + 12) {
        return std::nullopt; // the masks would lie beyond the header
    }
    if (plain.biBitCount <= 8) {
        const std::uint32_t full = 1u << plain.biBitCount;
        colourCount = colourCount == 0 || colourCount > full ? full : colourCount;
    } else {
        colourCount = 0;
    }
    plain.biClrUsed = colourCount;
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
        pixelSize =
            plain.biSizeImage == 0 || plain.biSizeImage > available ? available : plain.biSizeImage;
    } else {
        const std::uint64_t stride =
            (static_cast<std::uint64_t>(plain.biWidth) * plain.biBitCount + 31) / 32 * 4;
        if (stride * static_cast<std::uint64_t>(rows) > available) {
            return std::nullopt;
        }
        pixelSize = static_cast<std::size_t>(stride * static_cast<std::uint64_t>(rows));
    }
    plain.biSizeImage = static_cast<DWORD>(pixelSize);

    PackedBitmap bitmap{{}, pixelOffset, pixelSize, plain.biWidth, static_cast<int>(rows)};
    bitmap.info.resize(sizeof plain + (masks + colourCount) * sizeof(RGBQUAD));
    std::memcpy(bitmap.info.data(), &plain, sizeof plain);
    unsigned char* after = bitmap.info.data() + sizeof plain;
    if (masks) {
        const unsigned char* source = masksInFile ? data + tableStart : header + kInfoHeaderSize;
        std::memcpy(after, source, masks * 4);
    }
    for (std::uint32_t i = 0; i < colourCount; ++i) {
        const unsigned char* entry = data + tableStart + i * entrySize;
        const RGBQUAD colour = core ? CoreColour(entry) : RGBQUAD{entry[0], entry[1], entry[2], 0};
        std::memcpy(after + i * sizeof(RGBQUAD), &colour, sizeof colour);
    }
    return bitmap;
}

namespace {

struct HandleTraits {
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct ViewTraits {
    static void Close(const void* view) { UnmapViewOfFile(view); }
};

// Beyond this many bytes of pixels, a file that the box scaling reads is drawn
// by it: GDI's scaling would make a 32-bit copy of the whole picture, and the
// mapped file's pages would all stay in memory meanwhile.
constexpr std::size_t kBoxScaledFrom = 4u * 1024 * 1024;
// How much of the file is mapped at a time while it is box-scaled.
constexpr std::size_t kWindowSize = 4u * 1024 * 1024;
// A logo-sized file is read whole into a buffer of this size: one read costs
// less than asking for its size first, and half of what mapping it does.
constexpr std::size_t kFirstRead = 128 * 1024;

// A view of the file that moves along it, mapped a window at a time; what lies
// behind it leaves memory as the view moves on.
class MovingView {
public:
    MovingView(HANDLE mapping, std::size_t fileSize) : mapping_(mapping), fileSize_(fileSize) {
        SYSTEM_INFO system{};
        GetSystemInfo(&system);
        granularity_ = system.dwAllocationGranularity;
    }

    const unsigned char* Bytes(std::size_t offset, std::size_t length) {
        if (length > fileSize_ || offset > fileSize_ - length) {
            return nullptr;
        }
        if (!view_ || offset < start_ || offset + length > start_ + viewSize_) {
            // Views start on the allocation granularity.
            view_.Reset();
            start_ = offset / granularity_ * granularity_;
            viewSize_ =
                std::min(fileSize_ - start_, std::max(kWindowSize, offset - start_ + length));
            const std::uint64_t start = start_;
            view_.Reset(MapViewOfFile(mapping_, FILE_MAP_READ, static_cast<DWORD>(start >> 32),
                                      static_cast<DWORD>(start), viewSize_));
            if (!view_) {
                return nullptr;
            }
        }
        return static_cast<const unsigned char*>(view_.Get()) + (offset - start_);
    }

private:
    HANDLE mapping_;
    std::size_t fileSize_;
    std::size_t granularity_ = 65536;
    Owned<const void*, ViewTraits> view_{nullptr};
    std::size_t start_ = 0;
    std::size_t viewSize_ = 0;
};

// A new top-down 32-bit DIB section of the shown size, and its pixels.
OwnedBitmap NewPreviewPicture(SIZE shown, void*& bits) {
    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof target.bmiHeader;
    target.bmiHeader.biWidth = shown.cx;
    target.bmiHeader.biHeight = -shown.cy;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 32;
    target.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    return OwnedBitmap(CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0));
}

HBITMAP DecodeInBands(HANDLE mapping, std::size_t fileSize, const PackedBitmap& bitmap,
                      SIZE shown) {
    void* bits = nullptr;
    OwnedBitmap picture = NewPreviewPicture(shown, bits);
    if (!picture || !bits) {
        return nullptr;
    }
    MovingView view(mapping, fileSize);
    const bool drawn = BoxScale(
        bitmap, [&](std::size_t offset, std::size_t length) { return view.Bytes(offset, length); },
        shown, static_cast<std::uint32_t*>(bits));
    return drawn ? picture.Release() : nullptr;
}

// GDI decodes the pixels, stretched to the shown size with good-quality
// scaling, into a new top-down 32-bit DIB section.
HBITMAP Decode(const unsigned char* data, const PackedBitmap& bitmap, SIZE shown) {
    void* bits = nullptr;
    OwnedBitmap picture = NewPreviewPicture(shown, bits);
    OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!picture || !dc) {
        return nullptr;
    }
    ScopedSelect select(dc.Get(), picture.Get());
    SetStretchBltMode(dc.Get(), HALFTONE);
    SetBrushOrgEx(dc.Get(), 0, 0, nullptr);
    const int rows = StretchDIBits(dc.Get(), 0, 0, shown.cx, shown.cy, 0, 0, bitmap.width,
                                   bitmap.height, data + bitmap.pixelOffset,
                                   reinterpret_cast<const BITMAPINFO*>(bitmap.info.data()),
                                   DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    if (rows == 0 || rows == static_cast<int>(GDI_ERROR)) {
        return nullptr;
    }
    return picture.Release();
}

// A file smaller than the first read, read whole in one go and decoded; nothing
// when the file fills the read and must be handled by its size instead.
std::optional<HBITMAP> ReadSmallFile(HANDLE file, SIZE shown) {
    std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[kFirstRead]);
    DWORD got = 0;
    if (!bytes || !ReadFile(file, bytes.get(), static_cast<DWORD>(kFirstRead), &got, nullptr)) {
        return nullptr;
    }
    if (got >= kFirstRead) {
        return std::nullopt;
    }
    const std::optional<PackedBitmap> bitmap = ParseBitmapFile(bytes.get(), got);
    return bitmap ? Decode(bytes.get(), *bitmap, shown) : nullptr;
}

} // namespace

HBITMAP LoadBitmapFile(const std::wstring& path, SIZE shown) {
    if (shown.cx <= 0 || shown.cy <= 0) {
        return nullptr;
    }
    // Shared for reading only: nobody can shorten the file while it is mapped.
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    Owned<HANDLE, HandleTraits> file(opened);
    if (const std::optional<HBITMAP> small = ReadSmallFile(file.Get(), shown)) {
        return *small;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart == 0 || size.QuadPart > 0x7FFFFFFF) {
        return nullptr;
    }
    // Mapped, not read: a big photo costs no copy of its own.
    Owned<HANDLE, HandleTraits> mapping(
        CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) {
        return nullptr;
    }
    Owned<const void*, ViewTraits> view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) {
        return nullptr;
    }
    const auto* data = static_cast<const unsigned char*>(view.Get());
    const std::optional<PackedBitmap> bitmap =
        ParseBitmapFile(data, static_cast<std::size_t>(size.QuadPart));
    if (!bitmap) {
        return nullptr;
    }
    // Only the headers of the whole view have been read: its pixels' pages are
    // not in memory, and the box scaling reads them through a view of its own.
    if (bitmap->pixelSize > kBoxScaledFrom && CanBoxScale(*bitmap)) {
        return DecodeInBands(mapping.Get(), static_cast<std::size_t>(size.QuadPart), *bitmap,
                             shown);
    }
    return Decode(data, *bitmap, shown);
}

} // namespace qm::frmmain
